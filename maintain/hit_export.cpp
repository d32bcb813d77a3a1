#include "maintain/hit_export.h"

#include "platform/text.h"

namespace maintain {
namespace {
constexpr const char* kBom = "\xEF\xBB\xBF";
}

std::string CsvField(const std::string& text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string HitsCsv(const std::vector<HitLine>& hits) {
  std::string out = kBom;
  out += "名称,类别,位置,大小,修改日期,快照\r\n";
  for (const HitLine& h : hits) {
    for (const std::string* f : {&h.name, &h.kind, &h.folder, &h.size, &h.modified}) out += CsvField(*f) + ",";
    out += CsvField(h.snapshot) + "\r\n";
  }
  return out;
}

std::string HitsPlainText(const std::vector<HitLine>& hits) {
  std::string out = kBom;
  for (const HitLine& h : hits) out += h.folder + h.name + "\r\n";
  return out;
}

bool IsCsvName(const std::string& fileName) {
  return fileName.size() >= 4 && text::AsciiUpper(fileName.substr(fileName.size() - 4)) == ".CSV";
}

}  // namespace maintain
