#include "maintain/snapshot_edit.h"

#include <exception>

#include "catalog/statements.h"
#include "platform/text.h"

namespace maintain {

std::string DeleteQuestion(std::string_view label) {
  return "您确定要删除存储盘 [" + std::string(label) + "] 的所有信息吗？";
}

std::string DeleteReport(std::string_view label) { return "存储盘 [" + std::string(label) + "] 索引信息已删除！"; }

void DeleteSnapshot(catalog::Query& q, std::string_view label) {
  catalog::DeleteSnapshotFiles(q, label);
  catalog::DeleteSnapshotRow(q, label);
}

bool RenameOkEnabled(std::string_view typed) { return !text::TrimSpace(typed).empty(); }

bool HasRefusedLabelCharacter(std::string_view label) {
  return label.find_first_of("[]\\") != std::string_view::npos;
}

RenameResult ConfirmRename(catalog::Query& q, std::string_view oldLabel, std::string_view typed) {
  const std::string trimmed = text::TrimSpace(typed);
  if (trimmed.empty()) return RenameResult::Failed;
  if (trimmed == text::TrimSpace(oldLabel)) return RenameResult::Unchanged;
  if (HasRefusedLabelCharacter(typed)) return RenameResult::Refused;
  return maintain::RenameSnapshot(q, oldLabel, typed) ? RenameResult::Renamed : RenameResult::Failed;
}

bool RenameSnapshot(catalog::Query& q, std::string_view oldLabel, std::string_view newLabel) {
  try {
    // Labels are unique as the catalogue compares them, so a new label equal
    // to the old one in that comparison can only name this same snapshot.
    if (!text::EqualsNoCaseAscii(oldLabel, newLabel) && catalog::LabelTaken(q, newLabel)) return false;
    catalog::RenameSnapshot(q, oldLabel, newLabel);
    return true;
  } catch (const catalog::DbError& e) {
    q.Close();
    // A catalogue that cannot be written, a full disk, a lock held too
    // long: not a clash, and its own message says what it is.
    if (e.Problem() != catalog::StoreProblem::kOther) throw;
    return false;
  } catch (const std::exception&) {
    q.Close();
    return false;
  }
}

std::string RenameFailedMessage() { return "快照重命名失败！请检查是否已经有同名快照存在。"; }

std::string RenameRefusedMessage() { return "快照名中不能含有“[”、“]”或“\\”字符，请重新输入。"; }

std::string LoadMemo(catalog::Query& q, std::string_view label) {
  catalog::OpenSnapshotRow(q, label);
  std::string memo = q.Eof() ? std::string() : q.AsString("Memo1");
  q.Close();
  return memo;
}

void SaveMemo(catalog::Query& q, std::string_view label, std::string_view memo) {
  catalog::UpdateMemo(q, label, memo);
}

std::string MemoInsertionThatFits(std::string_view kept, std::string_view inserted) {
  size_t used = text::GbByteLength(kept);
  if (used >= kMemoMaxBytes) return {};
  std::string piece = text::GbCut(inserted, kMemoMaxBytes - used);
  if (!piece.empty() && piece.back() == '\r' && piece.size() < inserted.size() && inserted[piece.size()] == '\n')
    piece.pop_back();
  return piece;
}

}  // namespace maintain
