// The name index against plain evaluations of the search rule: the folding
// table, 1,000 generated texts against a catalogue of generated names, the
// chunks under random changes, and the index kept in step with every write
// the program makes.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "catalog/name_index.h"
#include "catalog/name_pattern.h"
#include "platform/case_fold.h"
#include "tests/native/maintain_fixture.h"

using catalog::EntryKind;
using catalog::NameIndex;
using text::Folded;

namespace {

using Rowids = std::vector<int64_t>;

TEST(CaseFold, FoldsLettersOfEveryScriptOneToOne) {
  EXPECT_EQ(Folded("ÉTÉ Été"), "été été");
  EXPECT_EQ(Folded("ＡＢＣ"), "ａｂｃ");
  EXPECT_EQ(Folded("ΣΑΣ ς"), "σασ σ");
  EXPECT_EQ(Folded("ЖУК"), "жук");
  EXPECT_EQ(Folded("\u212A\u017F"), "ks");        // Kelvin sign, long s
  EXPECT_EQ(Folded("\u1E9E"), "\u00DF");          // capital sharp s: simple folding only
  EXPECT_EQ(Folded("\u0130"), "\u0130");          // dotted capital I has no simple folding
  EXPECT_EQ(Folded("\uAB70"), "\u13A0");          // Cherokee folds to the capital letters
  EXPECT_EQ(Folded("\U00010400"), "\U00010428");  // beyond the BMP
  EXPECT_EQ(Folded("照片 100%_x.TXT"), "照片 100%_x.txt");
  // Malformed bytes are kept, one character each.
  const std::string bad = "A\x80\xC3(\xF5Z";
  EXPECT_EQ(Folded(bad), "a\x80\xC3(\xF5z");
  size_t chars = 0;
  for (size_t i = 0; i < bad.size(); i += text::FoldedCharLength(bad, i)) ++chars;
  EXPECT_EQ(chars, 6u);
}

// ---- the differential test

// The reference: SQLite's own LIKE over names and text folded by the same
// table, with the plain statement's conditions on Type.
void FoldFunction(sqlite3_context* ctx, int, sqlite3_value** v) {
  if (sqlite3_value_type(v[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  std::string f = Folded(reinterpret_cast<const char*>(sqlite3_value_text(v[0])));
  sqlite3_result_text(ctx, f.data(), static_cast<int>(f.size()), SQLITE_TRANSIENT);
}

Rowids Reference(sqlite3* db, const std::string& text, bool folders, bool files) {
  std::string sql = "Select r From Ref Where f Like '%' || fold(?) || '%'";
  if (!folders) sql += " And Type=0";
  if (!files) sql += " And Type=1";
  sql += " Order By r";
  sqlite3_stmt* st = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK);
  sqlite3_bind_text(st, 1, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  Rowids out;
  while (sqlite3_step(st) == SQLITE_ROW) out.push_back(sqlite3_column_int64(st, 0));
  sqlite3_finalize(st);
  return out;
}

// Letters in both cases, Chinese, wildcards as names hold them, blanks.
const std::vector<std::string> kLower = {"a", "b", "q", "z", "é", "ω", "σ", "ж", "ａ", "𐐨", "ß", "i", "k", "s"};
const std::vector<std::string> kUpper = {"A", "B", "Q", "Z", "É", "Ω", "Σ", "Ж", "Ａ", "𐐀", "ẞ", "İ", "\u212A", "ſ"};
const std::vector<std::string> kOther = {"照", "片", "文", "件", "%", "_", " ", ".", "0", "9", "'", "ς", "-"};

class Generator {
 public:
  std::string Char() {
    const size_t n = kLower.size() + kUpper.size() + kOther.size();
    size_t i = Pick(n);
    if (i < kLower.size()) return kLower[i];
    i -= kLower.size();
    if (i < kUpper.size()) return kUpper[i];
    return kOther[i - kUpper.size()];
  }
  std::string Chars(size_t n) {
    std::string s;
    while (n--) s += Char();
    return s;
  }
  // The same letters with their case changed here and there.
  std::string FlipCase(const std::string& s) {
    std::string out = s;
    for (size_t k = 0; k < kLower.size(); ++k) {
      const std::string& from = Pick(2) ? kLower[k] : kUpper[k];
      const std::string& to = &from == &kLower[k] ? kUpper[k] : kLower[k];
      for (size_t p = out.find(from); p != std::string::npos; p = out.find(from, p + to.size()))
        if (Pick(2)) out.replace(p, from.size(), to);
    }
    return out;
  }
  std::string Wildcards(std::string s) {
    for (size_t n = Pick(3) + 1; n--;) s.insert(CharBoundary(s), Pick(2) ? "%" : "_");
    return s;
  }
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
  size_t CharBoundary(const std::string& s) {
    std::vector<size_t> at{0};
    for (size_t i = 0; i < s.size(); i += text::FoldedCharLength(s, i)) at.push_back(i + text::FoldedCharLength(s, i));
    return at[Pick(at.size())];
  }

 private:
  std::mt19937 rng_{20261209};
};

class NameSearchDifferential : public testsupport::CatalogFixture {};

TEST_F(NameSearchDifferential, ThousandTextsFindTheRowsOfThePlainRuleInRowidOrder) {
  Generator g;
  std::vector<std::string> names = {"", "report.doc", "REPORT.DOC", "100%.log", "a_c.txt", "abc.txt", "照片.jpg",
                                    "ÉTÉ", "été", "ＡＢＣ", "ａｂｃ", "Straße", "STRASSE", "quokka01.jpg"};
  while (names.size() < 400) names.push_back(g.Chars(g.Pick(12) + 1));
  AddSnapshot("CD1");
  cn.BeginTransaction();
  for (size_t i = 0; i < names.size(); ++i) AddRow("[CD1]:\\", names[i], i % 17 == 5 ? 7 : static_cast<int>(i % 2));
  cn.Commit();
  // Rows without a name or a type: found as the plain statement finds them.
  cn.Execute("Insert Into CDFile(Name, Path, Type) Values(NULL, '[CD1]:\\', 0), ('nameless type', '[CD1]:\\', NULL)");
  sqlite3* db = cn.Handle();
  ASSERT_EQ(sqlite3_create_function(db, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, FoldFunction,
                                    nullptr, nullptr),
            SQLITE_OK);
  cn.Execute("Create Temp Table Ref As Select rowid As r, fold(Name) As f, Type From CDFile");

  std::vector<std::string> texts = {"", " ", "  ", "%", "_", "%%", "__", "%_%", "ÉTÉ", "ＡＢＣ", "STRASSE", "ß",
                                    "quokka", "照片", "O'B", std::string(40, 'a')};
  while (texts.size() < 1000) {
    const std::string& name = names[g.Pick(names.size())];
    const size_t from = g.CharBoundary(name);
    std::string piece = name.substr(from, g.CharBoundary(name.substr(from)));
    switch (texts.size() % 7) {
      case 0: texts.push_back(g.FlipCase(piece)); break;                // common: part of a name
      case 1: texts.push_back(g.Wildcards(g.FlipCase(piece))); break;  // with "%" and "_" anywhere
      case 2: texts.push_back(g.Chars(1)); break;
      case 3: texts.push_back(g.Chars(2)); break;
      case 4: texts.push_back(g.Chars(6)); break;                       // rare
      case 5: texts.push_back(g.Chars(20) + name); break;               // longer than any name
      default: texts.push_back(" " + g.FlipCase(name) + (g.Pick(2) ? " " : "")); break;
    }
  }
  NameIndex& index = cn.Names();
  size_t withHits = 0;
  for (const std::string& t : texts) {
    for (int options = 0; options < 4; ++options) {
      const bool folders = options & 1, files = options & 2;
      const Rowids expected = Reference(db, t, folders, files);
      ASSERT_EQ(index.Search(cn, t, folders, files).ToVector(), expected) << "text \"" << t << "\" options " << options;
      ASSERT_EQ(NameIndex::ScanFile(cn, t, folders, files).ToVector(), expected) << "file, text \"" << t << "\" options " << options;
      withHits += !expected.empty();
    }
  }
  // The texts reach both sides of the rule.
  EXPECT_GT(withHits, 1000u);
  EXPECT_LT(withHits, 3500u);
}

// The new rule differs from the engine's LIKE exactly in letters beyond
// A to Z; everything else it finds as the engine does.
TEST_F(NameSearchDifferential, EngineLikeAndTheIndexAgreeOnAsciiLetters) {
  AddSnapshot("CD1");
  for (const char* n : {"Report.DOC", "report", "rEpOrT_1", "100%", "été", "ÉTÉ", "ａｂｃ"}) AddRow("[CD1]:\\", n, 0);
  auto namesOf = [&](const Rowids& rowids) {
    std::vector<std::string> out;
    for (int64_t r : rowids) {
      catalog::OpenEntry(q, r);
      out.push_back(q.AsString("Name"));
    }
    q.Close();
    return out;
  };
  for (const char* t : {"REPORT", "t_1", "0%", "%", "_", "po", "xyz"}) {
    std::vector<std::string> plain;
    for (catalog::OpenSearch(q, t, true, true); !q.Eof(); q.Next()) plain.push_back(q.AsString("Name"));
    q.Close();
    EXPECT_EQ(namesOf(cn.Names().Search(cn, t, true, true).ToVector()), plain) << t;
  }
  EXPECT_EQ(cn.Names().Search(cn, "été", true, true).size(), 2u);
  EXPECT_EQ(cn.Names().Search(cn, "ＡＢＣ", true, true).size(), 1u);
}

// ---- the chunks under random changes, against a plain map

TEST(NameIndexChunks, RandomReplacementsKeepTheEntriesAndTheirOrder) {
  std::mt19937 rng(7);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  NameIndex index(4);  // four entries a chunk: every change crosses chunks
  std::map<int64_t, std::string> model;
  for (int round = 0; round < 400; ++round) {
    int64_t first = pick(300), last = first + pick(round % 5 == 0 ? 120 : 8);
    if (round % 3 == 0 && !model.empty()) first = model.rbegin()->first + 1 + pick(3), last = first + pick(20);
    std::vector<NameIndex::Row> rows;
    for (auto it = model.lower_bound(first); it != model.end() && it->first <= last;) it = model.erase(it);
    for (int64_t r = first; r <= last; ++r) {
      if (pick(3) == 0) continue;
      std::string name = (pick(2) ? "x" : "y") + std::to_string(r);
      rows.push_back({r, EntryKind::File, name});
      model[r] = name;
    }
    index.Replace(first, last, rows);
    ASSERT_EQ(index.Entries(), model.size()) << "round " << round;
    for (const char* t : {"", "x", "y1", "_0"}) {
      Rowids expected;
      catalog::NamePattern p(t);
      for (auto& [r, n] : model)
        if (p.Matches(n)) expected.push_back(r);
      ASSERT_EQ(index.Find(t, true, true).ToVector(), expected) << "round " << round << " text " << t;
    }
  }
}

TEST(NameIndexChunks, OptionsChooseKinds) {
  NameIndex index;
  index.Replace(1, 3, {{1, EntryKind::File, "a"}, {2, EntryKind::Folder, "a"}, {3, EntryKind::Other, "a"}});
  EXPECT_EQ(index.Find("a", true, true).ToVector(), (Rowids{1, 2, 3}));
  EXPECT_EQ(index.Find("a", true, false).ToVector(), (Rowids{2}));
  EXPECT_EQ(index.Find("a", false, true).ToVector(), (Rowids{1}));
  EXPECT_EQ(index.Find("a", false, false).ToVector(), Rowids{});
}

}  // namespace
