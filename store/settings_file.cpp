#include "store/settings_file.h"

#include <cstdio>

#include "engine/calc_settings.h"
#include "store/atomic_file.h"

SettingsRecord settingsRecord;
std::int32_t fallbackLeft = 150, fallbackTop = 100;

namespace {

constexpr std::size_t kPathMaxChars = 400;
constexpr std::int32_t kDefaultLeft = 150, kDefaultTop = 100;

SettingsRecord defaultRecord() {
  SettingsRecord record;
  record.setWindowPosition(kDefaultLeft, kDefaultTop);
  record.setField(kStartBigByte, 1);
  return record;
}

}  // namespace

std::int32_t SettingsRecord::read32(std::size_t offset) const {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
  return static_cast<std::int32_t>(v);
}

void SettingsRecord::setWindowPosition(std::int32_t left, std::int32_t top) {
  for (std::size_t i = 0; i < 4; ++i) {
    bytes[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(left) >> (8 * i));
    bytes[4 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(top) >> (8 * i));
  }
}

std::string settingsFilePath(const std::string& programPath) {
  std::size_t cut = programPath.find_last_of("\\/");
  char separator = cut == std::string::npos ? '\\' : programPath[cut];
  std::string folder = cut == std::string::npos ? std::string(".") : programPath.substr(0, cut);
  std::string path = folder + separator + "quorvex.dta";
  return path.size() <= kPathMaxChars ? path : std::string();
}

bool loadSettings(const std::string& path) {
  std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    settingsRecord = defaultRecord();
    fallbackLeft = kDefaultLeft;
    fallbackTop = kDefaultTop;
    return false;
  }
  // A short file leaves the missing bytes zero; a longer one is read in part.
  settingsRecord = SettingsRecord{};
  std::size_t got = std::fread(settingsRecord.bytes.data(), 1, kSettingsRecordSize, file);
  (void)got;
  std::fclose(file);
  // A minimized start keeps the loaded position rather than (0, 0).
  fallbackLeft = settingsRecord.windowLeft();
  fallbackTop = settingsRecord.windowTop();

  const SettingsRecord& r = settingsRecord;
  calcSettings.language = r.field(kLanguageByte) ? Language::German : Language::English;
  calcSettings.angleInDegrees = r.field(kAngleByte) != 0;
  calcSettings.autoclip = r.field(kAutoclipByte) != 0;
  calcSettings.clipvar = r.field(kClipvarByte) != 0;
  calcSettings.startPrecision = r.field(kPrecisionByte);
  int notation = r.field(kNotationByte);
  calcSettings.startNotation =
      static_cast<OutputNotation>(notation >= 1 && notation < kNotationCount ? notation : 0);
  calcSettings.bigLayout = r.field(kStartBigByte) != 0;
  calcSettings.minimizedThisRun = r.field(kStartMinimizedByte) != 0;
  calcSettings.floatOnTop = r.field(kFloatOnTopByte) != 0;
  return true;
}

const char* saveSettings(const std::string& path, bool minimizedAtStart, std::int32_t windowLeft,
                         std::int32_t windowTop) {
  SettingsRecord& r = settingsRecord;
  if (minimizedAtStart) r.setWindowPosition(fallbackLeft, fallbackTop);
  else r.setWindowPosition(windowLeft, windowTop);
  r.setField(kAngleByte, calcSettings.angleInDegrees ? 1 : 0);
  r.setField(kAutoclipByte, calcSettings.autoclip ? 1 : 0);
  r.setField(kPrecisionByte, calcSettings.precision);
  r.setField(kNotationByte, static_cast<int>(calcSettings.outputNotation));
  r.setField(kLanguageByte, static_cast<int>(calcSettings.language));
  r.setField(kFloatOnTopByte, calcSettings.floatOnTop ? 1 : 0);
  r.setField(kClipvarByte, calcSettings.clipvar ? 1 : 0);
  if (path.empty()) return "error open file";
  std::string contents(r.bytes.begin(), r.bytes.end());
  switch (replaceFileContents(path, contents)) {
    case WriteOutcome::Written: return nullptr;
    case WriteOutcome::OpenFailed: return "error open file";
    case WriteOutcome::WriteFailed: return "error write file";
  }
  return nullptr;
}
