#include "maintain/condition_inputs.h"

#include <chrono>
#include <cmath>
#include <cstdlib>

#include "platform/file_time.h"
#include "platform/text.h"

namespace maintain {
namespace {

// A size as typed, "1.5" allowed, times the unit; nothing for an empty
// text, false for one that is no number.
bool ParseSize(const std::string& typed, int unit, std::optional<int64_t>& out) {
  const std::string t(text::TrimSpace(typed));
  out.reset();
  if (t.empty()) return true;
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(v) || v < 0) return false;
  const double bytes = std::round(v * std::pow(1024.0, unit));
  if (bytes > 9.2e18) return false;
  out = static_cast<int64_t>(bytes);
  return true;
}

int64_t UnixDays(const CalendarDate& d) {
  using namespace std::chrono;
  return sys_days(year_month_day(year(d.year), month(static_cast<unsigned>(d.month)), day(static_cast<unsigned>(d.day))))
      .time_since_epoch()
      .count();
}

}  // namespace

int64_t LocalMidnight(const CalendarDate& d) {
  const int64_t utcMidnight = UnixDays(d) * 86400;
  // The offset at that local moment: asked once near it, then at the moment
  // found (a change of daylight saving near midnight moves it).
  int64_t t = utcMidnight - filetime::LocalOffsetSeconds(utcMidnight);
  t = utcMidnight - filetime::LocalOffsetSeconds(t);
  return filetime::FromUnix(t, 0);
}

std::vector<std::string> LabelList(const std::string& textIn) {
  std::vector<std::string> out;
  size_t from = 0;
  while (from <= textIn.size()) {
    size_t semi = textIn.find(';', from);
    if (semi == std::string::npos) semi = textIn.size();
    const std::string label(text::TrimSpace(std::string_view(textIn).substr(from, semi - from)));
    if (!label.empty()) out.push_back(label);
    from = semi + 1;
  }
  return out;
}

std::optional<catalog::SearchConditions> ConditionsFrom(const ConditionInputs& in, std::string& error) {
  catalog::SearchConditions c;
  if (!ParseSize(in.minSize, in.sizeUnit, c.minSize) || !ParseSize(in.maxSize, in.sizeUnit, c.maxSize)) {
    error = "大小必须是不小于0的数字";
    return std::nullopt;
  }
  if (c.minSize && c.maxSize && *c.minSize > *c.maxSize) {
    error = "大小的下限大于上限";
    return std::nullopt;
  }
  if (in.from) c.modifiedFrom = LocalMidnight(*in.from);
  if (in.to) {
    using namespace std::chrono;
    const sys_days next = sys_days(year_month_day(year(in.to->year), month(static_cast<unsigned>(in.to->month)),
                                                  day(static_cast<unsigned>(in.to->day)))) + days(1);
    const year_month_day n(next);
    c.modifiedBefore = LocalMidnight({static_cast<int>(n.year()), static_cast<int>(static_cast<unsigned>(n.month())),
                                      static_cast<int>(static_cast<unsigned>(n.day()))});
  }
  if (c.modifiedFrom && c.modifiedBefore && *c.modifiedFrom >= *c.modifiedBefore) {
    error = "修改日期的起始晚于结束";
    return std::nullopt;
  }
  if (in.category > 0 && in.category <= catalog::kFileCategoryCount)
    c.categories = catalog::CategoryBit(static_cast<catalog::FileCategory>(in.category - 1));
  c.extensions = catalog::ParseExtensionList(in.extensions);
  switch (in.snapshots) {
    case SnapshotChoice::All:
      break;
    case SnapshotChoice::Labels:
      c.labels = LabelList(in.snapshotText);
      break;
    case SnapshotChoice::LabelText:
      c.labelText = std::string(text::TrimSpace(in.snapshotText));
      break;
  }
  return c;
}

}  // namespace maintain
