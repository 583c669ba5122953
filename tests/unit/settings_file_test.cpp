#include "store/settings_file.h"
#include "file_test_support.h"

namespace {

class SettingsFileTest : public FileTest {
 protected:
  std::string file() const { return path("quorvex.dta"); }
  std::string record(std::initializer_list<std::pair<std::size_t, unsigned char>> bytes,
                     std::size_t size = kSettingsRecordSize) {
    std::string r(size, '\0');
    for (auto [offset, value] : bytes)
      if (offset < size) r[offset] = static_cast<char>(value);
    return r;
  }
};

TEST_F(SettingsFileTest, PathLiesBesideTheProgram) {
  EXPECT_EQ(settingsFilePath("C:\\Programs\\Quorvex\\Quorvex.exe"), "C:\\Programs\\Quorvex\\quorvex.dta");
  EXPECT_EQ(settingsFilePath("/opt/qvx/bin/qvx"), "/opt/qvx/bin/quorvex.dta");
  EXPECT_EQ(settingsFilePath("C:\\" + std::string(386, 'a') + "\\q.exe"), "");
  EXPECT_EQ(settingsFilePath("C:\\" + std::string(385, 'a') + "\\q.exe").size(), 400u);
}

TEST_F(SettingsFileTest, MissingFileKeepsTheDefaultsAndFirstExitWritesThem) {
  EXPECT_FALSE(loadSettings(file()));
  EXPECT_EQ(settingsRecord.windowLeft(), 150);
  EXPECT_EQ(settingsRecord.windowTop(), 100);
  EXPECT_EQ(calcSettings.startPrecision, 4);
  EXPECT_TRUE(calcSettings.bigLayout);
  calcSettings.precision = 12;
  calcSettings.outputNotation = OutputNotation::Hexadecimal;
  EXPECT_EQ(saveSettings(file(), false, 40, -20), nullptr);
  std::string bytes = readFile(file());
  ASSERT_EQ(bytes.size(), kSettingsRecordSize);
  EXPECT_EQ(bytes, record({{0, 40}, {4, 0xEC}, {5, 0xFF}, {6, 0xFF}, {7, 0xFF}, {42, 1}, {44, 12},
                           {45, 7}, {47, 1}}));
}

TEST_F(SettingsFileTest, LoadsEveryField) {
  writeFile(file(), record({{0, 0x10}, {1, 0x27}, {4, 0xFF}, {5, 0xFF}, {6, 0xFF}, {7, 0xFF},
                            {42, 0}, {43, 1}, {44, 12}, {45, 15}, {46, 1}, {47, 0}, {48, 1},
                            {49, 1}, {50, 1}}));
  ASSERT_TRUE(loadSettings(file()));
  EXPECT_EQ(settingsRecord.windowLeft(), 10000);
  EXPECT_EQ(settingsRecord.windowTop(), -1);
  EXPECT_EQ(settingsRecord.startLeft(), 10000);
  EXPECT_EQ(settingsRecord.startTop(), 1) << "a negative coordinate opens at 1";
  EXPECT_FALSE(calcSettings.angleInDegrees);
  EXPECT_TRUE(calcSettings.autoclip);
  EXPECT_EQ(calcSettings.startPrecision, 12);
  EXPECT_EQ(calcSettings.startNotation, OutputNotation::MinutesAsHours);
  EXPECT_TRUE(calcSettings.minimizedThisRun);
  EXPECT_FALSE(calcSettings.bigLayout);
  EXPECT_EQ(calcSettings.language, Language::German);
  EXPECT_TRUE(calcSettings.floatOnTop);
  EXPECT_TRUE(calcSettings.clipvar);
}

TEST_F(SettingsFileTest, NotationOutsideTheListLoadsAsZero) {
  for (auto [byte, expected] : {std::pair<int, int>{15, 15}, {16, 0}, {0x80, 0}, {0xFF, 0}, {1, 1}}) {
    writeFile(file(), record({{45, static_cast<unsigned char>(byte)}}));
    ASSERT_TRUE(loadSettings(file()));
    EXPECT_EQ(static_cast<int>(calcSettings.startNotation), expected) << byte;
  }
}

TEST_F(SettingsFileTest, ShortLongAndGarbageFiles) {
  writeFile(file(), record({{0, 7}, {4, 9}, {42, 1}}, 8));
  ASSERT_TRUE(loadSettings(file()));
  EXPECT_EQ(settingsRecord.startLeft(), 7);
  EXPECT_EQ(settingsRecord.windowLeft(), 7);
  EXPECT_EQ(settingsRecord.windowTop(), 9);
  EXPECT_FALSE(calcSettings.angleInDegrees) << "byte 42 lies beyond a short file";
  EXPECT_EQ(calcSettings.startPrecision, 0);
  EXPECT_FALSE(calcSettings.bigLayout);

  resetCalcSettings();
  writeFile(file(), record({{44, 9}, {57, 1}, {99, 1}}, 100));
  ASSERT_TRUE(loadSettings(file()));
  EXPECT_EQ(calcSettings.startPrecision, 9);

  resetCalcSettings();
  writeFile(file(), std::string(57, '\xFF'));
  ASSERT_TRUE(loadSettings(file()));
  EXPECT_EQ(calcSettings.startPrecision, -1) << "the window's control clamps it";
  EXPECT_EQ(static_cast<int>(calcSettings.startNotation), 0);
  EXPECT_TRUE(calcSettings.autoclip);
}

TEST_F(SettingsFileTest, SavingKeepsTheRecordsOwnBytes) {
  std::string original = record({{8, 0xAB}, {41, 0xCD}, {46, 1}, {47, 0}, {51, 0x11}, {56, 0x22}});
  writeFile(file(), original);
  ASSERT_TRUE(loadSettings(file()));
  calcSettings.bigLayout = true;  // "big" on the command line changes this run only
  calcSettings.minimizedThisRun = false;
  calcSettings.language = Language::German;
  ASSERT_EQ(saveSettings(file(), false, 1, 2), nullptr);
  std::string saved = readFile(file());
  for (std::size_t i : {8u, 41u, 46u, 47u, 51u, 56u}) EXPECT_EQ(saved[i], original[i]) << i;
  EXPECT_EQ(saved[48], 1);
}

TEST_F(SettingsFileTest, MinimizedStartKeepsTheLoadedPosition) {
  writeFile(file(), record({{0, 77}, {4, 88}}));
  ASSERT_TRUE(loadSettings(file()));
  ASSERT_EQ(saveSettings(file(), true, 0, 0), nullptr);
  ASSERT_TRUE(loadSettings(file()));
  EXPECT_EQ(settingsRecord.windowLeft(), 77);
  EXPECT_EQ(settingsRecord.windowTop(), 88);
}

TEST_F(SettingsFileTest, AFailedWriteLeavesTheOldFile) {
  std::string original = record({{44, 9}});
  writeFile(file(), original);
  ASSERT_TRUE(loadSettings(file()));
  EXPECT_STREQ(saveSettings(path("missing/quorvex.dta"), false, 0, 0), "error open file");
  // A folder where the file cannot be replaced.
  std::filesystem::create_directories(path("quorvex.dta.new"));
  EXPECT_STREQ(saveSettings(file(), false, 0, 0), "error open file");
  EXPECT_EQ(readFile(file()), original);
}

}  // namespace
