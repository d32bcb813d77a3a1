#include "stats/catalog_statistics.h"

#include <algorithm>
#include <unordered_map>

#include "catalog/name_index.h"
#include "catalog/search_conditions.h"
#include "stats/local_year.h"

namespace stats {
namespace {

using catalog::EntryKind;

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

SnapshotFigures Named(std::string_view label) {
  SnapshotFigures f;
  f.label = std::string(label);
  return f;
}

// Each stored path's snapshot, worked out once per path rather than per
// entry: the slot in the figures, or kNotChosen.
class SnapshotSlots {
 public:
  static constexpr int32_t kNotChosen = -1;

  SnapshotSlots(const catalog::TextTable& paths, const SnapshotChoice& choice, std::vector<SnapshotFigures>& out)
      : paths_(paths), fixed_(choice.labels.has_value()), out_(out) {
    slotOfPath_.assign(paths.Size(), kUnknown);
    if (!fixed_) return;
    for (const std::string& label : *choice.labels) {
      if (!slotOfLabel_.emplace(AsciiLower(label), static_cast<int32_t>(out_.size())).second) continue;
      out_.push_back(Named(label));
    }
  }

  int32_t Of(uint32_t path) {
    if (path >= slotOfPath_.size()) slotOfPath_.resize(path + 1, kUnknown);
    int32_t& slot = slotOfPath_[path];
    if (slot == kUnknown) slot = Find(path < paths_.Size() ? paths_.At(path) : std::string());
    return slot;
  }

 private:
  static constexpr int32_t kUnknown = -2;

  int32_t Find(const std::string& storedPath) {
    const std::string_view label = catalog::LabelOfPath(storedPath);
    const auto [it, added] = slotOfLabel_.emplace(AsciiLower(label), static_cast<int32_t>(out_.size()));
    if (!added) return it->second;
    if (fixed_) {
      it->second = kNotChosen;  // remembered, so the next path of it costs one look-up
      return kNotChosen;
    }
    out_.push_back(Named(label));
    return it->second;
  }

  const catalog::TextTable& paths_;
  const bool fixed_;
  std::vector<SnapshotFigures>& out_;
  std::vector<int32_t> slotOfPath_;
  std::unordered_map<std::string, int32_t> slotOfLabel_;
};

// Larger first; of equal sizes the earlier row.
bool Before(const FileRef& a, const FileRef& b) { return a.size != b.size ? a.size > b.size : a.rowid < b.rowid; }

// The kLargestFiles best files seen, as a heap whose top is the least of them.
class Largest {
 public:
  Largest() { heap_.reserve(kLargestFiles); }
  void Offer(int64_t size, const catalog::IndexChunk& c, uint32_t chunk, uint32_t i) {
    if (heap_.size() == kLargestFiles && size < heap_.front().size) return;  // the common case, decided at once
    const FileRef f{c.Rowid(i), size, chunk, i};
    if (heap_.size() < kLargestFiles) {
      heap_.push_back(f);
      std::push_heap(heap_.begin(), heap_.end(), Before);
    } else if (Before(f, heap_.front())) {
      std::pop_heap(heap_.begin(), heap_.end(), Before);
      heap_.back() = f;
      std::push_heap(heap_.begin(), heap_.end(), Before);
    }
  }
  std::vector<FileRef> Sorted() {
    std::sort(heap_.begin(), heap_.end(), Before);
    return std::move(heap_);
  }

