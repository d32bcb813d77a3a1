// Settings in the Windows profile format: [Section] headers and key=value
// lines. Sections and keys match without regard to ASCII letter case; flags
// are written 1 or 0 and read as true when not 0; integers fall back to
// their default when missing or not numeric.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ini {

class IniFile {
 public:
  IniFile() = default;
  // Reads the file when it exists; a missing file is an empty one.
  explicit IniFile(std::string path);

  static IniFile FromText(std::string_view text);

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  // Section names in file order.
  std::vector<std::string> Sections() const;
  // Key names of one section in file order.
  std::vector<std::string> Keys(std::string_view section) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  std::string ToText() const;
  // Writes the file through a temporary file and a rename, so that a crash
  // mid-write never leaves a truncated file. Throws std::runtime_error.
  void Save() const;
  // Saves, and gives up without a word where the file cannot be written
  // (a read-only medium, no permission, a full disk): false then.
  bool SaveIfWritable() const noexcept;

  const std::string& Path() const { return path_; }

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  const Section* FindSection(std::string_view name) const;
  Section& SectionFor(std::string_view name);
  void Parse(std::string_view text);

  std::string path_;
  std::vector<Section> sections_;
};

// Parses a whole integer the way the settings reader does: optional blanks,
// optional sign, decimal digits or "0x"/"$" hexadecimal. False when not one.
bool ParseInteger(std::string_view s, int32_t& out);

}  // namespace ini
