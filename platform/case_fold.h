// Letter case without regard to script: Unicode's simple case folding, one
// code point to one code point ("É" and "é", "Ａ" and "ａ", "Σ", "σ" and "ς"
// fold alike). The table is generated (tools/gen_case_fold_table.pl).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

char32_t FoldCase(char32_t cp);

// Appends the folded form of UTF-8 text. A byte that does not start a
// well-formed character is copied as it is and counts as one character, so
// folding keeps the number of characters (FoldedCharLength) and never fails.
void AppendFolded(std::string& out, std::string_view utf8);
std::string Folded(std::string_view utf8);

// Bytes of the character that starts at s[i] (1 for a malformed byte), as
// AppendFolded counts characters.
size_t FoldedCharLength(std::string_view s, size_t i);

}  // namespace text
