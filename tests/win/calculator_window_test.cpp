// The calculator's main window driven from outside: every test starts the
// real Quorvex.exe in a fresh folder, works its controls as a user would and
// checks the fields, the clipboard and the files it leaves at exit.
#include "automation.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <thread>
#include <vector>

using namespace automation;

// Names the row of a table being worked, in failed expectations and in the
// driver's errors (a hung or ended calculator).
#define TABLE_ROW(name) \
  SCOPED_TRACE(name);   \
  Step tableRow_(name)

namespace {

const std::string kEnglishHeader =
    "Ombrix last 20 formulas (History list). Do not change while Ombrix is running.";
const std::string kGermanHeader =
    "Ombrix 20 letzte Eintr\x84ge (History-Liste). Nicht \x84ndern wenn Ombrix l\x84uft.";

constexpr int kSettingsSize = 57;
enum SettingsByte { kAngle = 42, kAutoclip, kPrecision, kNotation, kStartMinimized, kStartBig, kLanguage, kFloatOnTop, kClipvar };

// A history file: the given lines, each ended with CR LF.
std::string fileOf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

int32_t int32At(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(offset + i));
  return static_cast<int32_t>(value);
}

int byteAt(const std::string& bytes, size_t offset) { return static_cast<unsigned char>(bytes.at(offset)); }

void sleepFor(milliseconds time) { std::this_thread::sleep_for(time); }

// Waits until the clipboard holds the expected text; returns what it held last.
std::string waitForClipboard(std::string_view expected, milliseconds timeout = kExpectWait) {
  std::string seen;
  waitUntil([&] { return (seen = clipboardText().value_or("<no text>")) == expected; }, timeout);
  return seen;
}

class CalculatorWindow : public ::testing::Test {
 protected:
  // A test that failed may have left the calculator hanging or a message box
  // open: end it, so nothing of this test outlives it.
  void TearDown() override {
    if (HasFailure()) calc.kill();
  }

  // The first timer tick gives the focus back to the entry field; a test that
  // moves the focus itself waits for that tick to be over.
  void waitPastFirstTick() { sleepFor(kTick + milliseconds(500)); }

  // Puts texts into the variable fields V, W, X, Y (an empty text empties).
  void setVariables(const std::array<const char*, 4>& texts) {
    const int fields[] = {IDC_FIELD_V, IDC_FIELD_W, IDC_FIELD_X, IDC_FIELD_Y};
    for (int i = 0; i < 4; ++i) calc.setText(fields[i], texts[i]);
  }

  Calculator calc;
};

TEST_F(CalculatorWindow, FirstStartShowsTheDefaultsAndLeavesAFreshSettingsRecord) {
  calc.start();
  std::string status = calc.text(IDC_STATUS);
  EXPECT_EQ(status.rfind("Quorvex 4.12", 0), 0u) << status;
  EXPECT_EQ(calc.title(), "Quorvex 4.12");
  EXPECT_EQ(calc.text(IDC_PRECISION), "4");
  EXPECT_EQ(send(calc.control(IDC_NOTATION), CB_GETCOUNT), 16);
  EXPECT_EQ(calc.comboSelection(IDC_NOTATION), 0);
  EXPECT_EQ(calc.text(IDC_NOTATION), "normal (dot)");
  EXPECT_FALSE(calc.checked(IDC_AUTOCLIP));
  EXPECT_FALSE(calc.checked(IDC_CLIPVAR));
  EXPECT_FALSE(calc.visible(IDC_HISTORY_LIST));
  EXPECT_EQ(calc.text(IDC_ENTRY), "");
  EXPECT_EQ(calc.text(IDC_RESULT), "");
  RECT window = calc.windowRect();
  EXPECT_EQ(window.left, 150);
  EXPECT_EQ(window.top, 100);

  // The Esc key itself, through the dialog manager.
  EXPECT_EQ(calc.closeWithEscapeKey(IDC_ENTRY), 0u);

  std::string settings = calc.readFile("quorvex.dta");
  ASSERT_EQ(settings.size(), size_t(kSettingsSize));
  EXPECT_EQ(int32At(settings, 0), 150);
  EXPECT_EQ(int32At(settings, 4), 100);
  const int expected[] = {1, 0, 4, 0, 0, 1, 0, 0, 0};  // bytes 42 to 50
  for (int offset = kAngle; offset <= kClipvar; ++offset) {
    EXPECT_EQ(byteAt(settings, offset), expected[offset - kAngle]) << "settings byte " << offset;
  }
  for (int offset : {8, 20, 41, 51, 56}) EXPECT_EQ(byteAt(settings, offset), 0) << "reserved byte " << offset;
  EXPECT_EQ(calc.readFile("HISTORY.TXT"), fileOf({kEnglishHeader}));
}

