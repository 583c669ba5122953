#include "installer/install_plan.h"

#include <array>

#include "text/text_table.h"
#include "version.h"

namespace {

// The one German-only message (UninstallKeyFailed) has the same text twice.
constexpr TextRow<InstallText> kTexts[] = {
    {InstallText::InstallCaption, "Quorvex Installation", "Quorvex Installation"},
    {InstallText::UninstallCaption, "Quorvex Deinstallation", "Quorvex Deinstallation"},
    {InstallText::DoInstal, "do instal", "Installieren"},
    {InstallText::CancelButton, "Cancel", "Abbrechen"},
    {InstallText::WhatIsQuorvex, "What is Quorvex?", "Was ist Quorvex?"},
    {InstallText::Intro, "This dialog creates Start Menu entries for Quorvex.",
     "Dieses Dialogfenster erzeugt Startmenü-Einträge für Quorvex."},
    {InstallText::TopLevelBox, "make 'Calculator' entry in Start menu (highest level)",
     "Erzeuge 'Rechner' Eintrag im Startmenü (höchste Ebene)"},
    {InstallText::InAnyCase,
     "In any case, an entry Start - Programs - Quorvex and an icon on the desktop will be "
     "generated.",
     "In jedem Fall wird ein Eintrag Start - Programme - Quorvex vorgenommen sowie ein "
     "Programmsymbol auf dem Desktop erzeugt."},
    {InstallText::CreatingItem, "creating Start Menu item ", "erzeuge Startmenü-Eintrag "},
    {InstallText::Success, "You can start now Quorvex from the Windows Start Menu.",
     "Quorvex läßt sich nun über das Windows-Startmenü starten."},
    {InstallText::SuccessCaption, "Success", "Erfolg"},
    {InstallText::Cancelled,
     "Quorvex has been copied to your harddisk, but no Start Menu entries were made. To test "
     "Quorvex, you can start quorvex.exe directly. To create the Start Menu entries, run "
     "INSTALL.EXE.",
     "Quorvex wurde zwar auf die Festplatte kopiert, es sind aber keine Startmenü-Einträge "
     "erzeugt. Um Quorvex zu testen, können Sie quorvex.exe auch direkt aufrufen. Um die "
     "Startmenüeinträge vorzunehmen, starten Sie INSTALL.EXE."},
    {InstallText::CancelCaption, "Cancel", "Abbruch"},
    {InstallText::AssociationUsed, " file extension is already used by program '",
     " Dateiverknüpfung wird schon benutzt von Programm '"},
    {InstallText::AssociationQuestion,
     "'. To execute Quorvex, it is not absolutely necessary to set this connection. Delete old "
     "connection?",
     "'. Um Quorvex auszuführen, ist es nicht zwingend erforderlich, diese neue Verknüpfung zu "
     "setzen. Soll die alte Verknüpfung aufgehoben werden?"},
    {InstallText::UninstallKeyFailed,
     "Einrichten von Systemsteuerung - Software - Quorvex ist fehlgeschlagen.",
     "Einrichten von Systemsteuerung - Software - Quorvex ist fehlgeschlagen."},
    {InstallText::RegistryNotFound, "Registry entry Quorvex nicht found.",
     "Registry Eintrag Quorvex nicht gefunden."},
    {InstallText::UninstallQuestion,
     "Do you really want to remove the Quorvex Start Menu and Registry entries?",
     "Sollen die Quorvex Startmenü- und Registry-Einträge wirklich gelöscht werden?"},
    {InstallText::UninstallDone,
     "Removing the Quorvex Start Menu entries succeeded.\n\nTo restore the Start Menu entries, "
     "execute Install.exe in the Quorvex directory.\n\nIf you want to remove Quorvex from disk, "
     "you have to delete the Quorvex directory in the Windows Explorer. \nThe Windows Explorer "
     "will be executed now with the Quorvex directory selected.",
     "Die Quorvex Einträge im Startmenü wurden entfernt.\n\nUm die Startmenü-Einträge "
     "wiederherzustellen, starten Sie Install.exe im Quorvex Programmverzeichnis.\n\nUm Quorvex "
     "restlos zu entfernen, müssen Sie das Quorvex Verzeichnis im Windows Explorer selbst "
     "löschen. \nHierfür wird gleich der Windows Explorer gestartet und das Quorvex "
     "Verzeichnis ausgewählt."},
    {InstallText::RemoveError, "Removing the Start Menu entries has not completely succeeded.",
     "Das Entfernen der Startmenü-Einträge war nicht vollständig."},
    {InstallText::ErrorCaption, "Error", "Fehler"},
    // Not one of the original messages: a folder whose paths would not fit
    // is refused before anything is made.
    {InstallText::PathsTooLong,
     "The path of the Quorvex folder or of a Start Menu folder is too long, or a Start Menu "
     "folder was not found. No Start Menu entries were made.",
     "Der Pfad des Quorvex Verzeichnisses oder eines Startmenü-Ordners ist zu lang, oder ein "
     "Startmenü-Ordner wurde nicht gefunden. Es wurden keine Startmenü-Einträge erzeugt."},
};
static_assert(rowsInOrder(kTexts), "rows in the order of InstallText");

struct GroupEntry {
  const char* name;
  const char* target;  // relative to the install folder
  const char* arguments;
  bool programIcon;
};

constexpr GroupEntry kGermanGroup[] = {
    {"Quorvex Rechner", "Quorvex.exe", "deutsch", true},
    {"Dokumentation", nullptr, nullptr, false},
    {"Liesmich", "Liesmich.txt", nullptr, false},
};
constexpr GroupEntry kEnglishGroup[] = {
    {"Calculator", "Quorvex.exe", nullptr, true},
    {"Documentation", nullptr, nullptr, false},
    {"Readme", "Readme.txt", nullptr, false},
};

// Removed in both languages; "Rechner" and "Deinstallation" are names of
// earlier versions' group entries.
constexpr const char* kGroupNamesToRemove[] = {
    "Quorvex Rechner", "Rechner", "Dokumentation", "Liesmich", "Calculator",
    "Documentation", "Readme", "Deinstallation", "Uninstall",
};
constexpr const char* kSingleNamesToRemove[] = {"Rechner", "Calculator"};

std::string linkFile(const std::string& folder, const std::string& name) {
  return joinPath(folder, name + ".LNK");
}

bool shortcutFits(const Shortcut& link) {
  return fitsBuffer(link.linkPath, kShortcutPathBuffer) &&
         fitsBuffer(link.target, kShortcutPathBuffer) &&
         fitsBuffer(link.workingDirectory, kShortcutPathBuffer) &&
         (!link.iconFile || fitsBuffer(*link.iconFile, kShortcutPathBuffer));
}

}  // namespace

