// The search over the names held in memory: the text's rule and the
// conditions, chunk by chunk, in rowid order.
#include <algorithm>
#include <exception>
#include <thread>

#include "catalog/name_index.h"
#include "catalog/name_pattern.h"
#include "catalog/name_rule.h"
#include "platform/case_fold.h"
#include "platform/text.h"

namespace catalog {
namespace {

// The fewest chunks that make a search thread worth its start.
constexpr size_t kChunksPerSearchThread = 4;

unsigned KindsWanted(bool folders, bool files) { return folders && files ? 7u : folders ? 2u : files ? 1u : 0u; }

// Everything of a request that is not the text, made ready for one test
// per entry: tables of the path and extension numbers that pass.
class EntryTest {
 public:
  EntryTest(const SearchRequest& r, const TextTable& paths, const TextTable& exts,
            const std::vector<FileCategory>& extCategory)
      : c_(r.conditions), kinds_(KindsWanted(r.folders, r.files)) {
    if (c_.HasKind() || c_.HasSize()) kinds_ &= 1u;  // files only
    if (c_.HasKind()) {
      extPass_.assign(exts.Size(), 0);
      for (size_t id = 1; id < exts.Size(); ++id) {
        const bool listed = std::find(c_.extensions.begin(), c_.extensions.end(), exts.At(id)) != c_.extensions.end();
        extPass_[id] = listed || (c_.categories & CategoryBit(extCategory[id])) != 0;
      }
      // A file without an extension is of the category "other".
      extPass_[0] = (c_.categories & CategoryBit(FileCategory::Other)) != 0;
    }
    if (c_.HasSnapshots()) {
      std::vector<std::string> labels;
      if (c_.labels)
        for (const std::string& l : *c_.labels) labels.push_back(text::AsciiUpper(l));
      const NameRule labelRule(c_.labelText);
      pathPass_.assign(paths.Size(), 0);
      for (size_t id = 0; id < paths.Size(); ++id) {
        const std::string_view label = LabelOfPath(paths.At(static_cast<uint32_t>(id)));
        bool pass = true;
        if (c_.labels) pass = std::find(labels.begin(), labels.end(), text::AsciiUpper(label)) != labels.end();
        if (pass && !c_.labelText.empty()) pass = labelRule.Matches(text::Folded(label));
        pathPass_[id] = pass;
      }
    }
  }

  bool None() const { return kinds_ == 0; }

  bool Passes(const IndexChunk& ch, size_t i) const {
    if ((kinds_ >> static_cast<unsigned>(ch.kind[i]) & 1u) == 0) return false;
    if (c_.minSize && ch.size[i] < *c_.minSize) return false;
    if (c_.maxSize && ch.size[i] > *c_.maxSize) return false;
    if (c_.HasDate()) {
      const int64_t m = ch.modified[i];
      if (m == kUnknownTime) return false;
      if (c_.modifiedFrom && m < *c_.modifiedFrom) return false;
      if (c_.modifiedBefore && m >= *c_.modifiedBefore) return false;
    }
    if (!extPass_.empty() && !extPass_[ch.ext[i]]) return false;
    if (!pathPass_.empty() && !pathPass_[ch.path[i]]) return false;
    return true;
  }

