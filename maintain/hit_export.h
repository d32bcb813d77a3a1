// "导出搜索结果...": the hits shown in the list, as a CSV file (UTF-8 with a
// byte-order mark so that spreadsheet programs read the Chinese right, a
// header row, fields quoted as RFC 4180 says, CRLF) or as plain text (one
// stored path a line).
#pragma once

#include <string>
#include <vector>

namespace maintain {

// One hit as the list shows it.
struct HitLine {
  std::string name, kind, folder, size, modified, snapshot;
};

std::string HitsCsv(const std::vector<HitLine>& hits);
std::string HitsPlainText(const std::vector<HitLine>& hits);
// A field as CSV holds it: quoted when it holds a comma, a quote or a line
// break (or begins or ends with a blank), quotes doubled.
std::string CsvField(const std::string& text);
// Whether a file name asks for CSV (".csv", any letter case).
bool IsCsvName(const std::string& fileName);

}  // namespace maintain