// The command line, argument by argument: message boxes answered as they come,
// then what the window shows and what the settings file keeps.
TEST(CommandLine, ArgumentsTakeEffectOrAreRefused) {
  struct Case {
    const char* arguments;
    std::vector<std::string> messageBoxes;
    const char* precision;
    int notation;
    bool big;
    bool minimized;
    int language;  // stored at exit
    const char* entry;
    const char* result;
  };
  const Case cases[] = {
      {"deutsch small 12", {}, "12", 0, false, false, 1, "", ""},
      {"12 small Deutsch", {}, "12", 0, false, false, 1, "", ""},
      {"17", {"Quorvex commandline parameter \"17\" not O.K."}, "4", 0, true, false, 0, "", ""},
      {"1a", {"Quorvex commandline parameter \"1a\" not O.K."}, "4", 0, true, false, 0, "", ""},
      {"1", {}, "1", 0, true, false, 0, "", ""},
      {"0 big", {}, "0", 0, true, false, 0, "", ""},
      {"\"scientific (exp)\"", {}, "4", 6, true, false, 0, "", ""},
      {"input:2+3", {}, "4", 0, true, false, 0, "2+3", "5.0000"},
      {"\"input:1 + 2\" 2", {}, "2", 0, true, false, 0, "1 + 2", "3.00"},
      {"deutsch 17", {"fehlerhafter Quorvex Kommandozeilenparameter \"17\""}, "4", 0, true, false, 1, "", ""},
      {"17 deutsch", {"Quorvex commandline parameter \"17\" not O.K."}, "4", 0, true, false, 1, "", ""},
      {"normal (dot)",
       {"Quorvex commandline parameter \"normal\" not O.K.", "Quorvex commandline parameter \"(dot)\" not O.K."},
       "4", 0, true, false, 0, "", ""},
      {"hexadecimal bogus x:y other",
       {"Quorvex commandline parameter \"bogus\" not O.K.", "Quorvex commandline parameter \"other\" not O.K."},
       "4", 7, true, false, 0, "", ""},
      {"iconized radial", {}, "4", 0, true, true, 0, "", ""},
  };
  LONG widestSmall = 0, narrowestBig = LONG_MAX;
  for (const auto& c : cases) {
    TABLE_ROW(c.arguments);
    Calculator calc;
    calc.launch(c.arguments);
    EXPECT_EQ(calc.answerBoxesUntilMainWindow(), c.messageBoxes);
    EXPECT_EQ(calc.text(IDC_PRECISION), c.precision);
    EXPECT_EQ(calc.comboSelection(IDC_NOTATION), c.notation);
    if (c.minimized) {
      // Minimized when created, or at the latest when the first timer tick is over.
      EXPECT_TRUE(waitUntil([&] { return calc.minimized(); }, 2 * kTick)) << "not minimized";
    } else {
      EXPECT_FALSE(calc.minimized());
    }
    EXPECT_EQ(calc.text(IDC_ENTRY), c.entry);
    EXPECT_EQ(calc.waitForText(IDC_RESULT, c.result), c.result);
    if (!c.minimized) {
      RECT r = calc.windowRect();
      LONG width = r.right - r.left;
      if (c.big) narrowestBig = std::min(narrowestBig, width);
      else widestSmall = std::max(widestSmall, width);
    }
    ASSERT_EQ(calc.close(), 0u);
    std::string settings = calc.readFile("quorvex.dta");
    ASSERT_EQ(settings.size(), size_t(kSettingsSize));
    EXPECT_EQ(byteAt(settings, kPrecision), std::stoi(c.precision));
    EXPECT_EQ(byteAt(settings, kNotation), c.notation);
    EXPECT_EQ(byteAt(settings, kLanguage), c.language);
    // Layout and minimized start hold for this run only.
    EXPECT_EQ(byteAt(settings, kStartBig), 1);
    EXPECT_EQ(byteAt(settings, kStartMinimized), 0);
  }
  EXPECT_LT(widestSmall, narrowestBig) << "the small layout is not smaller";
}

// A formula file named on the command line replaces HISTORY.TXT, unless it
// carries a drive letter, which the calculator ignores.
TEST(CommandLine, FormulaFile) {
  struct Case {
    const char* arguments;
    const char* title;
    const char* entry;
    const char* writtenFile;
  };
  const Case cases[] = {
      {"formulas.txt", "Quorvex 4.12 formulas.txt", "4*4", "formulas.txt"},
      {"C:formulas.txt", "Quorvex 4.12", "", "HISTORY.TXT"},
  };
  for (const auto& c : cases) {
    TABLE_ROW(c.arguments);
    Calculator calc;
    calc.writeFile("formulas.txt", fileOf({"my formulas", "", "[default] 4*4", "9-1"}));
    calc.launch(c.arguments);
    EXPECT_EQ(calc.answerBoxesUntilMainWindow(), std::vector<std::string>{});
    EXPECT_EQ(calc.title(), c.title);
    EXPECT_EQ(calc.text(IDC_ENTRY), c.entry);
    ASSERT_EQ(calc.close(), 0u);
    if (std::string(c.writtenFile) == "formulas.txt") {
      EXPECT_EQ(calc.readFile("formulas.txt"), fileOf({kEnglishHeader, "[default] 4*4", "9-1"}));
      EXPECT_FALSE(calc.hasFile("HISTORY.TXT"));
    } else {
      EXPECT_EQ(calc.readFile("HISTORY.TXT"), fileOf({kEnglishHeader}));
    }
  }
}

