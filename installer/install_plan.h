// What the installer makes and removes, decided without Windows: its texts,
// its command line, the paths it composes, the shortcut and registry tables,
// and the rule that judges an uninstall.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Buffer sizes, terminator included. Every composed path is checked against
// its buffer before anything is made, so none is ever cut or overrun.
constexpr std::size_t kFolderBuffer = 200;        // installFolder: 199 characters
constexpr std::size_t kShortcutPathBuffer = 252;  // shortcut targets, icons, link files
constexpr std::size_t kRemovalPathBuffer = 200;   // files and folders removed at uninstall

enum class InstallText {
  InstallCaption,
  UninstallCaption,
  DoInstal,
  CancelButton,
  WhatIsQuorvex,
  Intro,
  TopLevelBox,
  InAnyCase,
  CreatingItem,
  Success,
  SuccessCaption,
  Cancelled,
  CancelCaption,
  AssociationUsed,
  AssociationQuestion,
  UninstallKeyFailed,
  RegistryNotFound,
  UninstallQuestion,
  UninstallDone,
  RemoveError,
  ErrorCaption,
  PathsTooLong,
};

// A text ready for the "A" API: German ones are Windows-1252 bytes.
std::string installText(InstallText id, bool german);

// "creating Start Menu item NAME ..." for the dialog's title.
std::string creatingItemTitle(const std::string& name, bool german);

// The association question, quoting the other program's type name whole.
std::string associationQuestion(const std::string& otherType, bool german);

// Command line.
struct InstallerCommand {
  bool uninstall = false;
  bool german = false;
  std::optional<std::string> folder;  // after the first blank; none without a blank
};
// Only A to Z are lowered: the folder's other bytes stay as they are.
std::string lowerAsciiLetters(std::string text);
InstallerCommand parseInstallerCommand(const std::string& commandLine);

// Appends a name to a folder with one backslash between them, also when the
// folder is a drive root that already ends in one.
std::string joinPath(const std::string& folder, const std::string& name);
inline bool fitsBuffer(const std::string& text, std::size_t buffer) {
  return text.size() < buffer;
}

struct ShellFolders {
  std::string programs;
  std::string startMenu;
  std::string desktop;
};

inline constexpr const char* kLinkDescription = "Quorvex";
inline constexpr const char* kExtension = ".QVX";
inline constexpr const char* kTypeName = "Quorvex Calculator";
inline constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr const char* kUninstallSubkey = "Quorvex";

std::string linksFolderOf(const std::string& programsFolder);

struct Shortcut {
  std::string name;  // shown in the dialog's title while a group entry is made
  std::string linkPath;
  std::string target;
  std::string workingDirectory;
  std::string description;
  std::optional<std::string> iconFile;
  int iconIndex = 0;
  std::optional<std::string> arguments;
};

struct RegistryValue {
  std::string name;  // empty: the key's default value
  std::string data;
};
struct RegistryEntry {
  std::string key;  // under HKEY_CLASSES_ROOT
  std::string data;
};

struct InstallChoices {
  bool german = false;
  bool topLevelEntry = true;
  bool htmlHelp = true;
};

struct InstallPlan {
  std::string installFolder;
  std::string programPath;
  std::string installerPath;
  std::string linksFolder;
  std::vector<Shortcut> group;  // made only when the links folder is new
  std::optional<Shortcut> topLevel;
  Shortcut desktop;
  RegistryEntry extension;                  // ".QVX", unless the user keeps another program's
  std::vector<RegistryEntry> programKey;    // "Quorvex Calculator" and its subkeys, in order
  std::vector<RegistryValue> uninstallValues;  // in the order they are written
};

// Everything one "do instal" makes. Nothing when the folder is empty (too
// long for the current-directory call), a shell folder is unknown, or a
// composed path does not fit its buffer, including the paths the uninstall
// will have to remove, so that no installation is left half made or beyond
// the uninstall's reach.
std::optional<InstallPlan> makeInstallPlan(const std::string& installFolder,
                                           const ShellFolders& folders,
                                           const InstallChoices& choices);

// The association of ".QVX" counts as ours (no question) when its type name
// mentions Quorvex; at uninstall it is removed only when it is exactly ours.
bool associationIsOurs(const std::string& typeName);
bool extensionToRemove(const std::string& typeName);

// Uninstall: files to delete, in order, and the folder to remove among them.
struct RemovalStep {
  bool isFolder = false;
  std::string path;
};
// Paths that do not fit the removal buffer, or lie in an unknown shell
// folder, are left out: they are not removed and do not count.
std::vector<RemovalStep> removalSteps(const ShellFolders& folders);
inline bool removalSucceeded(int count) { return count >= 4; }
