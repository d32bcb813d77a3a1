#include "duplicates/duplicate_export.h"

namespace duplicates {

std::string DuplicatesCsv(const std::vector<DuplicateLine>& lines) {
  using maintain::CsvField;
  std::string out = "\xEF\xBB\xBF";
  out += "组,文件数,重复占用,名称,位置,大小,修改日期,快照\r\n";
  for (const DuplicateLine& l : lines) {
    const maintain::HitLine& m = l.member;
    out += std::to_string(l.group) + "," + std::to_string(l.files) + "," + CsvField(l.wasted) + ",";
    for (const std::string* f : {&m.name, &m.folder, &m.size, &m.modified}) out += CsvField(*f) + ",";
    out += CsvField(m.snapshot) + "\r\n";
  }
  return out;
}

}  // namespace duplicates
