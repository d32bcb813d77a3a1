// The skin component's switch: what it asks the skin manager, and when it
// keeps quiet (skin not loaded, owner still reading, not the main kind).
#include <gtest/gtest.h>

#include "skin/model/skin_data.h"
#include "skin/model/skin_store.h"
#include "skin_test_support.h"

namespace {

using namespace skin;

class SkinComponent : public ::testing::Test {
 protected:
  void SetUp() override { manager.Reset(); }
  void Load(TSkinData& d) {
    TSkinStore store;
    store.Store().Add().ReadDataStream(skintest::StoredSkin("[TitlebarSkin]\r\nSkinName=A\r\n"));
    ASSERT_TRUE(d.LoadFromStore(store, 0));
  }
  skintest::RecordingManager& manager = skintest::RecordingManager::Installed();
};

TEST_F(SkinComponent, RegistersInOrderOfConstructionAndLeavesOnDestruction) {
  size_t before = manager.registered.size();
  auto a = std::make_unique<TSkinData>();
  auto b = std::make_unique<TSkinData>();
  ASSERT_EQ(manager.registered.size(), before + 2);
  EXPECT_EQ(manager.registered[before], a.get());
  EXPECT_EQ(manager.registered[before + 1], b.get());
  a.reset();
  EXPECT_EQ(manager.registered.size(), before + 1);
  EXPECT_EQ(manager.registered.back(), b.get());
}

TEST_F(SkinComponent, ActiveAsksOnceAndOnlyWithALoadedSkin) {
  TSkinData d;
  d.SetActive(true);  // nothing loaded: stored, not asked
  EXPECT_TRUE(d.Active());
  EXPECT_TRUE(manager.requests.empty());
  d.SetActive(false);
  ASSERT_EQ(manager.requests.size(), 1u);
  EXPECT_EQ(manager.requests[0], kRequestDeactivate);

  Load(d);
  EXPECT_EQ(manager.announced.size(), 1u);
  manager.Reset();
  d.SetActive(true);
  d.SetActive(true);  // the same value again does nothing
  ASSERT_EQ(manager.requests.size(), 1u);
  EXPECT_EQ(manager.requests[0], kRequestActivate);
}

TEST_F(SkinComponent, AnOwnerStillReadingHoldsRequestsUntilLoaded) {
  TSkinData d;
  d.SetOwner(&d, true);
  Load(d);
  d.SetActive(true);
  EXPECT_TRUE(manager.announced.empty());
  EXPECT_TRUE(manager.requests.empty());
  d.Loaded();
  ASSERT_EQ(manager.requests.size(), 1u);
  EXPECT_EQ(manager.requests[0], kRequestActivate);

  TSkinData empty;
  empty.SetOwner(&empty, true);
  empty.SetActive(true);
  empty.Loaded();  // no skin: switched off, nothing asked
  EXPECT_FALSE(empty.Active());
  EXPECT_EQ(manager.requests.size(), 1u);
}

TEST_F(SkinComponent, OnlyTheMainKindSwitchesTheProgram) {
  for (TSkinFormType kind : {sfOnlyThisForm, sfDialog}) {
    TSkinData d;
    d.SkinFormtype = kind;
    Load(d);
    d.SetActive(true);
  }
  EXPECT_TRUE(manager.requests.empty());
  EXPECT_TRUE(manager.announced.empty());
}

}  // namespace