TEST_F(CalculatorWindow, FormulasAndVariablesGiveResultsOrMessages) {
  struct Case {
    const char* entry;
    std::array<const char*, 4> variables;  // V, W, X, Y
    const char* result;
    const char* error;
  };
  const Case cases[] = {
      {"2+3", {"", "", "", ""}, "5.0000", ""},
      {"X+1", {"", "", "", ""}, "", "X  variable entryfield empty"},
      {"5/0", {"", "", "", ""}, "", "division by zero"},
      {"X*Y", {"", "", "3", "4"}, "12.0000", ""},
      {"2*x", {"", "", "y+1", "2"}, "6.0000", ""},
      {"V-W", {"10", "4", "", ""}, "6.0000", ""},
      {"X", {"", "", "Y", "X"}, "", "! recursion"},
      {"2X", {"", "", "3", ""}, "", "operator near bracket missing"},
      {"5&3", {"", "", "", ""}, "", "press prg and choose integer"},
      {"[six times seven] 6*7", {"", "", "", ""}, "42.0000", ""},
      // A floating-point fault inside the engine is a message, and the
      // calculator goes on working afterwards.
      {"1e4000*1e4000", {"", "", "", ""}, "", "result too large: 1.00e+4000 * 1.00e+4000"},
      {"2+2", {"", "", "", ""}, "4.0000", ""},
      {"1e4000*1e4000", {"", "", "", ""}, "", "result too large: 1.00e+4000 * 1.00e+4000"},
      {"X/2", {"", "", "1e4000*1e4000", ""}, "", "result too large: 1.00e+4000 * 1.00e+4000"},
      {"X/2", {"", "", "9", ""}, "4.5000", ""},
  };
  calc.start();
  for (const auto& c : cases) {
    TABLE_ROW(c.entry);
    setVariables(c.variables);
    calc.setText(IDC_ENTRY, c.entry);
    EXPECT_EQ(calc.waitForText(IDC_RESULT, c.result), c.result);
    EXPECT_EQ(calc.waitForText(IDC_STATUS, c.error), c.error);
  }
  // Typed key by key, each key a calculation run.
  setVariables({"", "", "", ""});
  calc.setText(IDC_ENTRY, "");
  calc.typeChars(IDC_ENTRY, "6*7+X");
  EXPECT_EQ(calc.waitForText(IDC_ENTRY, "6*7+X"), "6*7+X");
  EXPECT_EQ(calc.waitForText(IDC_STATUS, "X  variable entryfield empty"), "X  variable entryfield empty");
  calc.typeChars(IDC_FIELD_X, "8");  // typing into X recalculates the entry
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "50.0000"), "50.0000");
  EXPECT_EQ(calc.close(), 0u);
}

// The keypad types into the field that had the focus before the button took it.
TEST_F(CalculatorWindow, KeypadTypesIntoTheFieldThatHadTheFocus) {
  struct Case {
    const char* name;
    int focus;
    const char* entryBefore;
    const char* xBefore;
    std::vector<int> buttons;
    const char* entryAfter;
    const char* xAfter;
  };
  const Case cases[] = {
      {"digits into X", IDC_FIELD_X, "1+1", "", {IDC_DIGIT_0 + 1, IDC_DIGIT_0 + 2}, "1+1", "12"},
      {"digits into the entry", IDC_ENTRY, "1+", "7", {IDC_DIGIT_0 + 9, IDC_POINT, IDC_DIGIT_0 + 5}, "1+9.5", "7"},
      {"times twice brackets the entry", IDC_ENTRY, "2", "", {IDC_TIMES, IDC_TIMES}, "(2)*", ""},
      {"times after a times", IDC_ENTRY, "1+2*", "", {IDC_TIMES}, "(1+2)*", ""},
      {"divide and power twice", IDC_ENTRY, "3", "", {IDC_DIVIDE, IDC_DIVIDE, IDC_POWER, IDC_POWER}, "((3)/)^", ""},
      {"plus twice is typed twice", IDC_ENTRY, "2", "", {IDC_PLUS, IDC_PLUS}, "2++", ""},
      {"times twice in X is typed twice", IDC_FIELD_X, "5", "", {IDC_TIMES, IDC_TIMES}, "5", "**"},
      {"com puts the caret between the brackets", IDC_ENTRY, "", "", {IDC_COMMENT, IDC_DIGIT_0 + 5}, "[5]", ""},
      {"letters and brackets", IDC_ENTRY, "", "", {IDC_OPEN_BRACKET, IDC_LETTER_X, IDC_MINUS, IDC_LETTER_V, IDC_CLOSE_BRACKET, IDC_PERCENT}, "(X-V)%", ""},
      {"exponent and minute", IDC_ENTRY, "", "", {IDC_DIGIT_0 + 2, IDC_EXPONENT, IDC_DIGIT_0 + 3, IDC_DEGREE_MINUTE}, "2e3'", ""},
      {"backspace in X", IDC_FIELD_X, "", "123", {IDC_BACKSPACE}, "", "12"},
      {"caret keys", IDC_ENTRY, "12", "", {IDC_CARET_HOME, IDC_DELETE_RIGHT, IDC_CARET_END, IDC_CARET_LEFT, IDC_DIGIT_0}, "02", ""},
      {"reciprocal wraps", IDC_ENTRY, "1+2", "", {IDC_RECIPROCAL}, "1/(1+2)", ""},
      {"reciprocal undone", IDC_ENTRY, "1/(5)", "", {IDC_RECIPROCAL}, "5", ""},
      {"reciprocal of a sum of reciprocals", IDC_ENTRY, "1/(5)+1/(6)", "", {IDC_RECIPROCAL}, "1/(1/(5)+1/(6))", ""},
  };
  calc.start();
  waitPastFirstTick();
  for (const auto& c : cases) {
    TABLE_ROW(c.name);
    calc.setText(IDC_ENTRY, c.entryBefore);
    calc.setText(IDC_FIELD_X, c.xBefore);
    calc.clickInto(c.focus);
    calc.setCaret(c.focus, -1);
    for (int button : c.buttons) calc.click(button);
    EXPECT_EQ(calc.waitForText(IDC_ENTRY, c.entryAfter), c.entryAfter);
    EXPECT_EQ(calc.waitForText(IDC_FIELD_X, c.xAfter), c.xAfter);
  }
  EXPECT_EQ(calc.close(), 0u);
}

