// The formula table tests/data/formulas.tsv (its format: see its head); a
// result's re-entered text must calculate to the same result.
#include <fstream>

#include "test_support.h"

namespace {

TEST(FormulaTable, EveryRow) {
  std::ifstream file(QVX_TEST_DATA_DIR "/formulas.tsv");
  std::string line, block = "@";
  bool notesBlock = applySettings(block);
  int rows = 0;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.rfind("# ", 0) == 0) continue;  // "#h1F" is a formula
    if (line[0] == '@') {
      notesBlock = applySettings(block = line);
      continue;
    }
    std::size_t tab = line.find('\t'), second = line.find('\t', tab + 1);
    ASSERT_NE(tab, std::string::npos) << line;
    std::string formula = line.substr(0, tab), third = second == std::string::npos ? "" : line.substr(second + 1);
    std::string notes, shown = calc(formula, &notes);
    SCOPED_TRACE("formula \"" + formula + "\" " + block);
    EXPECT_EQ(shown, line.substr(tab + 1, second - tab - 1));
    if (notesBlock) {
      EXPECT_EQ(notes, third);
    } else if (!third.empty()) {
      EXPECT_TRUE(resultAsInputText());
      EXPECT_EQ(windows1252ToUtf8(inputTextBuffer), third);
      EXPECT_EQ(calc(third), shown) << "the re-entered text";
    }
    ++rows;
  }
  EXPECT_GT(rows, 100) << "the table was not found or not read";
}

}  // namespace
