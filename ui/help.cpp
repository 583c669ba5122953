// The calculator's help mode and help calls.
#include "engine/calc_settings.h"
#include "engine/run_status.h"
#include "help/help_topics.h"
#include "help/help_win32.h"
#include "resource.h"
#include "ui/app.h"

void detectHelp() { detectHelpSystem(); }
void showHelpTopic(int context, const char* name) { showHelpTopicOf(app.main, context, name); }
void showHelpCommand(int command) { showHelpCommandOf(app.main, command); }
void closeHelp() { closeHelpOf(app.main); }

void showHelpFor(int controlId) {
  app.helpMode = false;
  clearError();
  setControlText(app.main, IDC_STATUS, "");
  // The click that asked for help does not switch the boxes.
  CheckDlgButton(app.main, IDC_AUTOCLIP, calcSettings.autoclip ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(app.main, IDC_CLIPVAR, calcSettings.clipvar ? BST_CHECKED : BST_UNCHECKED);
  showHelpTopicOf(controlId);
  refocusTarget();
}

void showHelpTopicOf(int controlId) {
  if (auto topic = helpTopicFor(controlId)) showHelpTopic(topic->context, topic->name);
  else showHelpCommand(kHelpGeneral);
}

bool wantsHelp(int id, int code) {
  return app.helpMode && (code == BN_CLICKED || code == EN_SETFOCUS);
}
