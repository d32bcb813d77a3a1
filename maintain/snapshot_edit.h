// Changing one snapshot: delete it, give it a new label, change its memo.
// Each runs on the main window's shared query and leaves it closed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalog/query.h"

namespace maintain {

// Delete: the question before and the report after.
std::string DeleteQuestion(std::string_view label);
std::string DeleteReport(std::string_view label);
// Removes every entry of the snapshot, then its row: two statements in this
// order. Errors propagate; after a failed second statement the row stays.
void DeleteSnapshot(catalog::Query& q, std::string_view label);

// Rename.
enum class RenameResult {
  Renamed,    // the catalogue now uses the new label
  Unchanged,  // the new label equals the old one once trimmed: nothing to do
  Failed,     // blank, a clash with another snapshot, or a database error
  Refused,    // the new label holds "[", "]" or "\"
};

// `BtnOK` is enabled while the typed text is not blank.
bool RenameOkEnabled(std::string_view typed);
// True when the label holds a character that cannot stand in a stored path.
bool HasRefusedLabelCharacter(std::string_view label);
// `BtnOKClick`: the typed text is stored exactly as typed, blanks included.
RenameResult ConfirmRename(catalog::Query& q, std::string_view oldLabel, std::string_view typed);
// `RenameSnapshot`: false, with nothing changed, when another snapshot has
// the new label (labels compare ignoring ASCII letter case, as the catalogue
// compares them) or the database refuses; the paths and the label change
// together or not at all. A catalogue in a hard place (DbError with a
// StoreProblem: read-only, disk full, busy, damaged) throws instead.
bool RenameSnapshot(catalog::Query& q, std::string_view oldLabel, std::string_view newLabel);
std::string RenameFailedMessage();
std::string RenameRefusedMessage();

// Memo: at most 200 GBK bytes, stored exactly as typed, line breaks kept.
inline constexpr size_t kMemoMaxBytes = 200;
// The snapshot's memo; empty when it has none or the snapshot is unknown.
std::string LoadMemo(catalog::Query& q, std::string_view label);
void SaveMemo(catalog::Query& q, std::string_view label, std::string_view memo);
// The part of `inserted` that still fits when the memo keeps `kept` (its
// text outside the selection being replaced): cut at whole characters, and
// never between the carriage return and line feed of one line break.
std::string MemoInsertionThatFits(std::string_view kept, std::string_view inserted);

}  // namespace maintain
