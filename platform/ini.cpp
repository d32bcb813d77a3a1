#include "platform/ini.h"

#include <stdexcept>

#include "platform/file_io.h"
#include "platform/text.h"

namespace ini {

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  std::string data;
  if (fileio::ReadWholeFile(path_, data)) Parse(data);
}

IniFile IniFile::FromText(std::string_view text) {
  IniFile f;
  f.Parse(text);
  return f;
}

void IniFile::Parse(std::string_view data) {
  if (data.size() >= 3 && data.substr(0, 3) == "\xEF\xBB\xBF") data.remove_prefix(3);
  Section* current = nullptr;
  size_t pos = 0;
  while (pos <= data.size()) {
    size_t end = data.find('\n', pos);
    if (end == std::string_view::npos) end = data.size();
    std::string line = text::TrimSpace(data.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      std::string name = text::TrimSpace(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      current = &SectionFor(name);
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos || current == nullptr) continue;
    std::string key = text::TrimSpace(line.substr(0, eq));
    std::string value = text::TrimSpace(line.substr(eq + 1));
    bool found = false;
    for (auto& e : current->entries) {
      if (text::EqualsNoCaseAscii(e.key, key)) {
        found = true;  // the first occurrence wins, as the profile API reads it
        break;
      }
    }
    if (!found) current->entries.push_back({key, value});
  }
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const auto& s : sections_)
    if (text::EqualsNoCaseAscii(s.name, name)) return &s;
  return nullptr;
}

IniFile::Section& IniFile::SectionFor(std::string_view name) {
  for (auto& s : sections_)
    if (text::EqualsNoCaseAscii(s.name, name)) return s;
  sections_.push_back({std::string(name), {}});
  return sections_.back();
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  if (const Section* s = FindSection(section))
    for (const auto& e : s->entries)
      if (text::EqualsNoCaseAscii(e.key, key)) return true;
  return false;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  if (const Section* s = FindSection(section))
    for (const auto& e : s->entries)
      if (text::EqualsNoCaseAscii(e.key, key)) return e.value;
  return std::string(def);
}

bool ParseInteger(std::string_view s, int32_t& out) {
  std::string t = text::TrimSpace(s);
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  int base = 10;
  if (i < t.size() && t[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= t.size()) return false;
  int64_t v = 0;
  for (; i < t.size(); ++i) {
    char c = t[i];
    int d = c >= '0' && c <= '9' ? c - '0'
            : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
            : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
    if (d < 0) return false;
    v = v * base + d;
    if (v > 0xFFFFFFFFLL) return false;
  }
  if (negative) v = -v;
  if (base == 10 && (v > INT32_MAX || v < INT32_MIN)) return false;
  out = static_cast<int32_t>(static_cast<uint32_t>(v));
  return true;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  int32_t v;
  return ParseInteger(ReadString(section, key, ""), v) ? v : def;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> out;
  for (const auto& s : sections_) out.push_back(s.name);
  return out;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> out;
  if (const Section* s = FindSection(section))
    for (const auto& e : s->entries) out.push_back(e.key);
  return out;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // A value is one line; line breaks would split it into a new key.
  std::string v(value);
  for (char& c : v)
    if (c == '\r' || c == '\n') c = ' ';
  Section& s = SectionFor(section);
  for (auto& e : s.entries) {
    if (text::EqualsNoCaseAscii(e.key, key)) {
      e.value = v;
      return;
    }
  }
  s.entries.push_back({std::string(key), v});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::ToText() const {
  std::string out;
  for (const auto& s : sections_) {
    out += "[" + s.name + "]\r\n";
    for (const auto& e : s.entries) out += e.key + "=" + e.value + "\r\n";
    out += "\r\n";
  }
  return out;
}

void IniFile::Save() const {
  if (path_.empty()) throw std::runtime_error("settings file has no path");
  fileio::WriteFileAtomic(path_, ToText());
}

bool IniFile::SaveIfWritable() const noexcept {
  try {
    Save();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace ini
