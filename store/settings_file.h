// The settings file "quorvex.dta": one 57-byte little-endian record in the
// calculator program's folder, read once at start and written once at exit.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr std::size_t kSettingsRecordSize = 57;

struct CalcSettings;

// Where the main window opens when there is no settings file.
constexpr std::int32_t kDefaultWindowLeft = 150, kDefaultWindowTop = 100;

struct SettingsRecord {
  std::array<std::uint8_t, kSettingsRecordSize> bytes{};
  // The position saved for a window that never left its minimized start:
  // the loaded one, not (0, 0). Not part of the file.
  std::int32_t fallbackLeft = kDefaultWindowLeft, fallbackTop = kDefaultWindowTop;

  std::int32_t windowLeft() const { return read32(0); }
  std::int32_t windowTop() const { return read32(4); }
  // Where the main window opens: a negative coordinate becomes 1.
  std::int32_t startLeft() const { return windowLeft() < 0 ? 1 : windowLeft(); }
  std::int32_t startTop() const { return windowTop() < 0 ? 1 : windowTop(); }
  void setWindowPosition(std::int32_t left, std::int32_t top);
  // A one-byte field, read as a signed byte.
  int field(std::size_t offset) const { return static_cast<std::int8_t>(bytes[offset]); }
  void setField(std::size_t offset, int value) { bytes[offset] = static_cast<std::uint8_t>(value); }

 private:
  std::int32_t read32(std::size_t offset) const;
};

// Offsets of the one-byte fields.
enum SettingsByte : std::size_t {
  kAngleByte = 42,
  kAutoclipByte = 43,
  kPrecisionByte = 44,
  kNotationByte = 45,
  kStartMinimizedByte = 46,
  kStartBigByte = 47,
  kLanguageByte = 48,
  kFloatOnTopByte = 49,
  kClipvarByte = 50,
};

// The settings file beside the program file; empty when the path would be
// longer than the 400 characters the calculator supports.
std::string settingsFilePath(const std::string& programPath);

// Reads the file into the record and the settings; false (defaults stand)
// when it cannot be opened.
bool loadSettings(const std::string& path, SettingsRecord& record, CalcSettings& settings);

// Completes the record with the settings and writes it. Returns null, or the
// message to show ("error open file", "error write file").
const char* saveSettings(const std::string& path, SettingsRecord& record, const CalcSettings& settings,
                         bool minimizedAtStart, std::int32_t windowLeft, std::int32_t windowTop);
