// The search's conditions and its wildcard and alternative texts against a
// plain evaluation of the same rules over generated entries: sizes at the
// unit boundaries, times at midnight local and UTC, open ends, names with
// "%", "_" and "[", alternatives left empty. And the hit list's sorting
// against a plain stable sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "catalog/file_category.h"
#include "catalog/hit_table.h"
#include "catalog/name_index.h"
#include "catalog/name_pattern.h"
#include "catalog/name_rule.h"
#include "platform/case_fold.h"
#include "platform/text.h"

using catalog::EntryKind;
using catalog::NameIndex;
using catalog::SearchConditions;
using catalog::SearchRequest;

namespace {

using Rowids = std::vector<int64_t>;

// "*" any run, "?" one character: the plain recursive reading.
bool WildcardPlain(std::string_view p, std::string_view s) {
  if (p.empty()) return s.empty();
  if (p[0] == '*') {
    for (size_t i = 0; i <= s.size(); i = i < s.size() ? i + text::FoldedCharLength(s, i) : i + 1)
      if (WildcardPlain(p.substr(1), s.substr(std::min(i, s.size())))) return true;
    return false;
  }
  if (s.empty()) return false;
  if (p[0] == '?') return WildcardPlain(p.substr(1), s.substr(text::FoldedCharLength(s, 0)));
  return p[0] == s[0] && WildcardPlain(p.substr(1), s.substr(1));
}

bool TextPlain(const std::string& text, const std::string& folded) {
  std::vector<std::string> alternatives;
  if (text.find('|') == std::string::npos) {
    alternatives.push_back(text);
  } else {
    std::string cur;
    for (char c : text + "|") {
      if (c != '|') { cur += c; continue; }
      if (!cur.empty()) alternatives.push_back(cur);
      cur.clear();
    }
  }
  for (const std::string& a : alternatives) {
    const bool wild = a.find_first_of("*?") != std::string::npos;
    if (wild ? WildcardPlain(text::Folded(a), folded) : catalog::NamePattern(a).Matches(folded)) return true;
  }
  return false;
}

struct Plain {
  int64_t rowid;
  EntryKind kind;
  std::string name;  // as stored
  int64_t size;
  int64_t modified;
  std::string path;
};

bool Passes(const Plain& e, const SearchRequest& r) {
  const SearchConditions& c = r.conditions;
  const bool file = e.kind == EntryKind::File, folder = e.kind == EntryKind::Folder;
  if (!(r.folders && r.files) && !((r.folders && folder) || (r.files && file))) return false;
  if ((c.HasSize() || c.HasKind()) && !file) return false;
  if (c.minSize && e.size < *c.minSize) return false;
  if (c.maxSize && e.size > *c.maxSize) return false;
  if (c.HasDate() && (e.modified == catalog::kUnknownTime || (c.modifiedFrom && e.modified < *c.modifiedFrom) ||
                      (c.modifiedBefore && e.modified >= *c.modifiedBefore)))
    return false;
  if (c.HasKind()) {
    const std::string ext = text::Folded(catalog::ExtensionOf(e.name));
    const bool listed = std::find(c.extensions.begin(), c.extensions.end(), ext) != c.extensions.end();
    if (!listed && !(c.categories & catalog::CategoryBit(catalog::CategoryOfExtension(ext)))) return false;
  }
  const std::string label(catalog::LabelOfPath(e.path));
  if (c.labels) {
    bool any = false;
    for (const std::string& l : *c.labels) any = any || text::AsciiUpper(l) == text::AsciiUpper(label);
    if (!any) return false;
  }
  if (!c.labelText.empty() && !TextPlain(c.labelText, text::Folded(label))) return false;
  return TextPlain(r.text.substr(0, r.text.find('\0')), text::Folded(e.name));
}

constexpr int64_t kDay = 864000000000;  // file-time ticks
constexpr int64_t kMidnightUtc = 132000000000000000 / kDay * kDay;
constexpr int64_t kMidnightLocal = kMidnightUtc - 8 * 36000000000;  // 00:00 in UTC+8

class SearchConditionsDifferential : public ::testing::Test {
 protected:
  void SetUp() override {
    std::mt19937 rng(24);
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
    const char* stems[] = {"IMG_0001", "img_12", "report", "100%_done", "a[1]", "照片", "Été", "x", "",  "mkv"};
    const char* exts[] = {".JPG", ".iso", ".mkv", ".avi", ".txt", ".exe", "", ".tar.gz", ".Img", ".nrg", "."};
    const char* labels[] = {"BACKUP_1", "backup_2", "CD_1", "Photos%", "[x]"};
    const int64_t sizes[] = {0, 1, 1023, 1024, 1025, 1048575, 1048576, 1048577, 1073741824, 5000000000};
    const int64_t times[] = {catalog::kUnknownTime, kMidnightUtc - 1, kMidnightUtc, kMidnightUtc + 1,
                             kMidnightLocal - 1, kMidnightLocal, kMidnightLocal + kDay, 0};
    std::vector<NameIndex::Row> rows;
    for (int64_t r = 1; r <= 3000; ++r) {
      Plain e;
      e.rowid = r * 3 + static_cast<int64_t>(pick(3));
      e.kind = pick(8) == 0 ? EntryKind::Folder : pick(40) == 0 ? EntryKind::Other : EntryKind::File;
      e.name = std::string(stems[pick(std::size(stems))]) + exts[pick(std::size(exts))];
      if (e.name.empty()) e.name = "n";
      e.size = sizes[pick(std::size(sizes))];
      e.modified = times[pick(std::size(times))];
      e.path = "[" + std::string(labels[pick(std::size(labels))]) + "]:\\" + (pick(2) ? "sub\\" : "");
      entries.push_back(e);
      rows.emplace_back(e.rowid, e.kind, text::Folded(e.name), e.size, e.modified, e.path);
    }
    index.Replace(rows.front().rowid, rows.back().rowid, rows);
  }

