// Text helpers of the portable core. Text inside the program is UTF-8; the
// byte limits the user sees (labels, memos, the memo column) are measured in
// GB18030, which equals GBK for every character GBK can hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

// Decodes one code point at s[i], advancing i. Malformed bytes decode as
// U+FFFD one byte at a time, so a walk over any byte string terminates.
char32_t NextCodePoint(std::string_view s, size_t& i);
void AppendUtf8(std::string& out, char32_t cp);

std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

// Number of bytes the text takes in GB18030 (1, 2 or 4 per character).
size_t GbByteLength(std::string_view utf8);
// Number of bytes one code point takes in GB18030.
size_t GbCharLength(char32_t cp);
// The longest prefix whose GB18030 form has at most maxBytes bytes; never
// splits a character.
std::string GbCut(std::string_view utf8, size_t maxBytes);

std::string ToGb18030(std::string_view utf8);
std::string FromGb18030(std::string_view gb);

// Upper/lower case of ASCII letters only; every other byte is kept.
std::string AsciiUpper(std::string_view s);
std::string AsciiLower(std::string_view s);
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);

// Blanks (spaces) removed at both ends, as the label field trims.
std::string TrimBlanks(std::string_view s);
// ASCII white space (blank, tab, CR, LF) removed at both ends.
std::string TrimSpace(std::string_view s);

}  // namespace text
