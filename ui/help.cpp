// The calculator's help mode and help calls.
#include "help/help_topics.h"
#include "help/help_win32.h"
#include "resource.h"
#include "ui/app.h"

void detectHelp() { detectHelpSystem(settings().language); }
void showHelpTopic(int context, const char* name) { showHelpTopicOf(app.main, context, name); }
void showHelpCommand(int command) { showHelpCommandOf(app.main, command); }
void closeHelp() { closeHelpOf(app.main); }

void showHelpFor(int controlId) {
  app.helpMode = false;
  app.calculator.clearMessage();  // the help stands in for it
  setControlText(app.main, IDC_STATUS, "");
  // The click that asked for help does not switch the boxes.
  CheckDlgButton(app.main, IDC_AUTOCLIP, settings().autoclip ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(app.main, IDC_CLIPVAR, settings().clipvar ? BST_CHECKED : BST_UNCHECKED);
  showHelpTopicOf(controlId);
  refocusTarget();
}

void showHelpTopicOf(int controlId) {
  if (auto topic = helpTopicFor(controlId)) showHelpTopic(topic->context, topic->name);
  else showHelpCommand(kHelpGeneral);
}

bool wantsHelp(int, int code) {
  return app.helpMode && (code == BN_CLICKED || code == EN_SETFOCUS);
}
