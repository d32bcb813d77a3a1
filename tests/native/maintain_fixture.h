// A temporary catalogue with snapshots and entries, shared by the tests of
// browsing, search, export, compaction and the snapshot commands.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "tests/native/test_support.h"

namespace testsupport {

class CatalogFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::MakeEmptyCatalog(dir.File("Kestrova"));
    cn.SetConnectionString(catalog::BuildConnectionString(Folder()));
    cn.Open();
  }

  std::string Folder() const { return dir.Path() + "/"; }

  void AddSnapshot(const std::string& label, int64_t totalM = 700, const std::string& memo = "") {
    catalog::AppendSnapshot(q, label, totalM, memo);
  }
  void AddRow(const std::string& path, const std::string& name, int type, int64_t size = -1) {
    q.OpenTable("CDFile");
    q.Append();
    q.SetField("Name", name);
    q.SetField("Path", path);
    q.SetField("Type", type);
    if (size >= 0) q.SetField("Size", size);
    q.Post();
    q.Close();
  }
  // A snapshot with a folder "docs" holding one file, and a file at its root.
  void AddSmallSnapshot(const std::string& label) {
    AddSnapshot(label);
    const std::string root = catalog::SnapshotRoot(label);
    AddRow(root, "docs", 1);
    AddRow(root + "docs\\", "a.txt", 0, 10);
    AddRow(root, "readme.txt", 0, 20);
  }
  // Runs a statement that gives one integer column named n.
  int64_t Count(const std::string& sql) {
    q.Clear();
    q.Add(sql);
    q.Open();
    int64_t n = q.AsInteger("n");
    q.Close();
    return n;
  }
  int64_t RowsUnder(const std::string& label) {
    q.Clear();
    q.Add("Select count(*) As n from CDFile Where substr(Path, 1, length(?)) = ?");
    q.Bind(catalog::SnapshotRoot(label)).Bind(catalog::SnapshotRoot(label));
    q.Open();
    int64_t n = q.AsInteger("n");
    q.Close();
    return n;
  }
  std::vector<std::string> Labels() {
    std::vector<std::string> out;
    catalog::OpenSnapshotList(q);
    for (; !q.Eof(); q.Next()) out.push_back(q.AsString("CDName"));
    q.Close();
    return out;
  }
  std::vector<std::string> Paths() {
    std::vector<std::string> out;
    q.Clear();
    q.Add("Select Path from CDFile Order By rowid");
    q.Open();
    for (; !q.Eof(); q.Next()) out.push_back(q.AsString("Path"));
    q.Close();
    return out;
  }

  TempDir dir;
  catalog::Connection cn;
  catalog::Query q{&cn};
};

}  // namespace testsupport
