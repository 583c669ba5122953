#include "engine/texts.h"


namespace {

constexpr TextRow<Msg> kTexts[] = {
    {Msg::VariableEmpty, "N  variable entryfield empty", "N  Variable Eingabefeld leer"},
    {Msg::PressPrg, "press prg and choose integer", "drücken Sie prg und wählen Integer"},
    {Msg::Recursion, "! recursion", "! rekursiv"},
    {Msg::WrongHex, "wrong hexadecimal input", "falsche Hexadezimal-Eingabe"},
    {Msg::FloatingBased, "floating point hex, oct, bin not accepted",
     "keine Gleitkomma-hex/oct/bin-Eingaben erlaubt"},
    {Msg::BasedIncomplete, "hex/oct/bin number not complete", "hex/oct/bin-Zahl unvollständig"},
    {Msg::BaseLetter, "enter B or O or H behind #", "geben Sie hinter # B, O oder H ein"},
    {Msg::BasedTooBig, "hex/oct/bin number too big", "hex/oct/bin-Zahl zu groß"},
    {Msg::OctalDigits, "octal digits are 0...7 !", "oct Zahlen gehen von 0 bis 7 !"},
    {Msg::BinaryDigits, "binary digits are 0 and 1", "nur 0 und 1 sind binäre Ziffern"},
    {Msg::NumberTooBigPrefix, "Number too big: ", "Zahl zu groß: "},
    {Msg::NoDigit, "X is no digit", "X ist keine Ziffer"},
    {Msg::WrongPercent, "wrong usage of percent", "falsche Verwendung von Prozent"},
    {Msg::DivisionByZero, "division by zero", "Division durch Null"},
    {Msg::PowerOverflow, "overflow power of", "Potenz Überlauf"},
    {Msg::PowerError, "error power of", "Potenz Fehler"},
    {Msg::UnknownFunction, "? %s()", "? %s()"},
    {Msg::OperatorLeftOfFunction, "operator at the left of function \"%s\" missing",
     "Rechenzeichen vor Funktion \"%s\" fehlt"},
    {Msg::UnknownName, "%s ?", "%s ?"},
    {Msg::OperatorNearConstant, "operator near constant \"%s\" missing",
     "Rechenzeichen bei Konstante \"%s\" fehlt"},
    {Msg::CommentOpen, "comment bracket [ ] open", "Kommentarklammern [ ] offen"},
    {Msg::Blank, "   ", "   "},
    {Msg::NumberMissing, "number missing", "Zahl fehlt"},
    {Msg::NumberWord, "number", "Zahl"},
    {Msg::OperatorWord, "operator", "Rechenzeichen"},
    {Msg::BetweenBracketsMissing, " between brackets missing", " zwischen Klammern fehlt"},
    {Msg::NumberBetweenOperators, "number between operators missing",
     "Zahl zwischen Rechenzeichen fehlt"},
    {Msg::NumberNearBracket, "number near bracket missing", "Zahl bei Klammer fehlt"},
    {Msg::OperatorNearBracket, "operator near bracket missing", "Rechenzeichen bei Klammer fehlt"},
    {Msg::NumberAfterBracket, "number after bracket missing", "Zahl nach Klammer fehlt"},
    {Msg::CloseMissing, ") missing", ") fehlt"},
    {Msg::OpenMissing, "( missing", "( fehlt"},
    {Msg::BracketsError, "brackets error", "Klammerfehler"},
    {Msg::FunctionDomain, " error %s (%0.4f)", " Fehler %s (%0.4f)"},
    {Msg::ResultTooLarge, "result too large:", "Ergebnis zu groß:"},
    {Msg::ErrorFunction, "Error function", "Fehler Funktion"},
    {Msg::OutOfRange32, "out of range 32 bit", "außerhalb des 32 bit Wertebereichs"},
    {Msg::OutOfRangeInteger, "out of range of chosen integer",
     "außerhalb des gewählten Integer-Formates"},
    {Msg::NegativeNotAllowed, "negative number not allowed", "negative Zahl nicht erlaubt"},
    {Msg::OutOfRangeAscii, "out of range 8 bit ASCII", "außerhalb des ASCII 8 bit Wertebereichs"},
    {Msg::NumberTooBig, "number too big", "Zahl zu groß"},
    {Msg::FractionNotFound, "correct fraction not found", "passenden Bruch nicht gefunden"},
    {Msg::FormulaTooLong, "formula too long", "Formel zu lang"},
    {Msg::NameTooLong, "name too long", "Name zu lang"},
    {Msg::WantedImaginary, "wanted value is imaginary", "gesuchter Wert ist imaginär"},
    {Msg::NoValueFound, "no X value found", "kein X gefunden"},
    {Msg::EnterFirstTry, "enter a first try in the X field", "geben Sie Startwert im X Feld ein"},
    {Msg::UnknownMissing, "X in entry field missing", "X im Eingabefeld fehlt"},
    {Msg::VarOverflow, "var overflow, ", "Var Überlauf, "},
    {Msg::VarTruncate, "var truncate, ", "Var Abrundung, "},
    {Msg::CalcOverflow, "calc overflow, ", "Rech Überlauf, "},
    {Msg::CalcUnderflow, "calc underflow, ", "Rech Underflow, "},
    {Msg::ErrorWord, "error", "Fehler"},
    {Msg::HelpPrompt, "press button you want to get explained", "drücken Sie fraglichen Mausknopf"},
    {Msg::FatalQuestion,
     "You have found a formula which makes serious trouble to Quorvex! Sorry, Quorvex must be "
     "terminated. (I would be interested in knowing your input.) Do you want to save the main "
     "entry filed into the clipboard?",
     "Sie haben eine Formel gefunden, die Quorvex zum Abbruch zwingt. Daran wäre ich "
     "interessiert. Soll der Inhalt des Eingabefeldes in die Zwischenablage gesichert werden?"},
    {Msg::MenuHelpContents, "Help contents/index", "Hilfeindex und Inhalt"},
    {Msg::MenuGeneralHelp, "general help", "allgemeine Hilfe"},
    {Msg::MenuUsingHelp, "using help", "Hilfe für Hilfetext"},
    {Msg::MenuButtonHelp, "button help", "Hilfe für Tasten"},
    {Msg::MenuSmallerWindow, "smaller Quorvex window", "kleineres Quorvex Fenster"},
    {Msg::MenuBiggerWindow, "bigger Quorvex window", "größeres Quorvex Fenster"},
    {Msg::MenuNoFloatOnTop, "no float on top", "Fenster nicht immer oben"},
    {Msg::MenuFloatOnTop, "float on top", "Fenster immer oben"},
    {Msg::MenuOtherLanguage, "german language", "english language"},
    {Msg::MenuStartMaximized, "start maximized", "Start in Normalgröße"},
    {Msg::MenuStartMinimized, "start minimized", "Start in Symbolgröße"},
    {Msg::ButtonHelpMessage,
     "Please press the Quorvex 'help' button and then the button you want to get explained",
     "Drücken Sie bitte den Quorvex 'help' Knopf und anschließend den fraglichen Mausknopf."},
    {Msg::RestartMessage, "Please restart Quorvex to get the new setting active.",
     "Bitte starten Sie Quorvex neu, damit die neue Einstellung wirksam wird."},
    {Msg::MinimizedStartMessage,
     "Next time, Quorvex starts minimized. Use the tasklist/taskbar to maximize.\r\nIf you enter "
     "the formula\r\n[default] Z\r\npress AC and turn autoclip on, you can use Quorvex in the "
     "background.",
     "Beim nächsten Start erscheint Quorvex nur in Symbolgröße. Benutzen Sie die Fensterliste "
     "(Taskleiste), um ihn sichtbar zu machen. Wenn Sie die Formel \r\n[default] Z\r\neingeben, "
     "AC drücken und Autoclip einschalten, können Sie Quorvex im Hintergrund verwenden."},
    {Msg::MenuGraph, "graph", "Graph"},
    {Msg::GraphFrom, "From", "Von"},
    {Msg::GraphTo, "To", "Bis"},
    // The point under the mouse: X and the value, each as a result is shown.
    {Msg::GraphPoint, "X = %s value = %s", "X = %s Wert = %s"},
    {Msg::GraphRangeBackwards, "From must be below To", "Von muss kleiner als Bis sein"},
    {Msg::GraphRangeTooWide, "the range is too wide", "der Bereich ist zu groß"},
};
static_assert(std::size(kTexts) == static_cast<std::size_t>(Msg::Count), "one row per message");
static_assert(rowsInOrder(kTexts), "rows in the order of Msg");

}  // namespace

std::string textFor(Msg id, Language language) { return textOf(kTexts, id, language); }
