// The messages of the catalogue's hard places: engine codes map to the
// right problem, and the help file's page on the catalogue lists every
// message as the program shows it.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <sstream>

#include "catalog/store_messages.h"
#include "platform/file_io.h"
#include "tests/native/test_support.h"

using catalog::StoreProblem;

TEST(StoreMessages, EngineCodesAndTheirProblems) {
  EXPECT_EQ(catalog::ProblemOfEngineCode(SQLITE_READONLY), StoreProblem::kReadOnly);
  EXPECT_EQ(catalog::ProblemOfEngineCode(SQLITE_READONLY_DBMOVED), StoreProblem::kReadOnly);
  EXPECT_EQ(catalog::ProblemOfEngineCode(SQLITE_FULL), StoreProblem::kDiskFull);
  EXPECT_EQ(catalog::ProblemOfEngineCode(SQLITE_BUSY_SNAPSHOT), StoreProblem::kBusy);
  EXPECT_EQ(catalog::ProblemOfEngineCode(SQLITE_LOCKED), StoreProblem::kBusy);
  EXPECT_EQ(catalog::ProblemOfEngineCode(SQLITE_CORRUPT_INDEX), StoreProblem::kDamaged);
  EXPECT_EQ(catalog::ProblemOfEngineCode(SQLITE_NOTADB), StoreProblem::kDamaged);
  EXPECT_EQ(catalog::ProblemOfEngineCode(SQLITE_CONSTRAINT), StoreProblem::kOther);
  EXPECT_EQ(catalog::ProblemOfEngineCode(SQLITE_IOERR_READ), StoreProblem::kOther);
  EXPECT_EQ(catalog::ProblemMessage(StoreProblem::kOther, "x"), "");
}

TEST(StoreMessages, TheHelpPageListsEveryMessage) {
  std::ifstream in(std::string(VORLUNE_SOURCE_DIR) + "/docs/help/catalogue.htm");
  std::stringstream page;
  page << in.rdbuf();
  const std::string help = page.str();
  ASSERT_FALSE(help.empty());
  testsupport::TempDir dir;
  const std::string folder = dir.Path() + "/", file = folder + "Kestrova";
  // Every line of the message, with the paths as the page writes them.
  auto expectListed = [&](std::string message) {
    for (auto [path, shown] : {std::pair{folder + "Kestrova.bak", std::string("〈文件夹〉Kestrova.bak")},
                               std::pair{file, std::string("〈目录数据库文件〉")},
                               std::pair{folder + "list.txt", std::string("〈导出文件〉")}})
      for (size_t at; (at = message.find(path)) != std::string::npos;) message.replace(at, path.size(), shown);
    std::stringstream lines(message);
    for (std::string line; std::getline(lines, line, '\r');)
      EXPECT_NE(help.find(line), std::string::npos) << "not in the help page: " << line;
  };
  for (StoreProblem p : {StoreProblem::kReadOnly, StoreProblem::kDiskFull, StoreProblem::kBusy, StoreProblem::kDamaged})
    expectListed(catalog::ProblemMessage(p, file));
  fileio::WriteFileAtomic(folder + "Kestrova.bak", "backup");
  expectListed(catalog::DamagedMessage(file));
  expectListed(catalog::CompactionDiskFullMessage(file));
  expectListed(catalog::InUseQuestion(file));
  expectListed(fileio::WriteError(folder + "list.txt", true).what());
}
