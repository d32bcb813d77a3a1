// Compaction of the catalogue file. A compacted copy is written to
// "Kestrova2" beside the catalogue; the catalogue is copied to
// "Kestrova.bak"; then the copy takes the catalogue's place by one atomic
// rename, so that a crash at any moment leaves either the old catalogue or
// the new one complete under its name. The main connection is closed for the
// whole of the work and opened again at the end, whatever happened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/connection.h"
#include "catalog/query.h"

namespace maintain {

inline constexpr const char* kCompactedFileName = "Kestrova2";
inline constexpr const char* kBackupFileName = "Kestrova.bak";

// Size of a file in bytes; 1 when it cannot be measured (or is empty), so
// that the rate never divides by zero.
int64_t MeasuredSize(const std::string& path);
// (before - after) * 100 / before in 64-bit whole numbers, the fraction
// dropped toward zero; negative when the file grew.
int64_t CompactionRate(int64_t sizeBefore, int64_t sizeAfter);

struct CompactOutcome {
  bool ok = false;
  int64_t rate = 0;
  std::string error;        // what went wrong; the user sees one message
  // A failure that has its own message (a read-only place, a full disk, a
  // damaged catalogue); kOther for every other one.
  catalog::StoreProblem problem = catalog::StoreProblem::kOther;
  std::string reopenError;  // set when the connection could not be opened again
};

// Closes the queries on the connection and the connection itself, compacts
// the catalogue in `folder` (ending in a separator), and opens the
// connection again. Throws nothing: a failure of the work leaves the
// catalogue as it was and is reported in `ok` and `error`, a failure to
// reopen in `reopenError`. Another connection holding the catalogue open
// makes the work fail. A catalogue that cannot be written (read-only, or
// found damaged) is refused before anything is closed or written; a full
// disk stops the work with the catalogue unchanged and the partial copy
// removed.
CompactOutcome CompactCatalog(catalog::Connection& cn, const std::vector<catalog::Query*>& queries,
                              const std::string& folder);

// The compaction dialog's states.
class CompactDialogState {
 public:
  // `FormShow`.
  void Show();
  // Before the work starts: marks the run as tried.
  void Start();
  // After the work: the result line on success.
  void Finish(const CompactOutcome& outcome);

  bool CompactEnabled() const { return !tried_; }
  const std::string& CancelCaption() const { return cancelCaption_; }
  bool ResultVisible() const { return resultVisible_; }
  const std::string& ResultText() const { return resultText_; }

 private:
  bool tried_ = false;
  std::string cancelCaption_ = "取消(&C)";
  bool resultVisible_ = false;
  std::string resultText_;
};

std::string CompactionNote();
std::string CompactionFailedMessage();
// The message of a failed compaction: the problem's own, or the one above.
std::string CompactionFailedMessage(const CompactOutcome& outcome, const std::string& folder);

}  // namespace maintain
