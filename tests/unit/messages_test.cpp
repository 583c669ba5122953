// Every message of the engine and number display, triggered for real, in
// English and in German (Windows-1252 inside, compared here as UTF-8).
#include <set>

#include "engine/texts.h"
#include "test_support.h"

namespace {

struct MessageCase {
  Msg id;
  const char* formula;
  int notation;
  int integerWidth;
  const char* english;
  const char* german;
  int precision = 4;
};

const MessageCase kCases[] = {
    {Msg::VariableEmpty, "X+1", 0, 0, "X  variable entryfield empty", "X  Variable Eingabefeld leer"},
    {Msg::PressPrg, "5&3", 0, 0, "press prg and choose integer", "drücken Sie prg und wählen Integer"},
    {Msg::Recursion, "X", 0, 0, "! recursion", "! rekursiv"},
    {Msg::FloatingBased, "#h1.5", 0, 0, "floating point hex, oct, bin not accepted",
     "keine Gleitkomma-hex/oct/bin-Eingaben erlaubt"},
    {Msg::BasedIncomplete, "#h", 0, 0, "hex/oct/bin number not complete", "hex/oct/bin-Zahl unvollständig"},
    {Msg::BaseLetter, "#c12", 0, 0, "enter B or O or H behind #", "geben Sie hinter # B, O oder H ein"},
    {Msg::BasedTooBig, "#h123456789", 0, 0, "hex/oct/bin number too big", "hex/oct/bin-Zahl zu groß"},
    {Msg::OctalDigits, "#o8", 0, 0, "octal digits are 0...7 !", "oct Zahlen gehen von 0 bis 7 !"},
    {Msg::BinaryDigits, "#b2", 0, 0, "binary digits are 0 and 1", "nur 0 und 1 sind binäre Ziffern"},
    {Msg::NumberTooBigPrefix, "1e5000", 0, 0, "Number too big: 1e5000", "Zahl zu groß: 1e5000"},
    {Msg::NoDigit, "5%3+1", 0, 0, "% is no digit", "% ist keine Ziffer"},
    {Msg::WrongPercent, "10%+5", 0, 0, "wrong usage of percent", "falsche Verwendung von Prozent"},
    {Msg::DivisionByZero, "5/0", 0, 0, "division by zero", "Division durch Null"},
    {Msg::PowerOverflow, "10^5000", 0, 0, "overflow power of", "Potenz Überlauf"},
    {Msg::PowerError, "(-8)^0.5", 0, 0, "error power of", "Potenz Fehler"},
    {Msg::UnknownFunction, "sinus(1)", 0, 0, "? sinus()", "? sinus()"},
    {Msg::OperatorLeftOfFunction, "2sin(30)", 0, 0, "operator at the left of function \"sin\" missing",
     "Rechenzeichen vor Funktion \"sin\" fehlt"},
    {Msg::UnknownName, "pi", 0, 0, "pi ?", "pi ?"},
    {Msg::OperatorNearConstant, "2Pi", 0, 0, "operator near constant \"Pi\" missing",
     "Rechenzeichen bei Konstante \"Pi\" fehlt"},
    {Msg::CommentOpen, "3 [open", 0, 0, "comment bracket [ ] open", "Kommentarklammern [ ] offen"},
    {Msg::Blank, "", 0, 0, "   ", "   "},
    {Msg::NumberMissing, "*5", 0, 0, "number missing", "Zahl fehlt"},
    {Msg::NumberWord, "()", 0, 0, "number between brackets missing", "Zahl zwischen Klammern fehlt"},
    {Msg::BetweenBracketsMissing, "()", 0, 0, "number between brackets missing",
     "Zahl zwischen Klammern fehlt"},
    {Msg::OperatorWord, "(1)(2)", 0, 0, "operator between brackets missing",
     "Rechenzeichen zwischen Klammern fehlt"},
    {Msg::NumberBetweenOperators, "2+*3", 0, 0, "number between operators missing",
     "Zahl zwischen Rechenzeichen fehlt"},
    {Msg::NumberNearBracket, "(3+)", 0, 0, "number near bracket missing", "Zahl bei Klammer fehlt"},
    {Msg::OperatorNearBracket, "2(3)", 0, 0, "operator near bracket missing",
     "Rechenzeichen bei Klammer fehlt"},
    {Msg::NumberAfterBracket, "(*3)", 0, 0, "number after bracket missing", "Zahl nach Klammer fehlt"},
    {Msg::CloseMissing, "(2+3", 0, 0, ") missing", ") fehlt"},
    {Msg::OpenMissing, "2+3)", 0, 0, "( missing", "( fehlt"},
    {Msg::BracketsError, "3)+(4", 0, 0, "brackets error", "Klammerfehler"},
    {Msg::FunctionDomain, "log(0)", 0, 0, " error log (0.0000)", " Fehler log (0.0000)"},
    {Msg::ResultTooLarge, "1e4000*1e4000", 0, 0, "result too large: 1.00e+4000 * 1.00e+4000",
     "Ergebnis zu groß: 1.00e+4000 * 1.00e+4000"},
    {Msg::ErrorFunction, "sqr(1e3000)", 0, 0, "Error function sqr(1.0000e+3000)",
     "Fehler Funktion sqr(1.0000e+3000)"},
    {Msg::OutOfRange32, "2^32", 7, 0, "out of range 32 bit", "außerhalb des 32 bit Wertebereichs"},
    {Msg::OutOfRangeInteger, "2^9", 9, 1, "out of range of chosen integer",
     "außerhalb des gewählten Integer-Formates"},
    {Msg::NegativeNotAllowed, "0-1", 10, 0, "negative number not allowed", "negative Zahl nicht erlaubt"},
    {Msg::OutOfRangeAscii, "256", 8, 0, "out of range 8 bit ASCII", "außerhalb des ASCII 8 bit Wertebereichs"},
    {Msg::NumberTooBig, "2^33", 11, 0, "number too big", "Zahl zu groß"},
    {Msg::FractionNotFound, "2", 12, 0, "correct fraction not found", "passenden Bruch nicht gefunden", 0},
    {Msg::NameTooLong, "qqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqq", 0, 0,
     "name too long", "Name zu lang"},
};

// Messages that belong to the equation solver or the integer status line,
// which other tests cover.
const std::set<Msg> kElsewhere = {Msg::WantedImaginary, Msg::NoValueFound, Msg::EnterFirstTry,
                                  Msg::UnknownMissing, Msg::VarOverflow,   Msg::VarTruncate,
                                  Msg::CalcOverflow,   Msg::CalcUnderflow, Msg::WrongHex,
                                  Msg::FormulaTooLong, Msg::ErrorWord,   Msg::HelpPrompt,
                                  Msg::FatalQuestion};

// The window's own texts (menu entries and their messages) start here; the
// window tests show them.
constexpr int kFirstWindowText = static_cast<int>(Msg::MenuHelpContents);

class MessageTest : public EngineTest {};

TEST_F(MessageTest, EveryMessageInBothLanguages) {
  std::set<Msg> covered;
  for (Language language : {Language::English, Language::German}) {
    for (const MessageCase& c : kCases) {
      resetEngineState();
      calcSettings.language = language;
      calcSettings.outputNotation = static_cast<OutputNotation>(c.notation);
      calcSettings.integerWidth = c.integerWidth;
      calcSettings.precision = c.precision;
      calcSettings.signedIntegers = false;
      setVariableText('X', c.id == Msg::Recursion ? "Y" : "");
      setVariableText('Y', "X");
      std::string expected = language == Language::English ? c.english : c.german;
      EXPECT_EQ(calc(c.formula), "!" + expected) << c.formula;
      covered.insert(c.id);
    }
  }
  for (int i = 0; i < kFirstWindowText; ++i) {
    Msg id = static_cast<Msg>(i);
    EXPECT_TRUE(covered.count(id) || kElsewhere.count(id)) << "no case for " << englishText(id);
  }
}

TEST_F(MessageTest, StatusLineListsTheCountersThatCounted) {
  struct {
    const char* formula;
    int width;
    bool isSigned;
    const char* english;
    const char* german;
  } cases[] = {
      {"200+100", 1, false, "calc overflow", "Rech Überlauf"},
      {"300+0", 1, false, "var overflow", "Var Überlauf"},
      {"2.5*2", 1, false, "var truncate", "Var Abrundung"},
      {"7/2", 4, true, "calc underflow", "Rech Underflow"},
      {"1<31", 4, true, "calc underflow", "Rech Underflow"},
      {"300+250", 1, false, "var overflow, calc overflow", "Var Überlauf, Rech Überlauf"},
      {"300.5/7", 1, false, "var overflow, var truncate, calc underflow",
       "Var Überlauf, Var Abrundung, Rech Underflow"},
      {"1+1", 1, false, "", ""},
      {"-1+0", 1, false, "var overflow", "Var Überlauf"},
  };
  for (Language language : {Language::English, Language::German}) {
    for (const auto& c : cases) {
      calcSettings.language = language;
      calcSettings.integerWidth = c.width;
      calcSettings.signedIntegers = c.isSigned;
      calc(c.formula);
      buildStatusText();
      EXPECT_EQ(windows1252ToUtf8(statusText), language == Language::English ? c.english : c.german)
          << c.formula;
    }
  }
}

TEST_F(MessageTest, LongArgumentsAreShortenedToFitTheMessageBuffer) {
  std::string literal = "1e5000" + std::string(80, '0');
  std::string message = calc(literal);
  EXPECT_EQ(message.size(), 1 + kErrorTextSize - 1);
  EXPECT_EQ(message.substr(0, 17), "!Number too big: ");
  EXPECT_EQ(message.substr(message.size() - 3), "...");

  std::string name(59, 'q');
  message = calc("1+" + name);
  EXPECT_EQ(message.substr(message.size() - 5), "... ?") << message;
  EXPECT_EQ(calc("1+" + name + "q"), "!name too long");
}

}  // namespace