// The buttons of the scientific-functions and programmer windows reach the main
// window as messages 1025 and 1026.
TEST_F(CalculatorWindow, ForwardedFunctionAndProgrammerButtons) {
  struct Case {
    const char* entryBefore;
    UINT message;
    int button;
    std::vector<int> thenClicked;
    const char* entryAfter;
  };
  const Case cases[] = {
      {"1+2", WM_USER_FUNCTION_BUTTON, 204, {}, "sin(1+2)"},
      {"", WM_USER_FUNCTION_BUTTON, 204, {IDC_DIGIT_0 + 1}, "sin(1)"},
      {"1+", WM_USER_FUNCTION_BUTTON, 215, {}, "1+sqr("},
      {"9", WM_USER_FUNCTION_BUTTON, 216, {}, "sqrt(9)"},
      {"x", WM_USER_FUNCTION_BUTTON, 218, {}, "not(x)"},
      {"2*", WM_USER_FUNCTION_BUTTON, 231, {}, "2*Pi"},
      {"", WM_USER_FUNCTION_BUTTON, 232, {}, "Eul"},
      {"5", WM_USER_FUNCTION_BUTTON, 203, {}, "5"},
      {"5", WM_USER_FUNCTION_BUTTON, 219, {}, "5"},
      {"", WM_USER_PROGRAMMER_BUTTON, 321, {}, "#h"},
      {"#h", WM_USER_PROGRAMMER_BUTTON, 315, {}, "#hF"},
      {"5", WM_USER_PROGRAMMER_BUTTON, 350, {}, "5&"},
      {"5&", WM_USER_PROGRAMMER_BUTTON, 350, {}, "(5)&"},
      {"", WM_USER_PROGRAMMER_BUTTON, 360, {}, "not()"},
      {"5", WM_USER_PROGRAMMER_BUTTON, 340, {}, "5"},
  };
  calc.start();
  waitPastFirstTick();
  for (const auto& c : cases) {
    TABLE_ROW(std::string(c.entryBefore) + " / " + std::to_string(c.button));
    calc.setText(IDC_ENTRY, c.entryBefore);
    calc.clickInto(IDC_ENTRY);
    calc.setCaret(IDC_ENTRY, -1);
    calc.sendToMain(c.message, c.button, 0);
    for (int button : c.thenClicked) calc.click(button);
    EXPECT_EQ(calc.waitForText(IDC_ENTRY, c.entryAfter), c.entryAfter);
  }
  calc.setText(IDC_ENTRY, "9");
  calc.sendToMain(WM_USER_FUNCTION_BUTTON, 216, 0);
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "3.0000"), "3.0000");
  EXPECT_EQ(calc.close(), 0u);
}

