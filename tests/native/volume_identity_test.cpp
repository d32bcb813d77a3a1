// Recognising a disk by its snapshot: the serial number and the volume
// label must both match, two disks of one label are two disks, and a disk
// that gives no serial number is never taken for a catalogued one.
#include <gtest/gtest.h>

#include "catalog/connection.h"
#include "catalog/statements.h"
#include "create/memory_source.h"
#include "create/snapshot_job.h"
#include "tests/native/test_support.h"

namespace {

class VolumeIdentityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::MakeEmptyCatalog(dir.File("Kestrova"));
    cn.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
    cn.Open();
    src.AddFile(create::MemorySource::kRoot, "a.txt", 1);
  }
  void Take(const std::string& label, const catalog::VolumeIdentity& v) {
    int state = create::kScanIdle;
    create::ScanHooks h;
    h.state = [&] { return state; };
    create::SnapshotRequest r{label, create::MemorySource::kRoot, 1024, "", v};
    create::TakeSnapshot(q, src, r, h, [&] { state = create::kScanRunning; });
  }
  std::string Found(const catalog::VolumeIdentity& v) {
    std::string label;
    catalog::SnapshotFacts facts;
    return catalog::FindSnapshotOfVolume(q, v, label, facts) ? label : "";
  }

  testsupport::TempDir dir;
  catalog::Connection cn;
  catalog::Query q{&cn};
  create::MemorySource src;
};

TEST_F(VolumeIdentityTest, TheSerialAndTheLabelTellDisksApart) {
  const catalog::VolumeIdentity first{0xA1B2C3D4, "PHOTOS", "FAT32", 2, 32000000000, 1000};
  catalog::VolumeIdentity second = first;
  second.serial = 0x0BADF00D;
  Take("CD_1", first);
  EXPECT_EQ(Found(first), "CD_1");
  EXPECT_EQ(Found(second), "");  // same label, other serial: another disk
  Take("CD_2", second);
  EXPECT_EQ(Found(first), "CD_1");
  EXPECT_EQ(Found(second), "CD_2");
  catalog::VolumeIdentity relabelled = first;
  relabelled.volumeLabel = "OTHER";
  EXPECT_EQ(Found(relabelled), "");

  std::string label;
  catalog::SnapshotFacts facts;
  ASSERT_TRUE(catalog::FindSnapshotOfVolume(q, second, label, facts));
  EXPECT_EQ(facts.volume.fileSystem, "FAT32");
  EXPECT_EQ(facts.volume.totalBytes, 32000000000);
  EXPECT_EQ(facts.volume.freeBytes, 1000);
  EXPECT_EQ(facts.volume.driveKind, 2);
  EXPECT_EQ(facts.files, 1);
  EXPECT_NE(facts.updated, 0);
}

TEST_F(VolumeIdentityTest, ADiskWithoutASerialIsNeverRecognised) {
  const catalog::VolumeIdentity share{0, "SHARE", "NTFS", 4, 0, 0};
  Take("NET", share);
  EXPECT_EQ(Found(share), "");
  EXPECT_FALSE(catalog::SameVolume(share, catalog::SnapshotFacts{share}));
  // A snapshot made before identities were kept reads as serial 0 too.
  catalog::AppendSnapshot(q, "OLD", 1, "");
  EXPECT_EQ(Found(catalog::VolumeIdentity{}), "");
}

}  // namespace
