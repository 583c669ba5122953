// One formula through the engine as qvx runs it, shared by the batch, the
// arguments and the prompt.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/options.h"

// Puts the options into the engine's settings and variable fields.
void applyOptions(const QvxOptions& options);

// Calculates (or solves) one UTF-8 formula: the result to out, a message to
// err. Named entries are called up when a formula file was given.
bool calculateFormula(const std::string& formula, const QvxOptions& options, std::ostream& out,
                      std::ostream& err);
