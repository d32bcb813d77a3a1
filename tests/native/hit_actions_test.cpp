// What the search panel's conditions ask for as typed, and what the actions
// on hits write: stored paths, paths on a drive, the tree view's steps, the
// CSV of the hits, the kept history of search texts.
#include <gtest/gtest.h>

#include "app/main_settings.h"
#include "maintain/condition_inputs.h"
#include "maintain/entry_paths.h"
#include "maintain/hit_export.h"
#include "platform/file_time.h"

namespace {

using maintain::ConditionInputs;

TEST(ConditionInputs, SizesInTheirUnitsDatesAsWholeLocalDaysAndLabels) {
  std::string error;
  ConditionInputs in;
  auto c = maintain::ConditionsFrom(in, error);
  ASSERT_TRUE(c);
  EXPECT_FALSE(c->Any());  // nothing typed, nothing asked

  in.minSize = "1.5";
  in.maxSize = " 2 ";
  in.sizeUnit = 3;
  c = maintain::ConditionsFrom(in, error);
  ASSERT_TRUE(c);
  EXPECT_EQ(*c->minSize, 1610612736);
  EXPECT_EQ(*c->maxSize, 2147483648);
  in.sizeUnit = 0;
  in.minSize = "1024";
  in.maxSize = "";
  c = maintain::ConditionsFrom(in, error);
  EXPECT_EQ(*c->minSize, 1024);
  EXPECT_FALSE(c->maxSize);

  for (const char* bad : {"abc", "-1", "1e30", "1,5"}) {
    in.minSize = bad;
    EXPECT_FALSE(maintain::ConditionsFrom(in, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
  in.minSize = "5";
  in.maxSize = "4";
  EXPECT_FALSE(maintain::ConditionsFrom(in, error));
  in = {};

  in.from = maintain::CalendarDate{2019, 1, 1};
  in.to = maintain::CalendarDate{2019, 12, 31};
  c = maintain::ConditionsFrom(in, error);
  ASSERT_TRUE(c);
  // Local midnight of the first day, and of the day after the last.
  const int64_t from = *c->modifiedFrom, before = *c->modifiedBefore;
  EXPECT_EQ(filetime::FormatLocal(from), "2019-01-01 00:00:00");
  EXPECT_EQ(filetime::FormatLocal(before), "2020-01-01 00:00:00");
  EXPECT_EQ(filetime::FormatLocal(before - 1), "2019-12-31 23:59:59");
  in.from = maintain::CalendarDate{2020, 1, 2};
  EXPECT_FALSE(maintain::ConditionsFrom(in, error));
  in = {};

  in.category = 3;  // 视频
  in.extensions = "iso; .IMG";
  in.snapshots = maintain::SnapshotChoice::Labels;
  in.snapshotText = " CD_1 ;; BACKUP 2;";
  c = maintain::ConditionsFrom(in, error);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->categories, catalog::CategoryBit(catalog::FileCategory::Video));
  EXPECT_EQ(c->extensions, (std::vector<std::string>{"iso", "img"}));
  EXPECT_EQ(*c->labels, (std::vector<std::string>{"CD_1", "BACKUP 2"}));
  in.snapshots = maintain::SnapshotChoice::LabelText;
  in.snapshotText = " BACKUP* ";
  c = maintain::ConditionsFrom(in, error);
  EXPECT_FALSE(c->labels);
  EXPECT_EQ(c->labelText, "BACKUP*");
}

TEST(HitActions, StoredPathsPathsOnADriveAndTheTreeSteps) {
  const maintain::EntryRef file{"[CD_1]:\\backup\\相片\\", "a,\"b\".jpg", false};
  EXPECT_EQ(maintain::StoredPathOf(file), "[CD_1]:\\backup\\相片\\a,\"b\".jpg");
  EXPECT_EQ(*maintain::PathOnDrive(file, "E:\\"), "E:\\backup\\相片\\a,\"b\".jpg");
  EXPECT_EQ(*maintain::PathOnDrive(file, "E:"), "E:\\backup\\相片\\a,\"b\".jpg");
  EXPECT_EQ(*maintain::PathOnDrive({"[CD_1]:\\", "top", true}, "F:\\"), "F:\\top");
  EXPECT_FALSE(maintain::PathOnDrive({"no root", "x", false}, "E:\\"));
  EXPECT_EQ(maintain::StepsBelowRoot(file), (std::vector<std::string>{"backup", "相片", "a,\"b\".jpg"}));
  EXPECT_EQ(maintain::StepsBelowRoot({"[CD]:\\", "x", false}), (std::vector<std::string>{"x"}));
  EXPECT_EQ(maintain::PathLines({file, {"[D]:\\", "y", true}}), "[CD_1]:\\backup\\相片\\a,\"b\".jpg\r\n[D]:\\y");
}

TEST(HitActions, CsvHasABomAHeaderAndQuotesAsRfc4180Says) {
  const std::vector<maintain::HitLine> hits = {
      {"a,\"b\".jpg", "文件", "[CD]:\\x\\", "1.0 KB", "2019-01-01 00:00", "CD"},
      {"line\nbreak", "文件", "[CD]:\\", "1 B", "", "CD"},
      {" lead", "目录", "[CD]:\\", "", "", "CD"},
  };
  EXPECT_EQ(maintain::HitsCsv(hits),
            "\xEF\xBB\xBF名称,类别,位置,大小,修改日期,快照\r\n"
            "\"a,\"\"b\"\".jpg\",文件,[CD]:\\x\\,1.0 KB,2019-01-01 00:00,CD\r\n"
            "\"line\nbreak\",文件,[CD]:\\,1 B,,CD\r\n"
            "\" lead\",目录,[CD]:\\,,,CD\r\n");
  EXPECT_EQ(maintain::HitsPlainText(hits).rfind("\xEF\xBB\xBF[CD]:\\x\\a,\"b\".jpg\r\n[CD]:\\line", 0), 0u);
  EXPECT_TRUE(maintain::IsCsvName("x.CSV"));
  EXPECT_FALSE(maintain::IsCsvName("csv"));
}

TEST(SearchHistory, LatestFirstOnceEachAtMostTwenty) {
  std::vector<std::string> h;
  for (int i = 0; i < 25; ++i) h = app::WithSearchText(h, "t" + std::to_string(i));
  ASSERT_EQ(h.size(), app::kSearchHistoryLength);
  EXPECT_EQ(h.front(), "t24");
  EXPECT_EQ(h.back(), "t5");
  h = app::WithSearchText(h, "t10");
  EXPECT_EQ(h.front(), "t10");
  EXPECT_EQ(std::count(h.begin(), h.end(), "t10"), 1);
  EXPECT_EQ(app::WithSearchText(h, "  "), h);
}

}  // namespace