// What the history file holds at start decides the first formula; what it
// holds at exit is the named entries, then the last 20 formulas.
TEST(HistoryFile, StartFormulaAndRewrittenFile) {
  std::vector<std::string> formulas;
  for (int i = 1; i <= 25; ++i) formulas.push_back("1+" + std::to_string(i));
  std::vector<std::string> last20(formulas.begin() + 5, formulas.end());

  struct Case {
    const char* name;
    std::vector<std::string> linesAtStart;  // after the header
    const char* entry;
    const char* result;
    std::vector<std::string> linesAtExit;  // after the header
  };
  std::vector<std::string> manyFormulas = formulas;
  manyFormulas.insert(manyFormulas.begin() + 3, "[kept] 1");
  std::vector<std::string> keptThenLast20 = last20;
  keptThenLast20.insert(keptThenLast20.begin(), "[kept] 1");
  const Case cases[] = {
      {"default, plain and named", {"[default] 2*3", "3+4", "", "[x] 5"}, "2*3", "6.0000",
       {"[default] 2*3", "[x] 5", "3+4"}},
      {"the later default wins", {"[default] 1", "[default]2"}, "2", "2.0000", {"[default] 1", "[default]2"}},
      {"25 formulas keep the last 20", manyFormulas, "", "", keptThenLast20},
  };
  for (const auto& c : cases) {
    TABLE_ROW(c.name);
    Calculator calc;
    std::vector<std::string> atStart{"any header"};
    atStart.insert(atStart.end(), c.linesAtStart.begin(), c.linesAtStart.end());
    calc.writeFile("HISTORY.TXT", fileOf(atStart));
    calc.start();
    EXPECT_EQ(calc.text(IDC_ENTRY), c.entry);
    EXPECT_EQ(calc.waitForText(IDC_RESULT, c.result), c.result);
    ASSERT_EQ(calc.close(), 0u);
    std::vector<std::string> atExit{kEnglishHeader};
    atExit.insert(atExit.end(), c.linesAtExit.begin(), c.linesAtExit.end());
    EXPECT_EQ(calc.readFile("HISTORY.TXT"), fileOf(atExit));
  }
}

TEST_F(CalculatorWindow, NamedEntryIsCalledUpByItsName) {
  calc.writeFile("HISTORY.TXT", fileOf({"header", "[rent] 1200*12 ; X = 3", "[area] X*Y; X=2; Y = 5"}));
  calc.start();
  waitPastFirstTick();
  struct Case {
    const char* typed;
    const char* entry;
    const char* x;
    const char* y;
    const char* result;
  };
  const Case cases[] = {
      {"[rent]", "[rent] 1200*12 ", "3", "", "14400.0000"},
      {"[area]", "[area] X*Y", "2", "5", "10.0000"},
  };
  for (const auto& c : cases) {
    TABLE_ROW(c.typed);
    setVariables({"", "", "", ""});
    calc.clickInto(IDC_ENTRY);
    calc.setText(IDC_ENTRY, c.typed);
    EXPECT_EQ(calc.waitForText(IDC_ENTRY, c.entry), c.entry);
    EXPECT_EQ(calc.waitForText(IDC_FIELD_X, c.x), c.x);
    EXPECT_EQ(calc.waitForText(IDC_FIELD_Y, c.y), c.y);
    EXPECT_EQ(calc.waitForText(IDC_RESULT, c.result), c.result);
    EXPECT_EQ(calc.selection(IDC_ENTRY), std::make_pair(0, 0)) << "the caret stands at the start";
  }
  EXPECT_EQ(calc.close(), 0u);
}

// AC commits the formula with its variables; "F" and "H" list what is stored;
// a chosen line comes back split into formula and variables.
TEST_F(CalculatorWindow, AllClearFillsTheHistory) {
  calc.writeFile("HISTORY.TXT", fileOf({"header", "[area] 1", "[x] 5"}));
  calc.start();
  waitPastFirstTick();  // its focus change would hide the list

  struct Commit {
    const char* entry;
    std::array<const char*, 4> variables;
  };
  const Commit commits[] = {
      {"[area] X*Y", {"", "", "2", "3"}},
      {"7*6", {"", "", "", ""}},
      {"5/0", {"", "", "", ""}},     // an error: not stored
      {"[bad] 5/0", {"", "", "", ""}},  // named: stored all the same
      {"", {"1", "", "", ""}},       // nothing to store
  };
  for (const auto& c : commits) {
    TABLE_ROW(c.entry);
    setVariables(c.variables);
    calc.setText(IDC_ENTRY, c.entry);
    calc.click(IDC_ALL_CLEAR);
    for (int field : {IDC_ENTRY, IDC_FIELD_V, IDC_FIELD_W, IDC_FIELD_X, IDC_FIELD_Y, IDC_FIELD_Z}) {
      EXPECT_EQ(calc.waitForText(field, ""), "") << "field " << field;
    }
  }

  struct ListCase {
    int button;
    bool shown;
    std::vector<std::string> items;
  };
  const ListCase lists[] = {
      {IDC_SHOW_NAMED, true, {"[area] X*Y; X=2; Y=3", "[bad] 5/0", "[x] 5"}},
      {IDC_SHOW_NAMED, false, {}},
      {IDC_SHOW_FORMULAS, true, {"7*6"}},
      {IDC_SHOW_FORMULAS, false, {}},
  };
  for (const auto& l : lists) {
    TABLE_ROW("button " + std::to_string(l.button));
    calc.click(l.button);
    EXPECT_EQ(calc.visible(IDC_HISTORY_LIST), l.shown);
    for (int covered : {IDC_ALL_CLEAR, IDC_UNDO, IDC_NOTATION, IDC_FIELD_X, IDC_PRECISION_SPIN}) {
      EXPECT_EQ(calc.visible(covered), !l.shown) << "control " << covered;
    }
    if (l.shown) {
      EXPECT_EQ(calc.listItems(IDC_HISTORY_LIST), l.items);
    }
  }

  calc.click(IDC_SHOW_NAMED);
  calc.selectListItem(IDC_HISTORY_LIST, 0);
  EXPECT_EQ(calc.waitForText(IDC_ENTRY, "[area] X*Y"), "[area] X*Y");
  EXPECT_EQ(calc.text(IDC_FIELD_X), "2");
  EXPECT_EQ(calc.text(IDC_FIELD_Y), "3");
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "6.0000"), "6.0000");
  EXPECT_FALSE(calc.visible(IDC_HISTORY_LIST));
  EXPECT_TRUE(calc.visible(IDC_ALL_CLEAR));

  ASSERT_EQ(calc.close(), 0u);
  EXPECT_EQ(calc.readFile("HISTORY.TXT"),
            fileOf({kEnglishHeader, "[x] 5", "[area] X*Y; X=2; Y=3", "[bad] 5/0", "7*6"}));
}

