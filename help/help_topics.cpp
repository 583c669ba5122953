#include "help/help_topics.h"

#include "resource.h"

namespace {

struct TopicRange {
  int first, last;
  HelpTopic topic;
};

constexpr TopicRange kTopics[] = {
    {IDC_ENTRY, IDC_ENTRY, {"P_notation", 4}},
    {IDC_PLUS, IDC_TIMES, {"P_order", 7}},
    {IDC_OPEN_BRACKET, IDC_CLOSE_BRACKET, {"P_order", 7}},
    {IDC_RESULT, IDC_RESULT, {"P_output", 10}},
    {IDC_NOTATION, IDC_NOTATION, {"P_output", 10}},
    {IDC_PRECISION, IDC_PRECISION, {"P_precision", 12}},
    {IDC_PRECISION_SPIN, IDC_PRECISION_SPIN, {"P_precision", 12}},
    {IDC_DEGREE_MINUTE, IDC_DEGREE_MINUTE, {"P_min", 16}},
    {IDC_PERCENT, IDC_PERCENT, {"P_percent", 17}},
    {IDC_POWER, IDC_EXPONENT, {"P_special", 21}},
    {IDC_RECIPROCAL, IDC_RECIPROCAL, {"P_special", 21}},
    {IDC_UNDO, IDC_UNDO, {"P_special", 21}},
    {IDC_ALL_CLEAR, IDC_ALL_CLEAR, {"P_special", 21}},
    {IDC_FIELD_X, IDC_FIELD_Y, {"P_xentry", 22}},
    {IDC_LETTER_X, IDC_LETTER_Y, {"P_xentry", 22}},
    {IDC_LETTER_W, IDC_FIELD_V, {"P_xentry", 22}},
    {IDC_RESULT_TO_X, IDC_RESULT_TO_X, {"P_xentry", 22}},
    {IDC_RESULT_TO_Y, IDC_RESULT_TO_Y, {"P_xentry", 22}},
    {IDC_OPEN_REGRESSION, IDC_OPEN_REGRESSION, {"P_regression", 23}},
    {IDC_WANTED_VALUE, IDC_RESULT_TO_WANTED, {"P_regression", 23}},
    {IDC_FIELD_Z, IDC_AUTOCLIP, {"P_clip", 24}},
    {IDC_CLIPVAR, IDC_CLIPVAR, {"P_clip", 24}},
    {IDC_LETTER_Z, IDC_LETTER_Z, {"P_clip", 24}},
    {IDC_RESULT_TO_CLIPBOARD, IDC_RESULT_TO_CLIPBOARD, {"P_clip", 24}},
    {IDC_ENTRY_TO_CLIPBOARD, IDC_ENTRY_TO_CLIPBOARD, {"P_clipsave", 27}},
    {IDC_PASTE_CLIPBOARD, IDC_PASTE_CLIPBOARD, {"P_clipsave", 27}},
    {IDC_EQUATION_TO_CLIPBOARD, IDC_EQUATION_TO_CLIPBOARD, {"P_clipsave", 27}},
    {IDC_SHOW_FORMULAS, IDC_SHOW_NAMED, {"P_last20", 30}},
    {IDC_COMMENT, IDC_COMMENT, {"P_ignored", 6}},
    {IDC_TAKE_RESULT, IDC_TAKE_RESULT, {"P_pict", 3}},
    {IDC_BACKSPACE, IDC_CARET_END, {"P_pict", 3}},
    {IDC_OPEN_FUNCTIONS, IDC_OPEN_FUNCTIONS, {"P_fct", 39}},
    {IDC_OPEN_PROGRAMMER, IDC_OPEN_PROGRAMMER, {"P_alt", 35}},
    {IDC_DEGREE, IDC_ATAN, {"P_trig", 40}},
    {IDC_PI, IDC_PI, {"P_trig", 40}},
    {IDC_LOG, IDC_LN, {"P_log", 41}},
    {IDC_EUL, IDC_EUL, {"P_log", 41}},
    {IDC_ABS, IDC_FAC, {"P_other", 42}},
    {IDC_HEX_A, IDC_HEX_F, {"P_otherNumeratives", 36}},
    {IDC_PREFIX_HEX, IDC_PREFIX_ASCII, {"P_otherNumeratives", 36}},
    {IDC_AND, IDC_MOD, {"P_binaryOps", 37}},
    {IDC_NOT, IDC_NOT, {"P_binaryOps", 37}},
    {IDC_WIDTH_4, IDC_WIDTH_1, {"P_integers", 38}},
    {IDC_SIGNED, IDC_UNSIGNED, {"P_integers", 38}},
    {IDC_INTEGER_NOTES, IDC_INTEGER_NOTES, {"P_integers", 38}},
    {IDC_GRAPH_FROM_LABEL, IDC_GRAPH_STATUS, {"P_graph", 43}},
};

}  // namespace

std::optional<HelpTopic> helpTopicFor(int controlId) {
  for (const TopicRange& range : kTopics)
    if (controlId >= range.first && controlId <= range.last) return range.topic;
  return std::nullopt;
}
