#include "maintain/export.h"

#include "catalog/statements.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace maintain {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AddLine(std::string& out, std::string_view line) {
  out += line;
  out += kLineEnd;
}

}  // namespace

bool IsWebPageName(std::string_view fileName) {
  // ".HTM" is ASCII, so the last four characters equal it exactly when the
  // last four bytes do.
  return fileName.size() >= 4 && text::AsciiUpper(fileName.substr(fileName.size() - 4)) == ".HTM";
}

std::string BuildExportText(catalog::Query& q, std::string_view label, bool webPage, bool withArchiveMembers) {
  const std::string title = "快照：[" + std::string(label) + "]";
  std::string out;
  if (webPage) {
    AddLine(out, "<HTML><Header><Title>");
    AddLine(out, title);
    AddLine(out, "</Title></header><body><pre>");
  }
  AddLine(out, title);
  AddLine(out, std::string(53, '-'));
  AddLine(out, "");
  catalog::OpenExportRows(q, label, withArchiveMembers);
  for (; !q.Eof(); q.Next()) {
    out += q.AsString("FileDir");
    out += q.AsInteger("Type") == 1 ? "\\     目录" : "     文件";
    out += kLineEnd;
  }
  q.Close();
  if (webPage) AddLine(out, "</pre></body></html>");
  return out;
}

void ExportSnapshot(catalog::Query& q, std::string_view label, const std::string& fileName,
                    bool withArchiveMembers) {
  std::string utf8 = BuildExportText(q, label, IsWebPageName(fileName), withArchiveMembers);
  fileio::WriteFileAtomic(fileName, text::ToGb18030(utf8));
}

std::string ExportFilter(bool offerArchiveMembers) {
  std::string filter = "文本文件(.TXT)|*.txt|网页(*.HTM)|*.htm";
  if (offerArchiveMembers) filter += "|文本文件，包括压缩包中的文件(.TXT)|*.txt|网页，包括压缩包中的文件(*.HTM)|*.htm";
  return filter;
}

bool ExportWithArchiveMembers(int filterIndex) { return filterIndex >= 3; }

bool UseOldStyleSaveDialog(bool osNewerThan50, bool skinActive) { return osNewerThan50 && skinActive; }

std::string ExportDoneMessage() { return "快照导出完成！"; }

}  // namespace maintain
