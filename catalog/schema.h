// The catalogue's tables, and the one place that may create them: the
// build-time tool that makes the empty catalogue shipped with the program.
#pragma once

#include <string>

struct sqlite3;

namespace catalog {

// Name of the table that keeps the format mark and the password check.
inline constexpr const char* kInfoTable = "CatalogInfo";
inline constexpr const char* kFormatMark = "Vorlune catalogue 1";

// Salted hash of the database password as the file keeps it.
std::string PasswordCheck(const std::string& salt, const std::string& password);

// Creates a new, empty catalogue at path (both tables, no rows) protected by
// password. Throws DbError; refuses to overwrite an existing file.
void CreateEmptyCatalog(const std::string& path, const std::string& password);

}  // namespace catalog
