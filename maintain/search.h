// The name search across all snapshots. It runs on the user-interface
// thread inside the begin button's handler, one row at a time, and lets the
// window messages through after every row, so that any other command can run
// in the middle of it. Those commands never stop it directly: they clear the
// main window's `SearchRunning` or close the shared query, and the loop ends
// at its next check.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "catalog/hit_table.h"
#include "catalog/name_index.h"
#include "catalog/query.h"

namespace maintain {

// One list item of the search results.
struct SearchHit {
  std::string caption;  // Name
  int image = 0;        // 1 folder, else the file's kind icon
  std::string kind;     // "目录" or "文件"
  std::string path;     // the stored path of the folder holding the entry
};

SearchHit HitFromRow(std::string_view name, int64_t type, std::string_view path);

// What the search does to the main window.
class SearchView {
 public:
  virtual ~SearchView() = default;
  virtual void SetBeginSearchEnabled(bool enabled) = 0;
  virtual void SetStopSearchEnabled(bool enabled) = 0;
  virtual void SetUpdirEnabled(bool enabled) = 0;
  virtual void SetStatus(const std::string& text) = 0;  // status panel 1
  virtual void ClearItems() = 0;
  // Replaces the columns by "名称" 100, "类别" 60, "位置" 300 (auto-sizing).
  virtual void ShowResultColumns() = 0;
  virtual void AddItem(const SearchHit& hit) = 0;
  virtual int ItemCount() const = 0;
  virtual void SetCurrentPath(const std::string& path) = 0;
  // Dispatches every window message that is waiting.
  virtual void ProcessMessages() = 0;
  // Around the filling of the list (from the result columns to the closing
  // step), so that a window can hold its painting back; and, each time the
  // messages are let through, to show the rows added so far.
  virtual void BeginFill() {}
  virtual void ShowProgress() {}
  virtual void EndFill() {}
  // A view that shows a whole hit table at once (the main list's rows)
  // says so, and takes the table after the result columns; the search then
  // reads no row. Otherwise the hits are added one by one.
  virtual bool TakesHitTables() const { return false; }
  virtual void ShowHits(std::shared_ptr<catalog::HitTable> hits) {}
};

// How often the loop lets the window messages through: after every row
// (interval 0), or once `intervalMs` have passed since the last time. Each
// pass costs a round trip to the window server (tens of microseconds under
// Wine), more than a row; a few milliseconds apart keep the window as
// responsive as the eye can tell. The stop flag is still read before every
// row, and it can only change while messages are being handled.
struct MessagePacing {
  unsigned intervalMs = 0;
  std::function<uint64_t()> nowMs;
};

// `BtnBeginSearchClick`: searches for names containing `text` exactly as
// typed ("%" and "_" are wildcards, letter case ignored), folders and files
// as the two options say, on the main window's shared query. `searchRunning`
// is the main window's flag; the loop reads it before every row. An error
// (busy, damaged, out of memory) ends the search, and the status line then
// says so instead of a count; the closing step always runs.
void RunSearch(catalog::Query& q, bool& searchRunning, SearchView& view, std::string_view text, bool folders,
               bool files, const MessagePacing& pacing = {});
// The same with the conditions of the request (text, options, conditions).
void RunSearch(catalog::Query& q, bool& searchRunning, SearchView& view, const catalog::SearchRequest& request,
               const MessagePacing& pacing = {});

// `ChkFolderClick`: the begin button is enabled while either option is.
bool BeginSearchEnabled(bool folderChecked, bool fileChecked);
// `EdtSearchKeyUp`: Enter with a text that is not only blanks searches;
// with conditions given, an empty text searches too.
bool EnterStartsSearch(int virtualKey, std::string_view editText, bool conditionsGiven = false);

std::string SearchingStatus(std::string_view text);
std::string FoundStatus(int count);
// The status after a search that failed, with the hits listed before.
std::string SearchFailedStatus(int count, std::string_view error);

}  // namespace maintain
