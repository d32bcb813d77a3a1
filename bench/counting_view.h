// A search window for the benchmarks: it keeps the hits and the status and
// has no messages to process.
#pragma once

#include <string>
#include <vector>

#include "maintain/search.h"

namespace bench {

class CountingView : public maintain::SearchView {
 public:
  void SetBeginSearchEnabled(bool) override {}
  void SetStopSearchEnabled(bool) override {}
  void SetUpdirEnabled(bool) override {}
  void SetStatus(const std::string& t) override { status = t; }
  void ClearItems() override { hits.clear(); }
  void ShowResultColumns() override {}
  void AddItem(const maintain::SearchHit& h) override { hits.push_back(h); }
  int ItemCount() const override { return static_cast<int>(hits.size()); }
  void SetCurrentPath(const std::string&) override {}
  void ProcessMessages() override {}
  std::vector<maintain::SearchHit> hits;
  std::string status;
};

}  // namespace bench
