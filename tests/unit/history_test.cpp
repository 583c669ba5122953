#include "store/history.h"
#include "file_test_support.h"

namespace {

const std::string kHeader =
    "Ombrix last 20 formulas (History list). Do not change while Ombrix is running.\r\n";

class HistoryTest : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    historyList = HistoryList{};
    clearRecallStack();
  }
  std::string file() const { return path("HISTORY.TXT"); }
  std::string roundTrip(const std::string& contents) {
    writeFile(file(), contents);
    historyList = HistoryList{};
    loadHistory(file());
    EXPECT_TRUE(saveHistory(file()));
    return readFile(file());
  }
};

TEST_F(HistoryTest, FileRoundTrips) {
  struct {
    const char* name;
    std::string in;
    std::string out;
  } cases[] = {
      {"named entries first", "header\n[default] 2*Z\r\n3+4\r\n[x] 5\r\n",
       kHeader + "[default] 2*Z\r\n[x] 5\r\n3+4\r\n"},
      {"blank lines vanish", "h\r\n\r\n1+1\r\n\r\n\r\n2+2", kHeader + "1+1\r\n2+2\r\n"},
      {"no file body", "only a header", kHeader},
      {"empty file", "", kHeader},
      {"LF line ends", "h\n1\n[a] 2\n", kHeader + "[a] 2\r\n1\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(roundTrip(c.in), c.out) << c.name;
}

TEST_F(HistoryTest, KeepsTheLastTwentyFormulas) {
  std::string in = "header\r\n";
  for (int i = 1; i <= 25; ++i) in += std::to_string(i) + "+0\r\n\r\n";
  in += "[named] 1\r\n";
  std::string expected = kHeader + "[named] 1\r\n";
  for (int i = 6; i <= 25; ++i) expected += std::to_string(i) + "+0\r\n";
  EXPECT_EQ(roundTrip(in), expected);
}

TEST_F(HistoryTest, NoFileAtStartStillWritesTheHeader) {
  EXPECT_FALSE(loadHistory(path("none.txt")));
  EXPECT_TRUE(historyList.entries.empty());
  EXPECT_TRUE(saveHistory(file()));
  EXPECT_EQ(readFile(file()), kHeader);
}

TEST_F(HistoryTest, GermanHeaderUsesTheDosUmlaut) {
  calcSettings.language = Language::German;
  ASSERT_TRUE(saveHistory(file()));
  EXPECT_EQ(readFile(file()),
            "Ombrix 20 letzte Eintr\x84ge (History-Liste). Nicht \x84ndern wenn Ombrix l\x84uft.\r\n");
}

TEST_F(HistoryTest, LongFormulaComesBackWhole) {
  std::string formula(1200, '7');
  commitHistoryEntry(formula, false);
  ASSERT_TRUE(saveHistory(file()));
  historyList = HistoryList{};
  ASSERT_TRUE(loadHistory(file()));
  ASSERT_EQ(historyList.entries.size(), 1u);
  EXPECT_EQ(historyList.entries[0], formula);
}

TEST_F(HistoryTest, FailedWriteKeepsTheOldHistory) {
  writeFile(file(), kHeader + "1+1\r\n");
  commitHistoryEntry("2+2", false);
  std::filesystem::create_directories(path("HISTORY.TXT.new"));
  EXPECT_FALSE(saveHistory(file()));
  EXPECT_EQ(readFile(file()), kHeader + "1+1\r\n");
  EXPECT_FALSE(saveHistory(path("no/such/folder/HISTORY.TXT")));
}

TEST_F(HistoryTest, DefaultFormulaFromTheLatestEntry) {
  writeFile(file(), "h\r\n[default] 2*Z\r\n3+4\r\n[default]X+1\r\n");
  ASSERT_TRUE(loadHistory(file()));
  ASSERT_TRUE(historyList.defaultFormula.has_value());
  EXPECT_EQ(*historyList.defaultFormula, "X+1");
  addHistoryEntry("[default]");
  EXPECT_EQ(*historyList.defaultFormula, "");
}

TEST_F(HistoryTest, CommitRules) {
  struct {
    const char* text;
    bool lastRunFailed;
    bool added;
  } cases[] = {
      {"1+1", false, true},   {"1/0", true, false},   {"", false, false},
      {"[x] 5", false, true}, {"[x] 1/0", true, true}, {"[x] 7", false, true},
      {"3*[rate]2", false, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(commitHistoryEntry(c.text, c.lastRunFailed), c.added) << c.text;
  // "[x] 7" replaced "[x] 1/0", which had replaced "[x] 5".
  EXPECT_EQ(historyList.entries, (std::vector<std::string>{"1+1", "[x] 7", "3*[rate]2"}));
  commitHistoryEntry("3*[rate]5", false, "; X=2");
  EXPECT_EQ(historyList.entries, (std::vector<std::string>{"1+1", "[x] 7", "3*[rate]5; X=2"}));
  // The name is taken from the formula, not from what the fields add.
  commitHistoryEntry("9", false, "; V=[x]");
  EXPECT_EQ(historyList.entries.size(), 4u);
  EXPECT_EQ(historyTexts(true), (std::vector<std::string>{"[x] 7"}));
  EXPECT_EQ(historyTexts(false), (std::vector<std::string>{"1+1", "3*[rate]5; X=2", "9; V=[x]"}));
}

TEST_F(HistoryTest, FindCopiesOrRemovesTheFirstMatch) {
  for (const char* t : {"[rent] 1200*12 ; X = 3", "[rent] old", "2+2"}) addHistoryEntry(t);
  std::string key = "[rent]";
  ASSERT_TRUE(findHistoryEntry(key, FindMode::Copy));
  EXPECT_EQ(key, "[rent] 1200*12 ; X = 3");
  key = "[y]";
  EXPECT_FALSE(findHistoryEntry(key, FindMode::Copy));
  EXPECT_EQ(key, "[y]");
  key = "[rent]";
  ASSERT_TRUE(findHistoryEntry(key, FindMode::Remove));
  EXPECT_EQ(historyList.entries.front(), "[rent] old");
}

}  // namespace
