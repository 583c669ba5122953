// Context help through HTML Help when the viewer is installed, else WinHelp.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "help/help_win32.h"

namespace {

constexpr UINT kHtmlHelpDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC
constexpr UINT kHtmlHelpCloseAll = 0x0012;      // HH_CLOSE_ALL

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

bool htmlHelpPresent = false;
Language helpLanguage = Language::English;

// hhctrl.ocx is loaded on first use, so a system without it still starts.
HtmlHelpFunction htmlHelp() {
  static HMODULE library = LoadLibraryA("hhctrl.ocx");
  // Through void*: GetProcAddress's FARPROC has no parameters to match.
  static auto function = library ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(
                                       GetProcAddress(library, "HtmlHelpA")))
                                 : nullptr;
  return function;
}

// The help file beside the program when it is there, else the bare name for
// the help system to search: a program started from a shortcut or a formula
// file with another working folder must still find its help.
std::string helpFileName() {
  std::string name = helpLanguage == Language::German ? "Quorv_g" : "Quorv_e";
  name += htmlHelpPresent ? ".chm" : ".hlp";
  char program[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program) return name;
  std::string beside(program, length);
  beside.replace(beside.find_last_of('\\') + 1, std::string::npos, name);
  return GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES ? beside : name;
}

// Test seam: with QVX_HELP_LOG naming a file, every help call is also noted
// there, one line each, the help file without its folder: the window tests
// learn which topic was asked for, which the viewer does not tell.
void noteHelpCall(const std::string& file, const std::string& what) {
  const char* log = std::getenv("QVX_HELP_LOG");
  if (log == nullptr || *log == '\0') return;
  if (std::FILE* out = std::fopen(log, "ab")) {
    std::fprintf(out, "%s%s\n", file.substr(file.find_last_of('\\') + 1).c_str(), what.c_str());
    std::fclose(out);
  }
}

void displayTopic(HWND owner, const char* topic) {
  if (HtmlHelpFunction show = htmlHelp()) {
    std::string target = helpFileName() + "::/" + topic + ".html";
    noteHelpCall(target, "");
    show(owner, target.c_str(), kHtmlHelpDisplayTopic, 0);
  }
}

void winHelp(HWND owner, UINT command, ULONG_PTR data) {
  noteHelpCall(helpFileName(), " " + std::to_string(command) + " " + std::to_string(data));
  WinHelpA(owner, helpFileName().c_str(), command, data);
}

}  // namespace

void detectHelpSystem(Language language) {
  helpLanguage = language;
  char folder[500] = {};
  GetWindowsDirectoryA(folder, sizeof folder - 8);
  std::string viewer = std::string(folder) + "\\hh.exe";
  OFSTRUCT unused = {};
  htmlHelpPresent = OpenFile(viewer.c_str(), &unused, OF_EXIST) != HFILE_ERROR;
}

bool htmlHelpInUse() { return htmlHelpPresent; }

void showHelpTopicOf(HWND owner, int context, const char* name) {
  if (htmlHelpPresent) displayTopic(owner, name);
  else winHelp(owner, HELP_CONTEXT, static_cast<ULONG_PTR>(context));
}

void showHelpCommandOf(HWND owner, int command) {
  if (htmlHelpPresent) displayTopic(owner, "P_intro");
  else winHelp(owner, static_cast<UINT>(command), 0);
}

void closeHelpOf(HWND owner) {
  if (htmlHelpPresent) {
    if (HtmlHelpFunction close = htmlHelp()) close(nullptr, nullptr, kHtmlHelpCloseAll, 0);
  } else {
    winHelp(owner, HELP_QUIT, 0);
  }
}