  Rowids Expected(const SearchRequest& r) const {
    Rowids out;
    for (const Plain& e : entries)
      if (Passes(e, r)) out.push_back(e.rowid);
    return out;
  }

  std::vector<Plain> entries;
  NameIndex index{64};  // small chunks: hits cross chunk boundaries
};

TEST_F(SearchConditionsDifferential, EveryConditionAndCombinationFindsThePlainEvaluationsRows) {
  const std::vector<std::string> texts = {"",       "%",       "_",        "[",          "img",     "*.iso",
                                          "IMG_????.JPG", "*.mkv|*.avi", "*.mkv|",  "|",     "|x",      "*%*",
                                          "a[1]*",  "*_*",     "?",        "照*",        "*.",      "100%",
                                          "*.tar.gz", "report|img", "é", "*é*|照片"};
  std::vector<std::function<void(SearchConditions&)>> conditions = {
      [](SearchConditions&) {},
      [](SearchConditions& c) { c.minSize = 1024; },
      [](SearchConditions& c) { c.maxSize = 1048576; },
      [](SearchConditions& c) { c.minSize = 1025, c.maxSize = 1048576; },
      [](SearchConditions& c) { c.minSize = 1073741824; },
      [](SearchConditions& c) { c.modifiedFrom = kMidnightUtc; },
      [](SearchConditions& c) { c.modifiedBefore = kMidnightLocal; },
      [](SearchConditions& c) { c.modifiedFrom = kMidnightLocal, c.modifiedBefore = kMidnightLocal + kDay; },
      [](SearchConditions& c) { c.categories = catalog::CategoryBit(catalog::FileCategory::Picture); },
      [](SearchConditions& c) { c.categories = catalog::CategoryBit(catalog::FileCategory::Other); },
      [](SearchConditions& c) { c.extensions = catalog::ParseExtensionList("iso; .IMG,nrg"); },
      [](SearchConditions& c) {
        c.categories = catalog::CategoryBit(catalog::FileCategory::Video);
        c.extensions = {"nrg"};
      },
      [](SearchConditions& c) { c.labels = std::vector<std::string>{"backup_1", "[X]"}; },
      [](SearchConditions& c) { c.labels = std::vector<std::string>{}; },
      [](SearchConditions& c) { c.labelText = "BACKUP*"; },
      [](SearchConditions& c) { c.labelText = "%"; },
      [](SearchConditions& c) {
        c.minSize = 1, c.modifiedFrom = kMidnightLocal, c.labelText = "backup";
        c.categories = catalog::CategoryBit(catalog::FileCategory::Archive);
      },
  };
  int checked = 0;
  for (const std::string& t : texts)
    for (size_t ci = 0; ci < conditions.size(); ++ci)
      for (int options = 1; options <= 3; ++options) {
        SearchRequest r;
        r.text = t;
        r.folders = options & 1;
        r.files = options & 2;
        conditions[ci](r.conditions);
        ASSERT_EQ(index.FindHits(r)->Rowids().ToVector(), Expected(r))
            << "text \"" << t << "\", condition " << ci << ", options " << options;
        ++checked;
      }
  EXPECT_EQ(checked, static_cast<int>(texts.size() * conditions.size() * 3));
}

TEST(SearchTexts, PlainTextsKeepTheirMeaningAndNewFormsNeedTheirCharacters) {
  EXPECT_FALSE(catalog::UsesWildcards("100%_[a]"));
  catalog::NameRule plain("e%x");
  EXPECT_TRUE(plain.Matches("index.txt"));  // contains, as before
  catalog::NameRule wild("*.TXT");
  EXPECT_TRUE(wild.Matches("a.txt"));
  EXPECT_FALSE(wild.Matches("a.txt.bak"));  // whole names
  EXPECT_TRUE(catalog::NameRule("img_????.jpg").Matches("img_0001.jpg"));
  EXPECT_TRUE(catalog::NameRule("??.jpg").Matches("照片.jpg"));  // characters, not bytes
  EXPECT_FALSE(catalog::NameRule("?.jpg").Matches("照片.jpg"));
  EXPECT_TRUE(catalog::NameRule("*%*").Matches("100%"));  // "%" is literal in a wildcard
  EXPECT_FALSE(catalog::NameRule("*%*").Matches("100"));
  EXPECT_EQ(catalog::NameRule("|").Alternatives(), 0u);
  EXPECT_EQ(catalog::NameRule("*.mkv||*.avi|").Alternatives(), 2u);
  EXPECT_EQ(catalog::ParseExtensionList(" .ISO;img,,nrg "), (std::vector<std::string>{"iso", "img", "nrg"}));
  EXPECT_EQ(catalog::LabelOfPath("[CD]:\\a]:\\"), "CD");
  EXPECT_EQ(catalog::LabelOfPath("CD:\\"), "");
}

TEST(FileCategories, ExtensionsChooseTheCategoryWhateverTheirCase) {
  EXPECT_EQ(catalog::CategoryOfName("a.JPG"), catalog::FileCategory::Picture);
  EXPECT_EQ(catalog::CategoryOfName("a.tar.GZ"), catalog::FileCategory::Archive);
  EXPECT_EQ(catalog::CategoryOfName("movie.mkv"), catalog::FileCategory::Video);
  EXPECT_EQ(catalog::CategoryOfName("song.flac"), catalog::FileCategory::Music);
  EXPECT_EQ(catalog::CategoryOfName("setup.exe"), catalog::FileCategory::Program);
  EXPECT_EQ(catalog::CategoryOfName("a.docx"), catalog::FileCategory::Document);
  EXPECT_EQ(catalog::CategoryOfName("jpg"), catalog::FileCategory::Other);
  EXPECT_EQ(catalog::CategoryOfName("a."), catalog::FileCategory::Other);
  EXPECT_EQ(catalog::CategoryOfName("a.jpgx"), catalog::FileCategory::Other);
  EXPECT_EQ(catalog::CategoryName(catalog::FileCategory::Archive), "压缩包");
}

TEST_F(SearchConditionsDifferential, HitsSortByEachColumnAsAStableSortOfTheSameRows) {
  SearchRequest all;
  auto hits = index.FindHits(all);
  ASSERT_EQ(hits->size(), entries.size());
  using catalog::HitColumn;
  struct Case {
    HitColumn column;
    std::function<bool(const Plain&, const Plain&)> less;
  };
  auto folded = [](const Plain& e) { return text::Folded(e.name); };
  auto label = [](const Plain& e) { return std::string(catalog::LabelOfPath(e.path)); };
  const std::vector<Case> cases = {
      {HitColumn::Name, [&](const Plain& a, const Plain& b) { return folded(a) < folded(b); }},
      {HitColumn::Size, [](const Plain& a, const Plain& b) { return a.size < b.size; }},
      {HitColumn::Modified, [](const Plain& a, const Plain& b) { return a.modified < b.modified; }},
      {HitColumn::Folder,
       [&](const Plain& a, const Plain& b) {
         return std::make_tuple(a.path, folded(a)) < std::make_tuple(b.path, folded(b));
       }},
      {HitColumn::Snapshot,
       [&](const Plain& a, const Plain& b) {
         return std::make_tuple(label(a), a.path, folded(a)) < std::make_tuple(label(b), b.path, folded(b));
       }},
  };
  for (const Case& c : cases)
    for (bool ascending : {true, false}) {
      // Each sort starts from rowid order, as after a search.
      auto table = index.FindHits(all);
      table->SortBy(c.column, ascending);
      std::vector<Plain> expected = entries;
      std::stable_sort(expected.begin(), expected.end(),
                       [&](const Plain& a, const Plain& b) { return ascending ? c.less(a, b) : c.less(b, a); });
      Rowids want;
      for (const Plain& e : expected) want.push_back(e.rowid);
      if (ascending || c.column == HitColumn::Size || c.column == HitColumn::Modified || c.column == HitColumn::Name) {
        EXPECT_EQ(table->Rowids().ToVector(), want) << "column " << static_cast<int>(c.column) << " " << ascending;
      }
      // Descending by folder: the folders turn round, the names in each stay.
      for (size_t i = 1; i < table->size(); ++i) {
        const bool inOrder = ascending ? !(table->Path(i) < table->Path(i - 1)) : !(table->Path(i - 1) < table->Path(i));
        if (c.column == HitColumn::Folder) {
          ASSERT_TRUE(inOrder) << i;
        }
      }
    }
}

TEST_F(SearchConditionsDifferential, HitsOutliveTheIndexThatFoundThem) {
  SearchRequest r;
  r.text = "*.iso";
  auto hits = index.FindHits(r);
  ASSERT_FALSE(hits->empty());
  const Rowids before = hits->Rowids().ToVector();
  const std::string path = hits->Path(0);
  const int64_t size = hits->Size(0);
  index.Clear();  // every chunk and the path table dropped by the index
  index.Replace(1, 1, {{1, EntryKind::File, "other.iso", 7, 0, "[Z]:\\"}});
  EXPECT_EQ(hits->Rowids().ToVector(), before);
  EXPECT_EQ(hits->Path(0), path);
  EXPECT_EQ(hits->Size(0), size);
  EXPECT_EQ(index.FindHits(r)->size(), 1u);
}

}  // namespace
