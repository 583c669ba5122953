// The keys that type: the main window's keypad and caret keys, and the
// buttons the functions and programmer windows forward to the main window.
#include "engine/functions.h"
#include "resource.h"
#include "ui/app.h"

namespace {

// Buttons that type a text.
struct TypingButton {
  int id;
  const char* text;
  InsertKind kind;
};
constexpr InsertKind kPlain = InsertKind::Plain, kOperator = InsertKind::BinaryOperator;

constexpr TypingButton kKeypad[] = {
    {IDC_DIGIT_0, "0", kPlain}, {IDC_DIGIT_1, "1", kPlain}, {IDC_DIGIT_2, "2", kPlain},
    {IDC_DIGIT_3, "3", kPlain}, {IDC_DIGIT_4, "4", kPlain}, {IDC_DIGIT_5, "5", kPlain},
    {IDC_DIGIT_6, "6", kPlain}, {IDC_DIGIT_7, "7", kPlain}, {IDC_DIGIT_8, "8", kPlain},
    {IDC_DIGIT_9, "9", kPlain},
    {IDC_PLUS, "+", kPlain}, {IDC_MINUS, "-", kPlain},
    {IDC_TIMES, "*", kOperator}, {IDC_DIVIDE, "/", kOperator}, {IDC_POWER, "^", kOperator},
    {IDC_DEGREE_MINUTE, "'", kPlain}, {IDC_OPEN_BRACKET, "(", kPlain},
    {IDC_CLOSE_BRACKET, ")", kPlain}, {IDC_EXPONENT, "e", kPlain}, {IDC_PERCENT, "%", kPlain},
    {IDC_LETTER_X, "X", kPlain}, {IDC_LETTER_Y, "Y", kPlain}, {IDC_LETTER_Z, "Z", kPlain},
    {IDC_LETTER_V, "V", kPlain}, {IDC_LETTER_W, "W", kPlain},
};

// Buttons of the programmer window that type, forwarded with 1026.
constexpr TypingButton kProgrammerKeys[] = {
    {IDC_HEX_A, "A", kPlain}, {IDC_HEX_B, "B", kPlain}, {IDC_HEX_C, "C", kPlain},
    {IDC_HEX_D, "D", kPlain}, {IDC_HEX_E, "E", kPlain}, {IDC_HEX_F, "F", kPlain},
    {IDC_PREFIX_HEX, "#h", kPlain}, {IDC_PREFIX_OCT, "#o", kPlain},
    {IDC_PREFIX_BIN, "#b", kPlain}, {IDC_PREFIX_ASCII, "#a", kPlain},
    {IDC_AND, "&", kOperator}, {IDC_OR, "|", kOperator}, {IDC_XOR, "\\", kOperator},
    {IDC_SHL, "<", kOperator}, {IDC_SHR, ">", kOperator}, {IDC_MOD, "~", kOperator},
};

// Caret buttons and the keys they press.
constexpr std::pair<int, int> kCaretKeys[] = {
    {IDC_BACKSPACE, kBackspaceKey}, {IDC_CARET_LEFT, VK_LEFT}, {IDC_CARET_RIGHT, VK_RIGHT},
    {IDC_DELETE_RIGHT, VK_DELETE},  {IDC_CARET_HOME, VK_HOME}, {IDC_CARET_END, VK_END},
};

bool typeFrom(const TypingButton* first, const TypingButton* last, int id) {
  for (const TypingButton* key = first; key != last; ++key) {
    if (key->id == id) {
      insertText(key->text, key->kind);
      return true;
    }
  }
  return false;
}

}  // namespace

bool pressKeypadButton(int id) {
  if (typeFrom(std::begin(kKeypad), std::end(kKeypad), id)) return true;
  for (auto [button, key] : kCaretKeys) {
    if (button == id) {
      pressKey(key);
      return true;
    }
  }
  switch (id) {
    case IDC_POINT:
      insertText(settings().language == Language::German ? "," : ".", kPlain);
      return true;
    case IDC_COMMENT:
      insertText("[]", kPlain);
      pressKey(VK_LEFT);
      return true;
    case IDC_RECIPROCAL: insertFunction("1/"); return true;
    default: return false;
  }
}

void onFunctionButton(int id) {
  if (app.helpMode) showHelpFor(id);
  // The buttons from IDC_SIN to IDC_FAC stand in the order of the engine's
  // function table.
  else if (id >= IDC_SIN && id <= IDC_FAC)
    insertFunction(functionNameAt(static_cast<std::size_t>(id - IDC_SIN)));
  else if (id == IDC_PI || id == IDC_EUL)
    insertText(id == IDC_PI ? "Pi" : "Eul", kPlain);
}

void onProgrammerButton(int id) {
  if (app.helpMode) showHelpFor(id);
  else if (id == IDC_NOT) insertFunction("not");
  else typeFrom(std::begin(kProgrammerKeys), std::end(kProgrammerKeys), id);
}
