// The history file and the 57-byte settings record: their exact bytes, round
// trips, and what a missing, short, odd or unwritable file leads to.
#include <filesystem>
#include <fstream>

#include "store/history.h"
#include "store/settings_file.h"
#include "test_support.h"

namespace {

const std::string kHeader = "Ombrix last 20 formulas (History list). Do not change while Ombrix is running.\r\n";

std::string read(const std::string& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Each test in a fresh folder of its own: ctest runs tests side by side.
class FileTest : public EngineTest {
 protected:
  const std::filesystem::path folder_ = std::filesystem::temp_directory_path() / ("qvx-" + std::string(
                                            testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override {
    EngineTest::SetUp();
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  HistoryList history;
  SettingsRecord record_;

  void TearDown() override { std::error_code ignored; std::filesystem::remove_all(folder_, ignored); }
  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  void write(const std::string& name, const std::string& contents) const {
    std::ofstream(path(name), std::ios::binary) << contents;
  }
};

TEST_F(FileTest, HistoryRoundTrips) {
  std::string many = "header\r\n", last20 = kHeader + "[named] 1\r\n";
  for (int i = 1; i <= 25; ++i) many += std::to_string(i) + "+0\r\n\r\n";
  for (int i = 6; i <= 25; ++i) last20 += std::to_string(i) + "+0\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {"header\n[default] 2*Z\r\n3+4\n[x] 5\r\n", kHeader + "[default] 2*Z\r\n[x] 5\r\n3+4\r\n"},
      {"h\r\n\r\n1+1\r\n\r\n\r\n2+2", kHeader + "1+1\r\n2+2\r\n"},
      {"", kHeader},
      {many + "[named] 1\r\n", last20},
      {"h\r\n" + std::string(1200, '7'), kHeader + std::string(1200, '7') + "\r\n"},
  };
  for (const auto& [in, out] : cases) {
    write("HISTORY.TXT", in);
    history = HistoryList{};
    loadHistory(history, path("HISTORY.TXT"));
    EXPECT_TRUE(saveHistory(history, path("HISTORY.TXT"), settings().language));
    EXPECT_EQ(read(path("HISTORY.TXT")), out) << in;
  }
  EXPECT_FALSE(loadHistory(history, path("none.txt")));
  std::string before = read(path("HISTORY.TXT"));
  commitHistoryEntry(history, "2+2", false);
  std::filesystem::create_directories(path("HISTORY.TXT.new"));
  EXPECT_FALSE(saveHistory(history, path("HISTORY.TXT"), settings().language));
  EXPECT_EQ(read(path("HISTORY.TXT")), before) << "a failed write keeps the old file";
  history = HistoryList{};
  ASSERT_TRUE(saveHistory(history, path("de.txt"), Language::German));
  EXPECT_EQ(read(path("de.txt")),
            "Ombrix 20 letzte Eintr\x84ge (History-Liste). Nicht \x84ndern wenn Ombrix l\x84uft.\r\n");
}

TEST_F(FileTest, HistoryEntries) {
  write("h.txt", "h\r\n[default] 2*Z\r\n3+4\r\n[default]X+1\r\n");
  ASSERT_TRUE(loadHistory(history, path("h.txt")));
  EXPECT_EQ(history.defaultFormula.value_or("none"), "X+1") << "the latest [default] counts";
  history = HistoryList{};
  // text, the last run failed, added
  const std::tuple<const char*, bool, bool> commits[] = {
      {"1+1", false, true}, {"1/0", true, false},    {"", false, false},   {"[x] 5", false, true},
      {"[x] 1/0", true, true}, {"[x] 7", false, true}, {"3*[rate]2", false, true},
  };
  for (const auto& [text, failed, added] : commits) EXPECT_EQ(commitHistoryEntry(history, text, failed), added) << text;
  commitHistoryEntry(history, "3*[rate]5", false, "; X=2");
  commitHistoryEntry(history, "9", false, "; V=[x]");  // the name comes from the formula, not its fields
  EXPECT_EQ(historyTexts(history, true), (std::vector<std::string>{"[x] 7"}));
  EXPECT_EQ(historyTexts(history, false), (std::vector<std::string>{"1+1", "3*[rate]5; X=2", "9; V=[x]"}));
  std::string copied = "[x]", missing = "[y]", removed = "[rate]";
  EXPECT_TRUE(findHistoryEntry(history, copied, FindMode::Copy) && !findHistoryEntry(history, missing, FindMode::Copy));
  EXPECT_EQ(copied + "|" + missing, "[x] 7|[y]");
  ASSERT_TRUE(findHistoryEntry(history, removed, FindMode::Remove));
  EXPECT_EQ(history.entries[2], "9; V=[x]");
  addHistoryEntry(history, "[default]");
  EXPECT_EQ(history.defaultFormula.value_or("none"), "");
}

// A record of size bytes, zero but for the given ones.
std::string record(std::initializer_list<std::pair<std::size_t, unsigned char>> bytes, std::size_t size = 57) {
  std::string r(size, '\0');
  for (auto [offset, value] : bytes) r[offset] = static_cast<char>(value);
  return r;
}

TEST_F(FileTest, SettingsLoad) {
  // Place, where it opens, degrees autoclip, precision, notation, minimized big German on-top clipvar.
  auto loaded = [this] {
    const CalcSettings& s = settings();
    std::ostringstream o;
    o << record_.windowLeft() << ',' << record_.windowTop() << ' ' << record_.startLeft() << ','
      << record_.startTop() << ' ' << s.angleInDegrees << s.autoclip << ' ' << s.startPrecision << ' '
      << static_cast<int>(s.startNotation) << ' ' << s.minimizedThisRun << s.bigLayout
      << (s.language == Language::German) << s.floatOnTop << s.clipvar;
    return o.str();
  };
  EXPECT_FALSE(loadSettings(path("none.dta"), record_, settings()));
  EXPECT_EQ(loaded(), "150,100 150,100 10 4 0 01000") << "the defaults";
  const std::pair<std::string, const char*> cases[] = {
      {record({{0, 0x10}, {1, 0x27}, {4, 0xFF}, {5, 0xFF}, {6, 0xFF}, {7, 0xFF}, {43, 1}, {44, 12}, {45, 15},
               {46, 1}, {48, 1}, {49, 1}, {50, 1}}),
       "10000,-1 10000,1 01 12 15 10111"},
      {record({{0, 7}, {4, 9}}, 8), "7,9 7,9 00 0 0 00000"},  // the fields lie beyond a short file
      {record({{45, 1}}), "0,0 0,0 00 0 1 00000"},
      {record({{45, 16}}), "0,0 0,0 00 0 0 00000"},  // a notation beyond the list is the first
      {record({{45, 0x80}}), "0,0 0,0 00 0 0 00000"},
      {record({{44, 9}, {57, 1}, {99, 1}}, 100), "0,0 0,0 00 9 0 00000"},
      {std::string(57, '\xFF'), "-1,-1 1,1 11 -1 0 11111"},  // the window's control clamps the precision
  };
  for (const auto& [contents, expected] : cases) {
    write("quorvex.dta", contents);
    EXPECT_TRUE(loadSettings(path("quorvex.dta"), record_, settings()));
    EXPECT_EQ(loaded(), std::string(expected)) << contents.size();
  }
}

TEST_F(FileTest, SettingsSave) {
  EXPECT_EQ(settingsFilePath("C:\\Programs\\Quorvex\\Quorvex.exe"), "C:\\Programs\\Quorvex\\quorvex.dta");
  EXPECT_EQ(settingsFilePath("/opt/qvx/bin/qvx"), "/opt/qvx/bin/quorvex.dta");
  EXPECT_EQ(settingsFilePath("C:\\" + std::string(385, 'a') + "\\q.exe").size(), 400u);
  EXPECT_EQ(settingsFilePath("C:\\" + std::string(386, 'a') + "\\q.exe"), "") << "beyond 400 characters";
  // The first exit writes the defaults and the settings of the run.
  loadSettings(path("none.dta"), record_, settings());
  settings().precision = 12;
  settings().outputNotation = OutputNotation::Hexadecimal;
  EXPECT_EQ(saveSettings(path("new.dta"), record_, settings(), false, 40, -20), nullptr);
  EXPECT_EQ(read(path("new.dta")),
            record({{0, 40}, {4, 0xEC}, {5, 0xFF}, {6, 0xFF}, {7, 0xFF}, {42, 1}, {44, 12}, {45, 7}, {47, 1}}));
  // Saving keeps the record's own bytes and, after a minimized start, the loaded place.
  std::string original = record({{0, 77}, {4, 88}, {8, 0xAB}, {41, 0xCD}, {46, 1}, {51, 0x11}, {56, 0x22}});
  write("quorvex.dta", original);
  ASSERT_TRUE(loadSettings(path("quorvex.dta"), record_, settings()));
  settings().bigLayout = true;  // "big" on the command line changes this run only
  settings().minimizedThisRun = false;
  settings().clipvar = settings().autoclip = true;
  settings().language = Language::German;
  ASSERT_EQ(saveSettings(path("quorvex.dta"), record_, settings(), true, 1, 2), nullptr);
  std::string saved = read(path("quorvex.dta"));
  EXPECT_EQ(saved, record({{0, 77}, {4, 88}, {8, 0xAB}, {41, 0xCD}, {43, 1}, {44, 12}, {45, 7}, {46, 1}, {48, 1}, {50, 1},
                           {51, 0x11}, {56, 0x22}}));
  std::filesystem::create_directories(path("quorvex.dta.new"));
  EXPECT_STREQ(saveSettings(path("quorvex.dta"), record_, settings(), false, 0, 0), "error open file");
  EXPECT_EQ(read(path("quorvex.dta")), saved) << "a failed write leaves the old file";
}

}  // namespace
