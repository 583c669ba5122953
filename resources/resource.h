// Every resource and control id of the calculator, shared by the code and
// the dialog templates.
#pragma once

#define IDI_QUORVEX 1

// Main window (RECHNER_WINDOW)
#define IDC_HISTORY_LIST 101
#define IDC_ENTRY 102
#define IDC_DIGIT_0 103  // 103..112 are the digits 0..9
#define IDC_DIGIT_1 104
#define IDC_DIGIT_2 105
#define IDC_DIGIT_3 106
#define IDC_DIGIT_4 107
#define IDC_DIGIT_5 108
#define IDC_DIGIT_6 109
#define IDC_DIGIT_7 110
#define IDC_DIGIT_8 111
#define IDC_DIGIT_9 112
#define IDC_PLUS 113
#define IDC_MINUS 114
#define IDC_DIVIDE 115
#define IDC_TIMES 116
#define IDC_RESULT 121
#define IDC_OPEN_BRACKET 122
#define IDC_CLOSE_BRACKET 123
#define IDC_DEGREE_MINUTE 124
#define IDC_POWER 125
#define IDC_EXPONENT 126
#define IDC_POINT 127
#define IDC_RECIPROCAL 128
#define IDC_OPEN_REGRESSION 129
#define IDC_PRECISION 136
#define IDC_FIELD_X 141
#define IDC_FIELD_Y 142
#define IDC_FIELD_Z 143
#define IDC_AUTOCLIP 144
#define IDC_PERCENT 145
#define IDC_COMMENT 146
#define IDC_SHOW_FORMULAS 147
#define IDC_SHOW_NAMED 148
#define IDC_TAKE_RESULT 149
#define IDC_CLIPVAR 150
#define IDC_LETTER_X 151
#define IDC_LETTER_Y 152
#define IDC_LETTER_Z 153
#define IDC_LETTER_W 154
#define IDC_LETTER_V 155
#define IDC_FIELD_W 156
#define IDC_FIELD_V 157
#define IDC_OPEN_FUNCTIONS 162
#define IDC_UNDO 163
#define IDC_RESULT_TO_X 164
#define IDC_ALL_CLEAR 166
#define IDC_RESULT_TO_Y 167
#define IDC_ENTRY_TO_CLIPBOARD 168
#define IDC_RESULT_TO_CLIPBOARD 169
#define IDC_PASTE_CLIPBOARD 170
#define IDC_NOTATION 171
#define IDC_EQUATION_TO_CLIPBOARD 172
#define IDC_STATUS 174
#define IDC_PRECISION_SPIN 175
#define IDC_OPEN_PROGRAMMER 181
#define IDC_BACKSPACE 182
#define IDC_CARET_LEFT 183
#define IDC_CARET_RIGHT 184
#define IDC_DELETE_RIGHT 185
#define IDC_CARET_HOME 186
#define IDC_CARET_END 187
#define IDC_HELP_MODE 190
#define IDC_FORMAT_GROUP 191
#define IDC_PRECISION_LABEL 192

// The controls the history list covers while it is shown: all below the
// status line but the left key column. The code hides them; the layout
// check proves the list covers exactly these.
#define HISTORY_LIST_COVERS \
  IDC_BACKSPACE, IDC_CARET_HOME, IDC_CARET_LEFT, IDC_CARET_RIGHT, IDC_CARET_END, \
  IDC_DELETE_RIGHT, IDC_HELP_MODE, IDC_AUTOCLIP, IDC_CLIPVAR, IDC_NOTATION, IDC_PRECISION, \
  IDC_LETTER_V, IDC_LETTER_W, IDC_LETTER_X, IDC_LETTER_Y, IDC_FIELD_V, IDC_FIELD_W, \
  IDC_FIELD_X, IDC_FIELD_Y, IDC_OPEN_FUNCTIONS, IDC_RECIPROCAL, IDC_PERCENT, IDC_ALL_CLEAR, \
  IDC_UNDO, IDC_DIGIT_8, IDC_DIGIT_9, IDC_POWER, IDC_DEGREE_MINUTE, IDC_COMMENT, IDC_DIGIT_5, \
  IDC_DIGIT_6, IDC_TIMES, IDC_DIVIDE, IDC_OPEN_REGRESSION, IDC_DIGIT_2, IDC_DIGIT_3, \
  IDC_PLUS, IDC_MINUS, IDC_POINT, IDC_EXPONENT, IDC_OPEN_BRACKET, IDC_CLOSE_BRACKET, \
  IDC_FORMAT_GROUP, IDC_PRECISION_LABEL, IDC_PRECISION_SPIN

