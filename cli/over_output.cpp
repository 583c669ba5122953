#include "cli/over_output.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>

#include "cli/json_answer.h"
#include "cli/svg_graph.h"
#include "graph/curve.h"
#include "graph/plot.h"
#include "text/codepage.h"

namespace {

struct Row {
  std::string x, result, message;  // UTF-8; result or message is empty
};

// A value in the notation in force; where the notation has no room for it
// (an integer notation and 1e300), in the exponent form.
std::string shownValue(Calculator& calculator, long double value) {
  std::string text;
  if (calculator.format(value, text)) return windows1252ToUtf8(visible(text));
  char plain[48];
  std::snprintf(plain, sizeof plain, "%.*Le", calculator.settings().precision, value);
  return plain;
}

std::vector<Row> tableRows(Calculator& calculator, const std::vector<CurvePoint>& curve) {
  std::vector<Row> rows;
  Language language = calculator.settings().language;
  for (const CurvePoint& point : curve) {
    Row row{shownValue(calculator, point.x), "", ""};
    if (point.ok) row.result = windows1252ToUtf8(visible(point.shown));
    else row.message = windows1252ToUtf8(qvxMessageText(point.message, language));
    rows.push_back(std::move(row));
  }
  return rows;
}

// Columns as wide as their widest text, counted in characters.
std::size_t characters(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void writeTable(const std::vector<Row>& rows, std::ostream& out) {
  std::size_t width = 0;
  for (const Row& row : rows) width = std::max(width, characters(row.x));
  for (const Row& row : rows)
    out << row.x << std::string(width - characters(row.x) + 2, ' ') << row.result << row.message << '\n';
}

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

void writeCsv(char letter, const std::vector<Row>& rows, std::ostream& out) {
  out << letter << ",result,message\n";
  for (const Row& row : rows) out << csvField(row.x) << ',' << csvField(row.result) << ',' << csvField(row.message) << '\n';
}

void writeJson(const std::string& formula, char letter, const std::vector<CurvePoint>& curve,
               const std::vector<Row>& rows, std::ostream& out) {
  for (std::size_t i = 0; i < curve.size(); ++i) {
    JsonAnswer answer;
    answer.formula = formula;
    answer.variable = std::string(1, letter);
    answer.variableValue = jsonNumber(curve[i].x);
    answer.ok = curve[i].ok;
    if (answer.ok) {
      answer.result = rows[i].result;
      answer.value = jsonNumber(curve[i].value);
    } else {
      answer.message = rows[i].message;
    }
    out << jsonLine(answer) << '\n';
  }
}

bool anyValue(const std::vector<CurvePoint>& curve) {
  return std::any_of(curve.begin(), curve.end(), [](const CurvePoint& p) { return p.ok; });
}

bool writeGraph(QvxState& state, const OverRange& range, const std::string& formula, const std::string& engineFormula,
                std::ostream& out, std::ostream& err, bool& drawn) {
  std::vector<CurvePoint> curve = sampleCurve(state.calculator, engineFormula, range.letter,
                                              evenPoints(range.from, range.to, kGraphSamples), false);
  drawn = anyValue(curve);
  std::string svg = svgGraph(layOutPlot(curve, range.from, range.to, kSvgPlotArea), formula, range.letter);
  const std::string& file = state.options.graphFile;
  if (file == "-") {
    out << svg;
    return true;
  }
  errno = 0;
  std::ofstream stream(file, std::ios::binary);
  stream << svg;
  stream.close();
  if (stream) return true;
  err << "qvx: cannot write " << file << (errno ? std::string(": ") + std::strerror(errno) : "") << '\n';
  return false;
}

}  // namespace

int calculateOver(QvxState& state, const OverRange& range, const std::string& formula, std::ostream& out,
                  std::ostream& err) {
  const QvxOptions& options = state.options;
  CalledUpFormula called = callUp(state, formula);
  bool anyResult = false;
  bool graphWritten = options.graphFile.empty() || writeGraph(state, range, formula, called.formula, out, err, anyResult);
  if (options.table || options.csv || options.json || options.graphFile.empty()) {
    std::vector<long double> xs = range.step > 0 ? steppedPoints(range.from, range.to, range.step)
                                                 : evenPoints(range.from, range.to, kDefaultSteps + 1);
    std::vector<CurvePoint> curve = sampleCurve(state.calculator, called.formula, range.letter, xs, true);
    std::vector<Row> rows = tableRows(state.calculator, curve);
    if (options.json) writeJson(formula, range.letter, curve, rows, out);
    else if (options.csv) writeCsv(range.letter, rows, out);
    else writeTable(rows, out);
    anyResult = anyValue(curve);
  }
  restoreVariables(state, called);
  if (!graphWritten) return 2;
  return anyResult ? 0 : 1;
}