 private:
  std::vector<FileRef> heap_;
};

std::vector<ExtensionTally> CommonExtensions(const catalog::IndexContents& contents, const std::vector<Tally>& byExt) {
  std::vector<uint32_t> used;
  for (uint32_t e = 0; e < byExt.size(); ++e)
    if (byExt[e].files > 0) used.push_back(e);
  auto text = [&](uint32_t e) -> std::string_view {
    return e < contents.extensions.size() ? std::string_view(contents.extensions[e]) : std::string_view();
  };
  auto before = [&](uint32_t a, uint32_t b) {
    if (byExt[a].files != byExt[b].files) return byExt[a].files > byExt[b].files;
    if (byExt[a].bytes != byExt[b].bytes) return byExt[a].bytes > byExt[b].bytes;
    return text(a) < text(b);
  };
  const size_t n = std::min(used.size(), kCommonExtensions);
  std::partial_sort(used.begin(), used.begin() + static_cast<ptrdiff_t>(n), used.end(), before);
  std::vector<ExtensionTally> out;
  for (size_t i = 0; i < n; ++i)
    out.push_back(ExtensionTally{used[i], std::string(text(used[i])), byExt[used[i]].files, byExt[used[i]].bytes});
  return out;
}

}  // namespace

CatalogStatistics ComputeStatistics(const catalog::IndexContents& contents, const SnapshotChoice& choice,
                                    const UtcOffset& offset) {
  CatalogStatistics s;
  static const catalog::TextTable kNoPaths;
  SnapshotSlots slots(contents.paths ? *contents.paths : kNoPaths, choice, s.snapshots);
  const LocalYears years(offset);
  std::vector<Tally> byExt(contents.extensions.size());
  // Years by offset from the first year seen, grown as needed (a few dozen).
  std::vector<Tally> byYear;
  int firstYear = 0;
  Largest largest;

  for (size_t ci = 0; ci < contents.chunks.size(); ++ci) {
    const catalog::IndexChunk& c = *contents.chunks[ci];
    const size_t n = std::min(contents.entries[ci], c.Size());
    for (size_t i = 0; i < n; ++i) {
      const EntryKind kind = c.kind[i];
      if (kind != EntryKind::File && kind != EntryKind::Folder) continue;
      const int32_t slot = slots.Of(c.path[i]);
      if (slot == SnapshotSlots::kNotChosen) continue;
      SnapshotFigures& snap = s.snapshots[static_cast<size_t>(slot)];
      // What an archive holds is counted once, in the archive's own size.
      if (c.inArchive[i]) continue;
      if (kind == EntryKind::Folder) {
        ++s.folders;
        ++snap.folders;
        continue;
      }
      const int64_t size = std::max<int64_t>(c.size[i], 0);
      ++s.files;
      s.bytes += size;
      ++snap.files;
      snap.bytes += size;
      const uint32_t ext = c.ext[i];
      if (ext >= byExt.size()) byExt.resize(ext + 1);
      byExt[ext].files++;
      byExt[ext].bytes += size;
      const auto category = ext < contents.categories.size() ? contents.categories[ext] : catalog::FileCategory::Other;
      Tally& cat = s.categories[static_cast<size_t>(category)];
      ++cat.files;
      cat.bytes += size;

      const int64_t modified = c.modified[i];
      Tally* year = &s.undated;
      // 0 is "not known" too, as the file times read it.
      if (modified != catalog::kUnknownTime && modified > 0) {
        const int y = years.Of(modified);
        if (byYear.empty()) firstYear = y;
        if (y < firstYear) {
          byYear.insert(byYear.begin(), static_cast<size_t>(firstYear - y), Tally{});
          firstYear = y;
        }
        if (static_cast<size_t>(y - firstYear) >= byYear.size()) byYear.resize(static_cast<size_t>(y - firstYear) + 1);
        year = &byYear[static_cast<size_t>(y - firstYear)];
      }
      ++year->files;
      year->bytes += size;
      largest.Offer(size, c, static_cast<uint32_t>(ci), static_cast<uint32_t>(i));
    }
  }
  for (size_t y = 0; y < byYear.size(); ++y)
    if (byYear[y].files > 0) s.years.push_back(YearTally{firstYear + static_cast<int>(y), byYear[y].files, byYear[y].bytes});
  s.largest = largest.Sorted();
  s.extensions = CommonExtensions(contents, byExt);
  return s;
}

std::string ExtensionText(std::string_view extension) {
  return extension.empty() ? std::string("(无扩展名)") : "." + std::string(extension);
}

std::string_view NameOf(const catalog::IndexContents& contents, const FileRef& f) {
  return contents.chunks[f.chunk]->Name(f.entry);
}

const std::string& FolderOf(const catalog::IndexContents& contents, const FileRef& f) {
  return contents.paths->At(contents.chunks[f.chunk]->path[f.entry]);
}

}  // namespace stats
