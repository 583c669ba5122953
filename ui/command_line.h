// The calculator's command line: splitting the raw text into arguments and
// the keyword table that applies them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/calc_settings.h"

// Arguments separated by spaces; one that starts with " or ' runs to the
// next quote of the same kind, and what follows that quote up to the next
// space is dropped.
std::vector<std::string> splitCommandLine(const std::string& text);

// What the arguments set besides CalcSettings.
struct StartOptions {
  std::optional<std::string> startFormula;     // "input:..."
  std::optional<std::string> historyFileName;  // a formula file
  std::string colourText;                      // "color:...", which changes nothing
};

// Applies one argument to the options and settings. Returns the message to
// show for an argument that fits no keyword (in the language set so far),
// or nothing.
std::optional<std::string> applyArgument(const std::string& argument, StartOptions& options,
                                         CalcSettings& settings);

// "X_RECHNER_WINDOW" and the like with the layout's letter for the X.
std::string templateName(const std::string& name, bool bigLayout);
