// Context help: which topic explains which control.
#pragma once

#include <optional>

struct HelpTopic {
  const char* name;  // the HTML Help topic, "P_..."
  int context;       // the WinHelp context number
};

// The topic of a control id; nothing for controls that get the general help.
std::optional<HelpTopic> helpTopicFor(int controlId);

// General help commands.
constexpr int kHelpGeneral = 8881;
constexpr int kHelpContents = 8882;
constexpr int kHelpUsingHelp = 4;