 private:
  const SearchConditions& c_;
  unsigned kinds_;
  std::vector<uint8_t> extPass_;   // empty: every kind passes
  std::vector<uint8_t> pathPass_;  // empty: every snapshot passes
};

// The entries of a chunk whose name holds `anchor`, in order: a byte search
// for it in the block of names, then the name each find lies in.
template <typename Take>
void ForEachHolding(const IndexChunk& c, const std::string& anchor, Take take) {
  const char* begin = c.text.data();
  const char* end = begin + c.text.size();
  size_t i = 0;  // the finds go forward, and so do the names they lie in
  for (const char* p = FindBytes(begin, end, anchor); p != end; p = FindBytes(p, end, anchor)) {
    const auto off = static_cast<uint32_t>(p - begin);
    // A near find is reached by walking the offsets, a far one by halving.
    if (off - c.start[i] > 1024) {
      i = static_cast<size_t>(std::upper_bound(c.start.begin() + static_cast<ptrdiff_t>(i), c.start.end(), off) -
                              c.start.begin()) - 1;
    } else {
      while (i + 1 < c.Size() && c.start[i + 1] <= off) ++i;
    }
    take(i);
    if (++i == c.Size()) break;
    p = begin + c.start[i];
  }
}

}  // namespace

std::shared_ptr<HitTable> NameIndex::FindHits(const SearchRequest& request) const {
  auto hits = std::make_shared<HitTable>();
  hits->SetPaths(paths_);
  const EntryTest test(request, *paths_, exts_, extCategory_);
  const NameRule rule(request.text);
  if (test.None() || rule.Alternatives() == 0) return hits;
  const bool anyName = rule.MatchesEverything();
  bool anchored = !anyName;
  for (size_t a = 0; a < rule.Alternatives(); ++a) anchored = anchored && !rule.Anchor(a).empty();

  // The hits of chunks [first, last) into `out`, in order.
  auto scan = [&](size_t first, size_t last, HitTable& out) {
    std::vector<uint32_t> found;
    for (size_t ci = first; ci < last; ++ci) {
      const std::shared_ptr<const IndexChunk> chunk = chunks_[ci];
      const IndexChunk& c = *chunk;
      if (!anchored) {
        // Conditions first: they cost a few comparisons, a name test more.
        for (size_t i = 0; i < c.Size(); ++i)
          if (test.Passes(c, i) && (anyName || rule.Matches(c.Name(i)))) out.Add(chunk, static_cast<uint32_t>(i));
        continue;
      }
      if (rule.Alternatives() == 1) {
        ForEachHolding(c, rule.Anchor(0), [&](size_t i) {
          if (test.Passes(c, i) && rule.MatchesAlternative(0, c.Name(i))) out.Add(chunk, static_cast<uint32_t>(i));
        });
        continue;
      }
      // Each alternative finds its own entries; together, in order, once each.
      found.clear();
      for (size_t a = 0; a < rule.Alternatives(); ++a)
        ForEachHolding(c, rule.Anchor(a), [&](size_t i) {
          if (test.Passes(c, i) && rule.MatchesAlternative(a, c.Name(i))) found.push_back(static_cast<uint32_t>(i));
        });
      std::sort(found.begin(), found.end());
      found.erase(std::unique(found.begin(), found.end()), found.end());
      for (uint32_t i : found) out.Add(chunk, i);
    }
  };

  // A large index is searched on every core, each taking a run of chunks;
  // the runs' hits are joined in order. Nothing changes the index meanwhile:
  // the call returns only once every thread is done.
  const size_t n = chunks_.size();
  const size_t workers = n >= kChunksPerSearchThread * 2
                             ? std::min<size_t>({std::max(1u, std::thread::hardware_concurrency()), 8,
                                                 n / kChunksPerSearchThread})
                             : 1;
  if (workers <= 1) {
    scan(0, n, *hits);
    return hits;
  }
  std::vector<HitTable> parts(workers);
  std::vector<std::exception_ptr> failures(workers);
  std::vector<std::thread> threads;
  auto range = [&](size_t w) { return std::make_pair(n * w / workers, n * (w + 1) / workers); };
  auto run = [&](size_t w) {
    try {
      scan(range(w).first, range(w).second, parts[w]);
    } catch (...) {
      failures[w] = std::current_exception();
    }
  };
  try {
    for (size_t w = 1; w < workers; ++w) threads.emplace_back(run, w);
  } catch (...) {
    // No thread to be had: the rest is searched here.
    for (size_t w = threads.size() + 1; w < workers; ++w) run(w);
  }
  run(0);
  for (std::thread& t : threads) t.join();
  for (const std::exception_ptr& f : failures)
    if (f) std::rethrow_exception(f);
  for (const HitTable& part : parts) hits->Append(part);
  return hits;
}

}  // namespace catalog
