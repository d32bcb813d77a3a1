#include "ui/wide.h"

#include "platform/text.h"

namespace ui {

std::wstring Wide(std::string_view utf8) {
  std::u16string u = text::Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

std::string Narrow(std::wstring_view utf16) {
  std::u16string u(utf16.begin(), utf16.end());
  return text::Utf16ToUtf8(u);
}

}  // namespace ui
