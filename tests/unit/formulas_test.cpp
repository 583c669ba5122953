// Walks the formula regression set in tests/data/formulas.tsv.
#include <fstream>
#include <sstream>
#include <vector>

#include "test_support.h"

namespace {

struct Case {
  std::string formula, expected, inputForm;  // inputForm: empty when not checked
};

struct Block {
  std::string settings;  // the "@" line, for the failure message
  std::vector<Case> cases;
};

std::vector<Block> loadBlocks(const std::string& path) {
  std::ifstream file(path);
  std::vector<Block> blocks(1);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '@') {
      blocks.push_back({line, {}});
      continue;
    }
    std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    std::size_t second = line.find('\t', tab + 1);
    std::string expected = line.substr(tab + 1, second == std::string::npos ? std::string::npos : second - tab - 1);
    std::string inputForm = second == std::string::npos ? "" : line.substr(second + 1);
    blocks.back().cases.push_back({line.substr(0, tab), expected, inputForm});
  }
  return blocks;
}

void applySettings(const std::string& line) {
  resetEngineState();
  std::istringstream words(line.substr(1));
  std::string word;
  while (words >> word) {
    std::size_t eq = word.find('=');
    std::string key = word.substr(0, eq), value = eq == std::string::npos ? "" : word.substr(eq + 1);
    if (key == "notation") calcSettings.outputNotation = static_cast<OutputNotation>(std::stoi(value));
    else if (key == "precision") calcSettings.precision = std::stoi(value);
    else if (key == "integer") calcSettings.integerWidth = std::stoi(value);
    else if (key == "unsigned") calcSettings.signedIntegers = false;
    else if (key == "radians") calcSettings.angleInDegrees = false;
    else if (key == "german") calcSettings.language = Language::German;
    else if (key.size() == 1) setVariableText(key[0], value);
    else ADD_FAILURE() << "unknown setting " << word;
  }
}

TEST_F(EngineTest, FormulaRegressionSet) {
  std::vector<Block> blocks = loadBlocks(QVX_TEST_DATA_DIR "/formulas.tsv");
  std::size_t total = 0;
  for (const Block& block : blocks) {
    applySettings(block.settings.empty() ? "@" : block.settings);
    for (const Case& c : block.cases) {
      EXPECT_EQ(calc(c.formula), c.expected) << "formula \"" << c.formula << "\" " << block.settings;
      if (!c.inputForm.empty()) {
        EXPECT_TRUE(resultAsInputText() && windows1252ToUtf8(inputTextBuffer) == c.inputForm)
            << "formula \"" << c.formula << "\" input form " << inputTextBuffer << " " << block.settings;
      }
      ++total;
    }
  }
  EXPECT_GT(total, 150u) << "the data file was not found or not read";
}

}  // namespace
