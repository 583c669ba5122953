#include "store/settings_file.h"

#include <cstdio>

#include "engine/calc_settings.h"
#include "store/atomic_file.h"

namespace {

constexpr std::size_t kPathMaxChars = 400;

SettingsRecord defaultRecord() {
  SettingsRecord record;
  record.setWindowPosition(kDefaultWindowLeft, kDefaultWindowTop);
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

bool loadSettings(const std::string& path, SettingsRecord& record, CalcSettings& settings) {
  std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    record = defaultRecord();
    return false;
  }
  // A short file leaves the missing bytes zero; a longer one is read in part.
  record = SettingsRecord{};
  std::size_t got = std::fread(record.bytes.data(), 1, kSettingsRecordSize, file);
  (void)got;
  std::fclose(file);
  record.fallbackLeft = record.windowLeft();
  record.fallbackTop = record.windowTop();

  const SettingsRecord& r = record;
  settings.language = r.field(kLanguageByte) ? Language::German : Language::English;
  settings.angleInDegrees = r.field(kAngleByte) != 0;
  settings.autoclip = r.field(kAutoclipByte) != 0;
  settings.clipvar = r.field(kClipvarByte) != 0;
  settings.startPrecision = r.field(kPrecisionByte);
  int notation = r.field(kNotationByte);
  settings.startNotation =
      static_cast<OutputNotation>(notation >= 1 && notation < kNotationCount ? notation : 0);
  settings.bigLayout = r.field(kStartBigByte) != 0;
  settings.minimizedThisRun = r.field(kStartMinimizedByte) != 0;
  settings.floatOnTop = r.field(kFloatOnTopByte) != 0;
  return true;
}

const char* saveSettings(const std::string& path, SettingsRecord& r, const CalcSettings& settings,
                         bool minimizedAtStart, std::int32_t windowLeft, std::int32_t windowTop) {
  if (minimizedAtStart) r.setWindowPosition(r.fallbackLeft, r.fallbackTop);
  else r.setWindowPosition(windowLeft, windowTop);
  r.setField(kAngleByte, settings.angleInDegrees ? 1 : 0);
  r.setField(kAutoclipByte, settings.autoclip ? 1 : 0);
  r.setField(kPrecisionByte, settings.precision);
  r.setField(kNotationByte, static_cast<int>(settings.outputNotation));
  r.setField(kLanguageByte, static_cast<int>(settings.language));
  r.setField(kFloatOnTopByte, settings.floatOnTop ? 1 : 0);
  r.setField(kClipvarByte, settings.clipvar ? 1 : 0);
  if (path.empty()) return "error open file";
  std::string contents(r.bytes.begin(), r.bytes.end());
  switch (replaceFileContents(path, contents)) {
    case WriteOutcome::Written: return nullptr;
    case WriteOutcome::OpenFailed: return "error open file";
    case WriteOutcome::WriteFailed: return "error write file";
  }
  return nullptr;
}