TEST_F(CalculatorWindow, UndoBringsBackFormulasThatStoodForThreeTicks) {
  calc.start();
  // Before any snapshot, undo changes nothing.
  calc.setText(IDC_ENTRY, "9");
  calc.click(IDC_UNDO);
  EXPECT_EQ(calc.text(IDC_ENTRY), "9");

  calc.setText(IDC_ENTRY, "1+1");
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "2.0000"), "2.0000");
  sleepFor(4 * kTick + milliseconds(400));
  calc.setText(IDC_ENTRY, "2+2");
  calc.click(IDC_UNDO);
  EXPECT_EQ(calc.waitForText(IDC_ENTRY, "1+1"), "1+1");
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "2.0000"), "2.0000");
  // The stack is used up: undo empties the entry.
  calc.click(IDC_UNDO);
  EXPECT_EQ(calc.waitForText(IDC_ENTRY, ""), "");
  EXPECT_EQ(calc.close(), 0u);
}

TEST_F(CalculatorWindow, ResultAndEquationButtons) {
  calc.start();
  calc.setText(IDC_ENTRY, "6*7");
  ASSERT_EQ(calc.waitForText(IDC_RESULT, "42.0000"), "42.0000");

  struct Case {
    const char* name;
    const char* entry;
    std::array<const char*, 4> variables;
    const char* precision;
    int button;
    int field;  // the field checked afterwards, or 0 for the clipboard
    const char* expected;
  };
  const Case cases[] = {
      {"X<", "6*7", {"", "", "", ""}, "4", IDC_RESULT_TO_X, IDC_FIELD_X, "42.0000"},
      {"Y<", "6*7", {"", "", "", ""}, "4", IDC_RESULT_TO_Y, IDC_FIELD_Y, "42.0000"},
      {"X< after an error keeps X", "5/0", {"", "", "1", ""}, "4", IDC_RESULT_TO_X, IDC_FIELD_X, "1"},
      {"= >Z", "X*2", {"", "", "4", ""}, "0", IDC_EQUATION_TO_CLIPBOARD, 0, "X*2 = 8\r\nX = 4"},
      {"= >Z names the used variables only", "v+y [x]", {"1", "2", "3", "4"}, "1", IDC_EQUATION_TO_CLIPBOARD, 0,
       "v+y [x] = 5.0\r\nV = 1\r\nY = 4"},
      {">Z", "X*2", {"", "", "4", ""}, "0", IDC_RESULT_TO_CLIPBOARD, 0, "8"},
      {"Z<", "X*2", {"", "", "4", ""}, "0", IDC_ENTRY_TO_CLIPBOARD, 0, "X*2"},
      {">Z after an error leaves the clipboard", "5/0", {"", "", "", ""}, "0", IDC_RESULT_TO_CLIPBOARD, 0, "untouched"},
      {"= >Z after an error leaves the clipboard", "5/0", {"", "", "", ""}, "0", IDC_EQUATION_TO_CLIPBOARD, 0, "untouched"},
  };
  for (const auto& c : cases) {
    TABLE_ROW(c.name);
    putClipboardText("untouched");
    setVariables(c.variables);
    calc.setText(IDC_PRECISION, c.precision);
    calc.setText(IDC_ENTRY, c.entry);
    calc.click(c.button);
    if (c.field) {
      EXPECT_EQ(calc.waitForText(c.field, c.expected), c.expected);
    } else {
      EXPECT_EQ(waitForClipboard(c.expected), c.expected);
    }
  }

  // "Z>" joins the clipboard's lines into one formula.
  setVariables({"", "", "", ""});
  putClipboardText("12\r\n7\r\n-3");
  calc.click(IDC_PASTE_CLIPBOARD);
  EXPECT_EQ(calc.waitForText(IDC_ENTRY, "12+7-3"), "12+7-3");
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "16"), "16");

  // Autoclip copies the current result at once and every result after it.
  calc.click(IDC_AUTOCLIP);
  EXPECT_TRUE(calc.checked(IDC_AUTOCLIP));
  EXPECT_EQ(waitForClipboard("16"), "16");
  calc.setText(IDC_ENTRY, "2^10");
  EXPECT_EQ(waitForClipboard("1024"), "1024");

  ASSERT_EQ(calc.close(), 0u);
  std::string settings = calc.readFile("quorvex.dta");
  ASSERT_EQ(settings.size(), size_t(kSettingsSize));
  EXPECT_EQ(byteAt(settings, kAutoclip), 1);
  EXPECT_EQ(byteAt(settings, kPrecision), 0);
}

