// The skin store and the skin component's sources: load by index, item
// names, the persisted SkinStream and store layouts, skin files.
#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_store.h"
#include "skin_test_support.h"
#include "test_support.h"

namespace {

using namespace skin;
using skintest::StoredSkin;

std::string Named(const std::string& name) { return StoredSkin("[TitlebarSkin]\r\nSkinName=" + name + "\r\n"); }

void FillStore(TSkinStore& store, int count) {
  for (int i = 0; i < count; ++i) store.Store().Add().ReadDataStream(Named("S" + std::to_string(i)));
}

TEST(SkinStore, LoadsByIndexAndIgnoresIndexesOutside) {
  TSkinStore store;
  FillStore(store, 4);
  auto& manager = skintest::RecordingManager::Installed();
  manager.Reset();
  TSkinData data;
  auto announced = [&] { return manager.announced.size(); };
  EXPECT_TRUE(data.LoadFromStore(store, 2));
  EXPECT_EQ(data.Model().skinName, "S2");
  EXPECT_FALSE(data.SkinNotLoaded());
  EXPECT_EQ(announced(), 1u);
  for (int index : {4, 99, -1}) {
    EXPECT_FALSE(data.LoadFromStore(store, index));
    EXPECT_EQ(data.Model().skinName, "S2");
    EXPECT_FALSE(data.SkinNotLoaded());
    EXPECT_EQ(data.StoredSkin(), store.Store().Item(2).DataStream());
  }
  EXPECT_EQ(announced(), 1u);
}

TEST(SkinStore, RefusedSkinStaysNotLoadedButIsAnnounced) {
  skintest::MessageRecorder recorder;
  TSkinStore store;
  store.Store().Add().ReadDataStream(std::string(4, '\0'));  // an older, empty skin
  auto& manager = skintest::RecordingManager::Installed();
  manager.Reset();
  TSkinData data;
  auto announced = [&] { return manager.announced.size(); };
  EXPECT_FALSE(data.LoadFromStore(store, 0));
  EXPECT_TRUE(data.SkinNotLoaded());
  EXPECT_EQ(announced(), 1u);
  EXPECT_EQ(recorder.messages.size(), 1u);
}

TEST(SkinStore, ItemNamesAreUniqueInTheirCollection) {
  TSkinCollection c;
  TSkinCollectionItem& a = c.Add();
  TSkinCollectionItem& b = c.Add();
  EXPECT_EQ(a.Name(), "SkinItem0");
  EXPECT_EQ(b.Name(), "SkinItem1");
  a.SetName("MacOSX");
  a.SetName("MacOSX");  // its own name again: nothing
  try {
    b.SetName("MacOSX");
    FAIL() << "duplicate name taken";
  } catch (const ESkinNameError& e) {
    EXPECT_STREQ(e.what(), "The name MacOSX is already used.");
  }
  EXPECT_EQ(b.Name(), "SkinItem1");
  EXPECT_EQ(b.SkinData(), "Load Skin");
  b.SetSkinData("x");
  EXPECT_EQ(b.SkinData(), "Load Skin");
  EXPECT_THROW(c.Item(2), std::out_of_range);
}

TEST(SkinStore, AssignCopiesNamesAndStreams) {
  TSkinStore one;
  FillStore(one, 2);
  one.Store().Item(1).SetName("Second");
  TSkinStore two;
  two.SetStore(&one.Store());
  two.SetStore(nullptr);
  ASSERT_EQ(two.Store().Count(), 2);
  EXPECT_EQ(two.Store().Item(1).Name(), "Second");
  EXPECT_EQ(two.Store().Item(1).DataStream(), one.Store().Item(1).DataStream());
  EXPECT_EQ(two.Store().Item(1).DataSize(), static_cast<int64_t>(one.Store().Item(1).DataStream().size()));
}

TEST(SkinStore, PersistedStoreRoundTripsAndRefusesDamage) {
  TSkinStore store;
  FillStore(store, 3);
  store.Store().Item(0).SetName("碧海蓝天");
  std::string bytes = store.WritePersisted();
  TSkinStore back;
  ASSERT_TRUE(back.ReadPersisted(bytes));
  ASSERT_EQ(back.Store().Count(), 3);
  EXPECT_EQ(back.Store().Item(0).Name(), "碧海蓝天");
  EXPECT_EQ(back.Store().Item(2).DataStream(), store.Store().Item(2).DataStream());
  EXPECT_FALSE(back.ReadPersisted(bytes.substr(0, bytes.size() - 1)));
  EXPECT_EQ(back.Store().Count(), 0);
  EXPECT_FALSE(back.ReadPersisted(std::string("\xFF\xFF\xFF\x7F", 4)));  // a count no data backs
}

TEST(SkinStore, SkinStreamLayout) {
  TSkinData data;
  std::string stored = Named("Main");
  std::string persisted;
  AppendLE32(persisted, static_cast<uint32_t>(stored.size()));
  persisted += stored;
  ASSERT_TRUE(data.ReadSkinStream(persisted));
  EXPECT_FALSE(data.SkinNotLoaded());
  EXPECT_EQ(data.Model().skinName, "Main");
  EXPECT_EQ(data.WriteSkinStream(), persisted);

  TSkinData empty;
  EXPECT_TRUE(empty.ReadSkinStream(std::string(4, '\0')));
  EXPECT_TRUE(empty.SkinNotLoaded());
  EXPECT_EQ(empty.WriteSkinStream(), std::string(4, '\0'));

  TSkinData cut;
  EXPECT_FALSE(cut.ReadSkinStream(persisted.substr(0, persisted.size() - 1)));
  EXPECT_TRUE(cut.SkinNotLoaded());
}

TEST(SkinStore, SkinFileLoadsWhenPresent) {
  testsupport::TempDir dir;
  auto& manager = skintest::RecordingManager::Installed();
  manager.Reset();
  TSkinData data;
  auto announced = [&] { return manager.announced.size(); };
  data.SetSkinFile(dir.File("missing.skn"));
  EXPECT_TRUE(data.SkinNotLoaded());
  EXPECT_EQ(announced(), 0u);
  fileio::WriteFileAtomic(dir.File("a.skn"), Named("FromFile"));
  data.SetSkinFile(dir.File("a.skn"));
  EXPECT_FALSE(data.SkinNotLoaded());
  EXPECT_EQ(data.Model().skinName, "FromFile");
  EXPECT_EQ(announced(), 1u);
}

}  // namespace
