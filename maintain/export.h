// Export of one snapshot's complete listing to a plain text file or a web
// page. The lines are gathered in memory and written in one go, encoded in
// GB18030 (byte for byte GBK wherever GBK holds the text, without loss
// elsewhere), through a temporary file beside the target that then takes
// its place, so that a failed write never destroys the file being replaced.
#pragma once

#include <string>
#include <string_view>

#include "catalog/query.h"

namespace maintain {

// A name whose last four characters, in capitals, are ".HTM" gets the web
// page form (so "list.html" is a plain text file).
bool IsWebPageName(std::string_view fileName);

// The export as UTF-8 text, every line ending in CR LF: the heading, then
// one line per entry in the order of Path + Name ignoring letter case, a
// folder's line ending in "\     目录", a file's in "     文件".
// The members of archives are lines too when asked for, each under its
// archive's path.
std::string BuildExportText(catalog::Query& q, std::string_view label, bool webPage,
                            bool withArchiveMembers = false);

// Builds the export of `label` in the form its name asks for and writes it to
// `fileName`. Throws DbError or std::runtime_error; the target then keeps its
// previous content.
void ExportSnapshot(catalog::Query& q, std::string_view label, const std::string& fileName,
                    bool withArchiveMembers = false);

// The save dialog's kinds of file: today's two, and for a snapshot that
// holds archives' members the same two "包括压缩包中的文件" after them.
std::string ExportFilter(bool offerArchiveMembers);
bool ExportWithArchiveMembers(int filterIndex);

// The save dialog's old style is used when the system is newer than 5.0 and
// a skin is active.
bool UseOldStyleSaveDialog(bool osNewerThan50, bool skinActive);

std::string ExportDoneMessage();

}  // namespace maintain