// Z mirrors the clipboard while the formula reads it.
TEST_F(CalculatorWindow, ZFollowsTheClipboard) {
  const milliseconds twoTicks = 2 * kTick + milliseconds(300);
  calc.start();
  putClipboardText("41");
  calc.setText(IDC_ENTRY, "Z+1");
  EXPECT_EQ(calc.waitForText(IDC_FIELD_Z, "41", twoTicks * 2), "41");
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "42.0000"), "42.0000");

  putClipboardText("a=b");  // never pasted into Z
  sleepFor(twoTicks);
  EXPECT_EQ(calc.text(IDC_FIELD_Z), "41");

  putClipboardText("1\r\n  2\r\n");
  EXPECT_EQ(calc.waitForText(IDC_FIELD_Z, "1+2", twoTicks), "1+2");
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "4.0000"), "4.0000");

  // With autoclip the result goes to the clipboard and is not taken back into Z.
  calc.click(IDC_AUTOCLIP);
  calc.setText(IDC_ENTRY, "Z*2");
  putClipboardText("7");
  EXPECT_EQ(calc.waitForText(IDC_FIELD_Z, "7", twoTicks), "7");
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "14.0000"), "14.0000");
  EXPECT_EQ(waitForClipboard("14.0000"), "14.0000");
  sleepFor(twoTicks);
  EXPECT_EQ(calc.text(IDC_FIELD_Z), "7");
  calc.click(IDC_AUTOCLIP);

  // A formula without Z empties the Z field.
  calc.setText(IDC_ENTRY, "5");
  EXPECT_EQ(calc.waitForText(IDC_FIELD_Z, ""), "");
  EXPECT_EQ(calc.close(), 0u);
}

// With clipvar each new clipboard value pushes the older ones down V W X Y Z.
TEST_F(CalculatorWindow, ClipvarShiftsTheVariableFields) {
  const milliseconds twoTicks = 2 * kTick + milliseconds(300);
  calc.start("clipvar");
  EXPECT_TRUE(calc.checked(IDC_CLIPVAR));
  putClipboardText("5");
  calc.setText(IDC_ENTRY, "Z");
  ASSERT_EQ(calc.waitForText(IDC_FIELD_Z, "5", twoTicks * 2), "5");
  setVariables({"1", "2", "3", "4"});
  putClipboardText("6");
  struct Expected {
    int field;
    const char* text;
  };
  const Expected after[] = {{IDC_FIELD_V, "2"}, {IDC_FIELD_W, "3"}, {IDC_FIELD_X, "4"}, {IDC_FIELD_Y, "5"}, {IDC_FIELD_Z, "6"}};
  for (const auto& e : after) EXPECT_EQ(calc.waitForText(e.field, e.text, twoTicks), e.text) << "field " << e.field;
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "6.0000"), "6.0000");
  ASSERT_EQ(calc.close(), 0u);
  EXPECT_EQ(byteAt(calc.readFile("quorvex.dta"), kClipvar), 1);
}

// Precision and notation changed in the window are the next start's.
TEST_F(CalculatorWindow, SettingsChangedInTheWindowSurviveARestart) {
  calc.start();
  calc.setText(IDC_ENTRY, "1/3");
  calc.setText(IDC_PRECISION, "99");  // more than 16 counts as 16
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "0.3333333333333333"), "0.3333333333333333");
  calc.setText(IDC_PRECISION, "12");
  calc.selectCombo(IDC_NOTATION, 7);
  calc.setText(IDC_ENTRY, "255");
  EXPECT_EQ(calc.waitForText(IDC_RESULT, "FF"), "FF");
  ASSERT_EQ(calc.close(), 0u);
  std::string settings = calc.readFile("quorvex.dta");
  ASSERT_EQ(settings.size(), size_t(kSettingsSize));
  EXPECT_EQ(byteAt(settings, kPrecision), 12);
  EXPECT_EQ(byteAt(settings, kNotation), 7);

  calc.start();
  EXPECT_EQ(calc.text(IDC_PRECISION), "12");
  EXPECT_EQ(calc.comboSelection(IDC_NOTATION), 7);
  EXPECT_EQ(calc.text(IDC_NOTATION), "hexadecimal");
  EXPECT_EQ(calc.close(), 0u);
}

