// What the user reads when the catalogue is in a hard place: on a read-only
// medium, on a full disk, locked by another program, damaged, or already in
// use by another copy of the program. Each message is made here and nowhere
// else; the help file's page on the catalogue lists them.
#pragma once

#include <string>

#include "catalog/db_error.h"

namespace catalog {

// The problem an engine result code (primary or extended) stands for.
StoreProblem ProblemOfEngineCode(int code);

std::string ReadOnlyMessage(const std::string& file);
std::string DiskFullMessage(const std::string& file);
std::string BusyMessage(const std::string& file);
// Names the backup Kestrova.bak beside the file when there is one.
std::string DamagedMessage(const std::string& file);
// The message of `problem` for the catalogue `file`; "" for kOther.
std::string ProblemMessage(StoreProblem problem, const std::string& file);

// A compaction that stopped for want of room: the catalogue is unchanged.
std::string CompactionDiskFullMessage(const std::string& file);
// The question of a second copy of the program started on the catalogue
// that the first copy has open.
std::string InUseQuestion(const std::string& file);

// Kestrova.bak beside the catalogue `file`.
std::string BackupBeside(const std::string& file);

}  // namespace catalog
