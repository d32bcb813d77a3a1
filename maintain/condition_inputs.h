// The "更多条件" part of the search panel as the user filled it in, and the
// search conditions it asks for. Kept apart from the controls so that the
// rules (units, open ends, whole local days, label lists) are tested natively.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalog/search_conditions.h"

namespace maintain {

struct CalendarDate {
  int year = 0, month = 0, day = 0;
};

enum class SnapshotChoice { All, Labels, LabelText };

struct ConditionInputs {
  std::string minSize, maxSize;  // numbers as typed ("" for an open end)
  int sizeUnit = 2;              // 0 B, 1 KB, 2 MB, 3 GB
  std::optional<CalendarDate> from, to;  // local days, both included
  int category = 0;                      // 0 any, then the FileCategory values + 1
  std::string extensions;                // "iso;img;nrg"
  SnapshotChoice snapshots = SnapshotChoice::All;
  std::string snapshotText;  // labels separated by ";", or a text for the labels
};

// The conditions; nothing, with `error` saying what is wrong ("大小必须是
// 数字" and the like), when the inputs cannot be read.
std::optional<catalog::SearchConditions> ConditionsFrom(const ConditionInputs& in, std::string& error);

// The size units' captions and factors.
inline constexpr const char* kSizeUnits[] = {"B", "KB", "MB", "GB"};
// The file time of local midnight at the start of the day.
int64_t LocalMidnight(const CalendarDate& d);
// "CD_1; CD_2" -> {"CD_1", "CD_2"}, blanks around each label dropped.
std::vector<std::string> LabelList(const std::string& text);

}  // namespace maintain
