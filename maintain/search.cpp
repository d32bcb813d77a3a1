#include "maintain/search.h"

#include <exception>
#include <new>
#include <vector>

#include "browse/unit_public.h"
#include "catalog/statements.h"
#include "platform/text.h"

namespace maintain {

SearchHit HitFromRow(std::string_view name, int64_t type, std::string_view path) {
  SearchHit h;
  h.caption = std::string(name);
  bool file = type == 0;
  h.image = file ? browse::GetFileIconIndex(name) : browse::kImageFolder;
  h.kind = file ? "文件" : "目录";
  h.path = std::string(path);
  return h;
}

void RunSearch(catalog::Query& q, bool& searchRunning, SearchView& view, std::string_view text, bool folders,
               bool files, const MessagePacing& pacing) {
  catalog::SearchRequest request;
  request.text = std::string(text);
  request.folders = folders;
  request.files = files;
  RunSearch(q, searchRunning, view, request, pacing);
}

void RunSearch(catalog::Query& q, bool& searchRunning, SearchView& view, const catalog::SearchRequest& request,
               const MessagePacing& pacing) {
  const std::string_view text = request.text;
  const bool paced = pacing.intervalMs > 0 && pacing.nowMs;
  uint64_t lastPass = paced ? pacing.nowMs() : 0;
  auto due = [&] {
    if (!paced) return true;
    uint64_t now = pacing.nowMs();
    if (now - lastPass < pacing.intervalMs) return false;
    lastPass = now;
    return true;
  };
  view.SetBeginSearchEnabled(false);
  view.SetUpdirEnabled(false);
  view.SetStatus(SearchingStatus(text));
  // The list is emptied and its columns replaced while it does not paint:
  // each change of a visible list or header repaints it.
  view.BeginFill();
  view.ClearItems();
  std::string error;
  try {
    catalog::Connection* cn = q.GetConnection();
    if (!cn) throw catalog::DbError("查询未连接到目录数据库");
    // The hits' rowids from the names in memory, then each hit's row read
    // on the shared query as the list takes it.
    std::shared_ptr<catalog::HitTable> table = cn->Names().SearchHits(*cn, request);
    const bool whole = view.TakesHitTables();
    catalog::RowidList hits;
    if (!whole) {
      hits = table->Rowids();
      table.reset();
    }
    bool found = false;
    if (hits.empty())
      q.Clear();
    else
      found = catalog::OpenEntry(q, hits.front());
    // A command that ran in between and gave the query another statement
    // has taken it over.
    const uint64_t generation = q.Generation();
    view.ShowResultColumns();
    view.SetStopSearchEnabled(true);
    searchRunning = true;
    view.SetCurrentPath("[");
    if (whole) view.ShowHits(std::move(table));
    for (size_t i = 0; i < hits.size() && searchRunning;) {
      // A row gone since the index was read is no hit.
      if (found) view.AddItem(HitFromRow(q.AsString("Name"), q.AsInteger("Type"), q.AsString("Path")));
      if (due()) {
        view.ShowProgress();
        view.ProcessMessages();
        if (!q.Active() || q.Generation() != generation) break;
      }
      if (++i < hits.size()) found = catalog::MoveToEntry(q, hits[i]);
    }
  } catch (const std::bad_alloc&) {
    error = "内存不足";
  } catch (const std::exception& e) {
    // The search ends where the error arose; the status says what went
    // wrong and what was found before it: a failure is no empty result.
    error = e.what();
    if (error.empty()) error = "未知错误";
  }
  q.Close();
  view.EndFill();
  searchRunning = false;
  view.SetStopSearchEnabled(false);
  view.SetBeginSearchEnabled(true);
  view.SetStatus(error.empty() ? FoundStatus(view.ItemCount()) : SearchFailedStatus(view.ItemCount(), error));
}

bool BeginSearchEnabled(bool folderChecked, bool fileChecked) { return folderChecked || fileChecked; }

bool EnterStartsSearch(int virtualKey, std::string_view editText, bool conditionsGiven) {
  return virtualKey == 13 && (conditionsGiven || !text::TrimSpace(editText).empty());
}

std::string SearchingStatus(std::string_view text) { return "正在搜索：" + std::string(text); }

std::string FoundStatus(int count) { return "搜索到：" + std::to_string(count) + "项"; }

std::string SearchFailedStatus(int count, std::string_view error) {
  std::string s = "搜索失败：" + std::string(error);
  if (count > 0) s += "（已列出" + std::to_string(count) + "项）";
  return s;
}

}  // namespace maintain