// German messages, decimal key and history header; the language is stored.
TEST_F(CalculatorWindow, GermanIsChosenOnTheCommandLineAndKept) {
  struct Case {
    const char* entry;
    const char* error;
  };
  const Case cases[] = {
      {"5/0", "Division durch Null"},
      {"X+1", "X  Variable Eingabefeld leer"},
      {"1e4000*1e4000", "Ergebnis zu gro\xDF: 1.00e+4000 * 1.00e+4000"},
  };
  for (const char* arguments : {"deutsch", ""}) {  // the second start finds German stored
    TABLE_ROW(std::string("started with \"") + arguments + "\"");
    calc.start(arguments);
    waitPastFirstTick();
    calc.setText(IDC_ENTRY, "7");
    calc.clickInto(IDC_ENTRY);
    calc.click(IDC_POINT);
    calc.click(IDC_DIGIT_0 + 5);
    EXPECT_EQ(calc.waitForText(IDC_ENTRY, "7,5"), "7,5");
    for (const auto& c : cases) {
      TABLE_ROW(c.entry);
      calc.setText(IDC_ENTRY, c.entry);
      EXPECT_EQ(calc.waitForText(IDC_STATUS, c.error), c.error);
    }
    ASSERT_EQ(calc.close(), 0u);
    EXPECT_EQ(calc.readFile("HISTORY.TXT"), fileOf({kGermanHeader}));
    EXPECT_EQ(byteAt(calc.readFile("quorvex.dta"), kLanguage), 1);
  }
}

}  // namespace

namespace {

int controlWidth(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  return r.right - r.left;
}

int controlLeft(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  return r.left;
}

// The calculator's entries of the system menu, and widening the window.
// (Wine keeps a menu's texts to its own process, so the driver checks what
// the commands do rather than how the entries read.)
TEST_F(CalculatorWindow, SystemMenuEntriesAndWidening) {
  HWND main = calc.start();
  calc.sendToMain(WM_SYSCOMMAND, 709);
  calc.setText(IDC_ENTRY, "5/0");
  EXPECT_EQ(calc.waitForText(IDC_STATUS, "Division durch Null"), "Division durch Null");

  post(main, WM_SYSCOMMAND, 708);
  automation::MessageBoxInfo box = calc.waitForMessageBox();
  EXPECT_EQ(box.text, "Bitte starten Sie Quorvex neu, damit die neue Einstellung wirksam wird.");
  calc.answer(box);
  post(main, WM_SYSCOMMAND, 710);
  box = calc.waitForMessageBox();
  EXPECT_EQ(box.text.rfind("Beim n\xE4" "chsten Start erscheint Quorvex nur in Symbolgr\xF6\xDF" "e.", 0), 0u)
      << box.text;
  calc.answer(box);

  struct Watched {
    int id;
    int widthGrowth, shift;
  };
  const Watched watched[] = {
      {IDC_ENTRY, 40, 0},  {IDC_SHOW_NAMED, 0, 40}, {IDC_SHOW_FORMULAS, 0, 40},
      {IDC_RESULT, 20, 0}, {IDC_FIELD_Z, 20, 20},   {IDC_LETTER_Z, 0, 20},
      {IDC_FIELD_V, 20, 0}, {IDC_FIELD_X, 20, 20},  {IDC_LETTER_X, 0, 20},
  };
  std::vector<std::pair<int, int>> before;
  for (const Watched& w : watched) before.emplace_back(controlWidth(calc.control(w.id)), controlLeft(calc.control(w.id)));
  RECT proposed = calc.windowRect();
  proposed.right += 40;
  proposed.bottom += 25;  // the height never changes
  calc.sendToMain(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
  RECT frame = calc.windowRect();
  EXPECT_EQ(proposed.bottom - proposed.top, frame.bottom - frame.top);
  for (std::size_t i = 0; i < std::size(watched); ++i) {
    TABLE_ROW("control " + std::to_string(watched[i].id));
    EXPECT_EQ(controlWidth(calc.control(watched[i].id)) - before[i].first, watched[i].widthGrowth);
    EXPECT_EQ(controlLeft(calc.control(watched[i].id)) - before[i].second, watched[i].shift);
  }

  ASSERT_EQ(calc.close(), 0u);
  std::string settings = calc.readFile("quorvex.dta");
  EXPECT_EQ(byteAt(settings, kLanguage), 1);
  EXPECT_EQ(byteAt(settings, kStartBig), 0) << "the next start is small";
  EXPECT_EQ(byteAt(settings, kStartMinimized), 1) << "and minimized";
}

}  // namespace
