// The formula table tests/data/formulas.tsv (its format: see its head); a
// result's re-entered text must calculate to the same result. The table also
// runs on four threads at once, each with a calculator of its own, and must
// give the same answers as on one.
#include <fstream>
#include <thread>
#include <vector>

#include "test_support.h"

namespace {

struct Row {
  std::string settings;  // the "@" line in force
  std::string formula, expected, third;
};

std::vector<Row> readFormulaTable() {
  std::ifstream file(QVX_TEST_DATA_DIR "/formulas.tsv");
  std::vector<Row> rows;
  std::string line, block = "@";
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.rfind("# ", 0) == 0) continue;  // "#h1F" is a formula
    if (line[0] == '@') {
      block = line;
      continue;
    }
    std::size_t tab = line.find('\t'), second = line.find('\t', tab + 1);
    if (tab == std::string::npos) {
      ADD_FAILURE() << "no tab: " << line;
      continue;
    }
    rows.push_back({block, line.substr(0, tab), line.substr(tab + 1, second - tab - 1),
                    second == std::string::npos ? "" : line.substr(second + 1)});
  }
  return rows;
}

// What a row gives: the result or message, the integer notes, and the
// re-entered text with what it calculates to.
struct Answer {
  std::string shown, notes, input, reentered;
  bool notesBlock = false;
  bool operator==(const Answer&) const = default;
};

Answer answer(const Row& row) {
  Calculator calculator;
  Answer a;
  a.notesBlock = applySettings(calculator, row.settings);
  a.shown = calc(calculator, row.formula, &a.notes);
  if (!a.notesBlock && !row.third.empty() && !calculator.failed()) {
    a.input = windows1252ToUtf8(calculator.shownAsInput());
    a.reentered = calc(calculator, a.input);
  }
  return a;
}

TEST(FormulaTable, EveryRow) {
  installFaultGuard();
  std::vector<Row> rows = readFormulaTable();
  for (const Row& row : rows) {
    SCOPED_TRACE("formula \"" + row.formula + "\" " + row.settings);
    Answer a = answer(row);
    EXPECT_EQ(a.shown, row.expected);
    if (a.notesBlock) {
      EXPECT_EQ(a.notes, row.third);
    } else if (!row.third.empty()) {
      EXPECT_EQ(a.input, row.third);
      EXPECT_EQ(a.reentered, a.shown) << "the re-entered text";
    }
  }
  EXPECT_GT(rows.size(), 100u) << "the table was not found or not read";
}

TEST(FormulaTable, FourThreadsAnswerAsOne) {
  installFaultGuard();
  std::vector<Row> rows = readFormulaTable();
  std::vector<Answer> alone;
  for (const Row& row : rows) alone.push_back(answer(row));

  constexpr int kThreads = 4;
  std::vector<std::vector<Answer>> answers(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&rows, &answers, t] {
      installFaultGuard();  // the traps are the thread's own
      // Each thread starts at another row, so that different formulas meet.
      std::vector<Answer>& mine = answers[t];
      mine.resize(rows.size());
      for (std::size_t i = 0; i < rows.size(); ++i) {
        std::size_t row = (i + t * rows.size() / kThreads) % rows.size();
        mine[row] = answer(rows[row]);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t)
    for (std::size_t i = 0; i < rows.size(); ++i)
      EXPECT_TRUE(answers[t][i] == alone[i]) << "thread " << t << ": " << rows[i].formula << " gave "
                                             << answers[t][i].shown << ", alone " << alone[i].shown;
}

}  // namespace
