// Times of entries: read from the disk at full precision and stored as they
// are (before 1970, after 2038, a FAT-style even second), and shown in the
// local time that held at that moment, across a change to or from summer
// time.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "catalog/connection.h"
#include "catalog/statements.h"
#include "create/posix_source.h"
#include "create/snapshot_job.h"
#include "platform/file_time.h"
#include "tests/native/test_support.h"

namespace {

struct Moment {
  const char* name;
  int64_t seconds;
  int64_t nanoseconds;  // a multiple of 100: the ticks keep every digit
};

const Moment kMoments[] = {
    {"before1970.txt", -1234567890, 123456700},
    {"after2038.txt", (int64_t{1} << 31) + 5, 999999900},
    {"year2100.txt", 4102444800, 100},
    {"fat_even.txt", 1700000000, 0},
};

void SetTime(const std::string& path, int64_t sec, int64_t nsec) {
  struct timespec t[2];
  t[0].tv_sec = t[1].tv_sec = static_cast<time_t>(sec);
  t[0].tv_nsec = t[1].tv_nsec = static_cast<long>(nsec);
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), t, 0), 0) << path;
}

TEST(EntryTimes, KnownTimesReadBackExactlyFromTheDiskAndTheCatalogue) {
  testsupport::TempDir disk, store;
  for (const Moment& m : kMoments) {
    std::ofstream(disk.File(m.name)).close();
    SetTime(disk.File(m.name), m.seconds, m.nanoseconds);
  }
  std::filesystem::create_directory(disk.File("folder"));
  SetTime(disk.File("folder"), 86399, 0);

  testsupport::MakeEmptyCatalog(store.File("Kestrova"));
  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(store.Path() + "/"));
  cn.Open();
  catalog::Query q(&cn);
  create::PosixSource source;
  int state = create::kScanIdle;
  create::ScanHooks hooks;
  hooks.state = [&] { return state; };
  create::SnapshotRequest request{"T", disk.Path() + "/", 1024, "", {}};
  create::TakeSnapshot(q, source, request, hooks, [&] { state = create::kScanRunning; });

  for (const Moment& m : kMoments) {
    catalog::OpenFileRow(q, "[T]:\\", m.name);
    ASSERT_FALSE(q.Eof()) << m.name;
    EXPECT_EQ(q.AsInteger("Modified"), filetime::FromUnix(m.seconds, m.nanoseconds)) << m.name;
    EXPECT_EQ(filetime::ToUnixSeconds(q.AsInteger("Modified")), m.seconds) << m.name;
  }
  catalog::OpenFileRow(q, "[T]:\\", "folder");
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsInteger("Modified"), filetime::FromUnix(86399, 0));
  q.Close();
}

class LocalZone : public ::testing::Test {
 protected:
  void Use(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }
  void TearDown() override {
    if (old_)
      setenv("TZ", old_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  std::string Local(int64_t unixSeconds) { return filetime::FormatLocal(filetime::FromUnix(unixSeconds, 0)); }

 private:
  std::optional<std::string> old_ = std::getenv("TZ") ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
};

TEST_F(LocalZone, ShowsTheOffsetThatHeldAtThatMomentAcrossSummerTime) {
  Use("Europe/Berlin");
  // 2026-03-29 01:00 UTC: the clocks go from 02:00 to 03:00.
  EXPECT_EQ(Local(1774745999), "2026-03-29 01:59:59");
  EXPECT_EQ(Local(1774746000), "2026-03-29 03:00:00");
  // 2026-10-25 01:00 UTC: from 03:00 back to 02:00; 02:30 happens twice.
  EXPECT_EQ(Local(1792889999), "2026-10-25 02:59:59");
  EXPECT_EQ(Local(1792890000), "2026-10-25 02:00:00");
  EXPECT_EQ(Local(1792891800), "2026-10-25 02:30:00");
  EXPECT_EQ(Local(1792888200), "2026-10-25 02:30:00");
  // A summer date is shown with the summer hour whatever the date today.
  EXPECT_EQ(Local(1782907200), "2026-07-01 14:00:00");
}

TEST_F(LocalZone, DatesBefore1970AndAfter2038AndTheUnknownTime) {
  Use("UTC");
  EXPECT_EQ(Local(-1), "1969-12-31 23:59:59");
  EXPECT_EQ(Local(-1234567890), "1930-11-18 00:28:30");
  EXPECT_EQ(Local((int64_t{1} << 31) + 5), "2038-01-19 03:14:13");
  EXPECT_EQ(Local(4102444800), "2100-01-01 00:00:00");
  EXPECT_EQ(filetime::FormatLocalDate(filetime::FromUnix(951782400, 0)), "2000-02-29");
  // A row made before the catalogue kept dates shows nothing, not 1601.
  EXPECT_EQ(filetime::FormatLocal(0), "");
  EXPECT_EQ(filetime::FormatLocalDate(0), "");
  // Ticks part-way into a second round down, also before 1970.
  EXPECT_EQ(filetime::ToUnixSeconds(filetime::FromUnix(-2, 500000000)), -2);
}

}  // namespace