std::string installText(InstallText id, bool german) {
  return textOf(kTexts, id, german ? Language::German : Language::English);
}

std::string creatingItemTitle(const std::string& name, bool german) {
  return installText(InstallText::CreatingItem, german) + name + " ...";
}

std::string associationQuestion(const std::string& otherType, bool german) {
  return std::string(kExtension) + installText(InstallText::AssociationUsed, german) + otherType +
         installText(InstallText::AssociationQuestion, german);
}

std::string lowerAsciiLetters(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

InstallerCommand parseInstallerCommand(const std::string& commandLine) {
  const std::string text = lowerAsciiLetters(commandLine);
  InstallerCommand command;
  command.uninstall = text.starts_with("/deinstal");
  if (!command.uninstall) return command;
  command.german = text.find("stal_g") != std::string::npos;
  std::size_t blank = text.find(' ');
  if (blank != std::string::npos) command.folder = text.substr(blank + 1);
  return command;
}

std::string joinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

std::string linksFolderOf(const std::string& programsFolder) {
  return joinPath(programsFolder, "Quorvex");
}

std::optional<InstallPlan> makeInstallPlan(const std::string& installFolder,
                                           const ShellFolders& folders,
                                           const InstallChoices& choices) {
  if (installFolder.empty() || !fitsBuffer(installFolder, kFolderBuffer)) return std::nullopt;
  if (folders.programs.empty() || folders.startMenu.empty() || folders.desktop.empty())
    return std::nullopt;

  InstallPlan plan;
  plan.installFolder = installFolder;
  plan.programPath = joinPath(installFolder, "Quorvex.exe");
  plan.installerPath = joinPath(installFolder, "Install.exe");
  plan.linksFolder = linksFolderOf(folders.programs);
  const bool german = choices.german;

  auto shortcut = [&](std::string name, std::string linkPath, std::string target) {
    Shortcut link;
    link.name = std::move(name);
    link.linkPath = std::move(linkPath);
    link.target = std::move(target);
    link.workingDirectory = installFolder;
    link.description = kLinkDescription;
    return link;
  };
  auto calculator = [&](const std::string& folder) {
    Shortcut link = shortcut(german ? "Rechner" : "Calculator",
                                 linkFile(folder, german ? "Rechner" : "Calculator"), plan.programPath);
    link.iconFile = plan.programPath;
    if (german) link.arguments = "deutsch";
    return link;
  };

  std::string helpFile = std::string(german ? "Quorv_g" : "Quorv_e") + (choices.htmlHelp ? ".chm" : ".hlp");
  for (const GroupEntry& entry : german ? kGermanGroup : kEnglishGroup) {
    Shortcut link = shortcut(entry.name, linkFile(plan.linksFolder, entry.name),
                                 joinPath(installFolder, entry.target ? entry.target : helpFile));
    if (entry.programIcon) link.iconFile = plan.programPath;
    if (entry.arguments) link.arguments = entry.arguments;
    plan.group.push_back(std::move(link));
  }
  const std::string uninstallSwitch = std::string("/deinstal_") + (german ? "g " : "e ");
  Shortcut uninstall =
      shortcut("Uninstall", linkFile(plan.linksFolder, "Uninstall"), plan.installerPath);
  uninstall.iconFile = plan.installerPath;
  uninstall.iconIndex = 1;
  uninstall.arguments = uninstallSwitch + installFolder;
  plan.group.push_back(std::move(uninstall));

  if (choices.topLevelEntry) plan.topLevel = calculator(folders.startMenu);
  plan.desktop = calculator(folders.desktop);

  plan.extension = {kExtension, kTypeName};
  const std::string typeKey = kTypeName;
  plan.programKey = {
      {typeKey, kTypeName},
      {typeKey + "\\DefaultIcon", plan.programPath + ",0"},
      {typeKey + "\\Shell\\open\\command", plan.programPath + " \"%1\""},
  };
  // The two web addresses are left empty: there is no page to point to.
  plan.uninstallValues = {
      {"DisplayName", kTypeName},
      {"UninstallString", plan.installerPath + " " + uninstallSwitch + installFolder},
      {"Publisher", "Brannoc Software"},
      {"InstallSource", installFolder},
      {"DisplayIcon", plan.programPath + ",-0"},
      {"DisplayVersion", QVX_VERSION},
      {"HelpLink", ""},
      {"URLUpdateInfo", ""},
      {"LinksDir", plan.linksFolder},
  };

  for (const Shortcut& link : plan.group)
    if (!shortcutFits(link)) return std::nullopt;
  if (!shortcutFits(plan.desktop) || (plan.topLevel && !shortcutFits(*plan.topLevel)))
    return std::nullopt;
  // What is made here must be removable by the uninstall's smaller buffers.
  const std::size_t removable = removalSteps(folders).size();
  if (removable != std::size(kGroupNamesToRemove) + 1 + 2 * std::size(kSingleNamesToRemove))
    return std::nullopt;
  return plan;
}

bool associationIsOurs(const std::string& typeName) {
  return typeName.find("Quorvex") != std::string::npos;
}

bool extensionToRemove(const std::string& typeName) { return typeName == kTypeName; }

std::vector<RemovalStep> removalSteps(const ShellFolders& folders) {
  std::vector<RemovalStep> steps;
  auto add = [&](bool isFolder, const std::string& path) {
    if (fitsBuffer(path, kRemovalPathBuffer)) steps.push_back({isFolder, path});
  };
  if (!folders.programs.empty()) {
    const std::string links = linksFolderOf(folders.programs);
    for (const char* name : kGroupNamesToRemove) add(false, linkFile(links, name));
    add(true, links);
  }
  for (const std::string* folder : {&folders.startMenu, &folders.desktop})
    if (!folder->empty())
      for (const char* name : kSingleNamesToRemove) add(false, linkFile(*folder, name));
  return steps;
}
