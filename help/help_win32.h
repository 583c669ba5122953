// Help calls shared by the calculator and the installer.
#pragma once

#include <windows.h>

#include "text/language.h"

// Looks for the HTML Help viewer; the help file's name follows the language.
void detectHelpSystem(Language language);
bool htmlHelpInUse();
void showHelpTopicOf(HWND owner, int context, const char* name);
void showHelpCommandOf(HWND owner, int command);
void closeHelpOf(HWND owner);