// Scientific-functions window (FUNKTIONS_WINDOW)
#define IDC_TRIG_GROUP 3
#define IDC_LOG_GROUP 65
#define IDC_DEGREE 203
#define IDC_SIN 204  // 204..217: the functions in the order of their names
#define IDC_COS 205
#define IDC_TAN 206
#define IDC_ASIN 207
#define IDC_ACOS 208
#define IDC_ATAN 209
#define IDC_LOG 210
#define IDC_LN 211
#define IDC_ABS 212
#define IDC_INT 213
#define IDC_FRAC 214
#define IDC_SQR 215
#define IDC_SQRT 216
#define IDC_FAC 217
#define IDC_PI 231
#define IDC_EUL 232

// Programmer window (HEX_WINDOW); its group boxes reuse ids of the main
// window, which is harmless in a dialog of their own.
#define IDC_DIGIT_GROUP 101
#define IDC_WIDTH_GROUP 104
#define IDC_SIGN_GROUP 108
#define IDC_HEX_A 310  // 310..315: the digits A..F
#define IDC_HEX_B 311
#define IDC_HEX_C 312
#define IDC_HEX_D 313
#define IDC_HEX_E 314
#define IDC_HEX_F 315
#define IDC_PREFIX_HEX 321
#define IDC_PREFIX_OCT 322
#define IDC_PREFIX_BIN 323
#define IDC_PREFIX_ASCII 324
#define IDC_WIDTH_4 330
#define IDC_WIDTH_2 331
#define IDC_WIDTH_1 332
#define IDC_SIGNED 340
#define IDC_UNSIGNED 341
#define IDC_AND 350
#define IDC_OR 351
#define IDC_XOR 352
#define IDC_SHL 353
#define IDC_SHR 354
#define IDC_MOD 355
#define IDC_NOT 360
#define IDC_INTEGER_NOTES 370

// Regression window (REGRESS_WINDOW)
#define IDC_WANTED_VALUE 402
#define IDC_SOLVER_MESSAGE 403
#define IDC_SOLVE_V 404
#define IDC_SOLVE_W 405
#define IDC_SOLVE_X 406
#define IDC_SOLVE_Y 407
#define IDC_RESULT_TO_WANTED 409

// Graph window (GRAPH_WINDOW)
#define IDC_GRAPH_FROM_LABEL 501
#define IDC_GRAPH_FROM 502
#define IDC_GRAPH_TO_LABEL 503
#define IDC_GRAPH_TO 504
#define IDC_GRAPH_PLOT 505
#define IDC_GRAPH_STATUS 506

// The calculator's entries of the main window's system menu
#define IDM_HELP_CONTENTS 701
#define IDM_GENERAL_HELP 703
#define IDM_USING_HELP 704
#define IDM_BUTTON_HELP 705
#define IDM_LAYOUT 708
#define IDM_LANGUAGE 709
#define IDM_MINIMIZED_START 710
#define IDM_FLOAT_ON_TOP 711
#define IDM_GRAPH 712

// Timer and private messages of the main window
#define CALC_TIMER_ID 1001
#define CALC_TIMER_MS 800
#define WM_USER_FUNCTION_BUTTON 1025
#define WM_USER_PROGRAMMER_BUTTON 1026
#define WM_USER_RUN_DONE 1027
#define WM_USER_SHOW_PRECISION 1028
