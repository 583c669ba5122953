// The installer driven from outside: each test copies the real Install.exe
// and a stand-in calculator into a fresh folder, runs it there, answers its
// dialog and message boxes as a user would, and reads back the shortcut files
// and registry values it leaves, or removes. Every test starts from and leaves
// a system without any trace of an installation.
#include "installer_automation.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

using namespace automation;

#define TABLE_ROW(name) \
  SCOPED_TRACE(name);   \
  Step tableRow_(name)

namespace {

const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvex";
const std::string kTypeKey = "Quorvex Calculator";

// Texts as the installer shows them: Windows-1252, "\x.." for the German letters.
struct Texts {
  std::vector<std::pair<int, std::string>> controls;  // id and text in the dialog
  std::string success, successCaption, creatingPrefix, cancel, cancelCaption;
  std::string uninstallQuestion, uninstalled, notFound, error, errorCaption;
  std::string associationStart, associationEnd;
};

const Texts kEnglish{
    {{1, "do instal"},
     {2, "Cancel"},
     {9, "What is Quorvex?"},
     {801, "This dialog creates Start Menu entries for Quorvex."},
     {804, "make 'Calculator' entry in Start menu (highest level)"},
     {805, "In any case, an entry Start - Programs - Quorvex and an icon on the desktop will be generated."},
     {807, "German Language"}},
    "You can start now Quorvex from the Windows Start Menu.",
    "Success",
    "creating Start Menu item ",
    "Quorvex has been copied to your harddisk, but no Start Menu entries were made. To test Quorvex, you can "
    "start quorvex.exe directly. To create the Start Menu entries, run INSTALL.EXE.",
    "Cancel",
    "Do you really want to remove the Quorvex Start Menu and Registry entries?",
    "Removing the Quorvex Start Menu entries succeeded.\n\nTo restore the Start Menu entries, execute Install.exe "
    "in the Quorvex directory.\n\nIf you want to remove Quorvex from disk, you have to delete the Quorvex directory "
    "in the Windows Explorer. \nThe Windows Explorer will be executed now with the Quorvex directory selected.",
    "Registry entry Quorvex nicht found.",
    "Removing the Start Menu entries has not completely succeeded.",
    "Error",
    ".QVX file extension is already used by program '",
    "'. To execute Quorvex, it is not absolutely necessary to set this connection. Delete old connection?"};

const Texts kGerman{
    {{1, "Installieren"},
     {2, "Abbrechen"},
     {9, "Was ist Quorvex?"},
     {801, "Dieses Dialogfenster erzeugt Startmen\xFC-Eintr\xE4ge f\xFCr Quorvex."},
     {804, "Erzeuge 'Rechner' Eintrag im Startmen\xFC (h\xF6" "chste Ebene)"},
     {805, "In jedem Fall wird ein Eintrag Start - Programme - Quorvex vorgenommen sowie ein Programmsymbol auf "
           "dem Desktop erzeugt."}},
    "Quorvex l\xE4\xDFt sich nun \xFC" "ber das Windows-Startmen\xFC starten.",
    "Erfolg",
    "erzeuge Startmen\xFC-Eintrag ",
    "Quorvex wurde zwar auf die Festplatte kopiert, es sind aber keine Startmen\xFC-Eintr\xE4ge erzeugt. Um "
    "Quorvex zu testen, k\xF6nnen Sie quorvex.exe auch direkt aufrufen. Um die Startmen\xFC" "eintr\xE4ge "
    "vorzunehmen, starten Sie INSTALL.EXE.",
    "Abbruch",
    "Sollen die Quorvex Startmen\xFC- und Registry-Eintr\xE4ge wirklich gel\xF6scht werden?",
    "Die Quorvex Eintr\xE4ge im Startmen\xFC wurden entfernt.\n\nUm die Startmen\xFC-Eintr\xE4ge "
    "wiederherzustellen, starten Sie Install.exe im Quorvex Programmverzeichnis.\n\nUm Quorvex restlos zu "
    "entfernen, m\xFCssen Sie das Quorvex Verzeichnis im Windows Explorer selbst l\xF6schen. \nHierf\xFCr wird "
    "gleich der Windows Explorer gestartet und das Quorvex Verzeichnis ausgew\xE4hlt.",
    "Registry Eintrag Quorvex nicht gefunden.",
    "Das Entfernen der Startmen\xFC-Eintr\xE4ge war nicht vollst\xE4ndig.",
    "Fehler",
    ".QVX Dateiverkn\xFCpfung wird schon benutzt von Programm '",
    "'. Um Quorvex auszuf\xFChren, ist es nicht zwingend erforderlich, diese neue Verkn\xFCpfung zu setzen. Soll "
    "die alte Verkn\xFCpfung aufgehoben werden?"};

const Texts& textsOf(bool german) { return german ? kGerman : kEnglish; }

std::string linksFolder() { return shellFolder(CSIDL_PROGRAMS) + "\\Quorvex"; }
std::string topLevelLink(const char* name) { return shellFolder(CSIDL_STARTMENU) + "\\" + name + ".LNK"; }
std::string desktopLink(const char* name) { return shellFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + name + ".LNK"; }

// The help viewer decides between the two help formats, as the installer does.
std::string helpExtension() {
  char windows[MAX_PATH + 1] = {};
  GetWindowsDirectoryA(windows, sizeof windows);
  return fileExists(std::string(windows) + "\\hh.exe") ? ".chm" : ".hlp";
}

std::string upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Wine links the desktop folder of every prefix to the Unix home folder, which
// all prefixes on the machine share: shortcuts made there by another test run
// would come and go under this one. For this run the desktop is a folder of
// the prefix's own; the user's setting comes back at the end.
class PrivateDesktop : public ::testing::Environment {
 public:
  void SetUp() override {
    for (const char* key : kKeys) saved_.push_back(registryValue(HKEY_CURRENT_USER, key, "Desktop"));
    char profile[MAX_PATH + 1] = {};
    GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
    std::string folder = std::string(profile) + "\\Desktop of the installer tests";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* key : kKeys) setRegistryValue(HKEY_CURRENT_USER, key, "Desktop", {REG_SZ, folder + '\0'});
    if (shellFolder(CSIDL_DESKTOPDIRECTORY) != folder) {
      throw AutomationError("the desktop folder stays " + shellFolder(CSIDL_DESKTOPDIRECTORY));
    }
  }
  void TearDown() override {
    for (size_t i = 0; i < saved_.size(); ++i) {
      if (saved_[i]) {
        setRegistryValue(HKEY_CURRENT_USER, kKeys[i], "Desktop", *saved_[i]);
      } else {
        deleteRegistryValue(HKEY_CURRENT_USER, kKeys[i], "Desktop");
      }
    }
  }

 private:
  static constexpr const char* kKeys[] = {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
  std::vector<std::optional<RegistryValue>> saved_;
};

const auto* const kPrivateDesktop = ::testing::AddGlobalTestEnvironment(new PrivateDesktop);

// Every place an installation writes to, emptied.
void removeAllTraces() {
  deleteRegistryTree(HKEY_CLASSES_ROOT, ".QVX");
  deleteRegistryTree(HKEY_CLASSES_ROOT, kTypeKey);
  deleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey);
  for (const char* name : {"Quorvex Rechner", "Rechner", "Dokumentation", "Liesmich", "Calculator", "Documentation",
                           "Readme", "Deinstallation", "Uninstall"}) {
    DeleteFileA((linksFolder() + "\\" + name + ".LNK").c_str());
  }
  RemoveDirectoryA(linksFolder().c_str());
  for (const char* name : {"Rechner", "Calculator"}) {
    DeleteFileA(topLevelLink(name).c_str());
    DeleteFileA(desktopLink(name).c_str());
  }
}

std::vector<std::string> tracesLeft() {
  std::vector<std::string> left;
  for (const auto& [root, key] : {std::pair{HKEY_CLASSES_ROOT, std::string(".QVX")}, {HKEY_CLASSES_ROOT, kTypeKey},
                                  {HKEY_LOCAL_MACHINE, kUninstallKey}}) {
    if (registryKeyExists(root, key)) left.push_back("registry key " + key);
  }
  std::vector<std::string> paths = {linksFolder()};
  for (const char* name : {"Rechner", "Calculator"}) {
    paths.push_back(topLevelLink(name));
    paths.push_back(desktopLink(name));
  }
  for (const auto& path : paths) {
    if (fileExists(path)) left.push_back(path);
  }
  return left;
}

std::string sz(const std::string& text) { return text + '\0'; }

void expectString(HKEY root, const std::string& key, const std::string& name, const std::string& expected) {
  SCOPED_TRACE(key + " value \"" + name + "\"");
  auto value = registryValue(root, key, name);
  ASSERT_TRUE(value.has_value()) << "missing";
  EXPECT_EQ(value->type, DWORD(REG_SZ));
  EXPECT_EQ(value->bytes, sz(expected));
}

struct LinkRow {
  std::string path;
  std::string target;
  std::string arguments;
  std::string iconFile;  // empty: no icon set
  int iconIndex;
};

void expectShortcut(const LinkRow& row, const std::string& folder) {
  SCOPED_TRACE(row.path);
  auto link = readShortcut(row.path);
  ASSERT_TRUE(link.has_value()) << "no shortcut file";
  EXPECT_EQ(link->target, row.target);
  EXPECT_EQ(link->arguments, row.arguments);
  EXPECT_EQ(link->workingDirectory, folder);
  EXPECT_EQ(link->description, "Quorvex");
  EXPECT_EQ(link->iconFile, row.iconFile);
  EXPECT_EQ(link->iconIndex, row.iconIndex);
}

// The calculator shortcut of the top level and of the desktop.
LinkRow calculatorLink(const std::string& path, const std::string& folder, bool german) {
  return {path, folder + "\\Quorvex.exe", german ? "deutsch" : "", folder + "\\Quorvex.exe", 0};
}

// The program group as a first installation in this language makes it.
std::vector<LinkRow> groupLinks(const std::string& folder, bool german) {
  std::string group = linksFolder() + "\\";
  std::string program = folder + "\\Quorvex.exe";
  std::string uninstall = std::string("/deinstal_") + (german ? "g " : "e ") + folder;
  std::vector<LinkRow> rows;
  if (german) {
    rows = {{group + "Quorvex Rechner.LNK", program, "deutsch", program, 0},
            {group + "Dokumentation.LNK", folder + "\\Quorv_g" + helpExtension(), "", "", 0},
            {group + "Liesmich.LNK", folder + "\\Liesmich.txt", "", "", 0}};
  } else {
    rows = {{group + "Calculator.LNK", program, "", program, 0},
            {group + "Documentation.LNK", folder + "\\Quorv_e" + helpExtension(), "", "", 0},
            {group + "Readme.LNK", folder + "\\Readme.txt", "", "", 0}};
  }
  rows.push_back({group + "Uninstall.LNK", folder + "\\Install.exe", uninstall, folder + "\\Install.exe", 1});
  return rows;
}

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

void expectRegistry(const std::string& folder, bool german, bool ownsExtension) {
  std::string program = folder + "\\Quorvex.exe";
  if (ownsExtension) expectString(HKEY_CLASSES_ROOT, ".QVX", "", kTypeKey);
  expectString(HKEY_CLASSES_ROOT, kTypeKey, "", kTypeKey);
  expectString(HKEY_CLASSES_ROOT, kTypeKey + "\\DefaultIcon", "", program + ",0");
  expectString(HKEY_CLASSES_ROOT, kTypeKey + "\\Shell\\open\\command", "", program + " \"%1\"");
  const std::pair<const char*, std::string> values[] = {
      {"DisplayName", "Quorvex Calculator"},
      {"UninstallString", folder + "\\Install.exe /deinstal_" + (german ? "g " : "e ") + folder},
      {"Publisher", "Brannoc Software"},
      {"InstallSource", folder},
      {"DisplayIcon", program + ",-0"},
      {"DisplayVersion", "4.12"},
      {"LinksDir", linksFolder()},
  };
  for (const auto& [name, data] : values) expectString(HKEY_LOCAL_MACHINE, kUninstallKey, name, data);
  // Web addresses are the maker's choice: there, as strings.
  for (const char* name : {"HelpLink", "URLUpdateInfo"}) {
    auto value = registryValue(HKEY_LOCAL_MACHINE, kUninstallKey, name);
    ASSERT_TRUE(value.has_value()) << name;
    EXPECT_EQ(value->type, DWORD(REG_SZ)) << name;
  }
}

// Runs the dialog through "do instal": the language and the top-level box as
// given; answers the association question when one is expected. Returns the
// dialog's title while the success message shows.
std::string install(InstallerRun& run, bool german, bool topLevel,
                    std::optional<std::string> foreignType = std::nullopt, int answerToQuestion = IDNO) {
  const Texts& texts = textsOf(german);
  run.start();
  if (german) run.click(807);
  if (!topLevel) run.click(804);
  run.press(1);
  MessageBoxInfo box = run.waitForMessageBox();
  if (foreignType) {
    EXPECT_EQ(box.text, texts.associationStart + *foreignType + texts.associationEnd);
    EXPECT_EQ(windowText(box.window), "Quorvex Installation");
    run.answer(box, answerToQuestion);
    box = run.waitForMessageBox();
  }
  EXPECT_EQ(box.text, texts.success);
  EXPECT_EQ(windowText(box.window), texts.successCaption);
  EXPECT_EQ(GetWindow(box.window, GW_OWNER), run.dialog()) << "the success message belongs to the dialog";
  std::string title = run.title();
  run.answer(box);
  EXPECT_EQ(run.waitForExit(), 0u);
  return title;
}

std::string uninstallSwitch(const InstallerRun& run, bool german) {
  return std::string("/deinstal_") + (german ? "g " : "e ") + run.folder();
}

// Uninstalls with the given switch text, answers Yes and expects success.
void uninstall(InstallerRun& run, const std::string& arguments, bool german) {
  const Texts& texts = textsOf(german);
  run.launch(arguments);
  MessageBoxInfo question = run.waitForMessageBox();
  EXPECT_EQ(question.text, texts.uninstallQuestion);
  EXPECT_EQ(windowText(question.window), "Quorvex Deinstallation");
  run.answer(question, IDYES);
  MessageBoxInfo done = run.waitForMessageBox();
  EXPECT_EQ(done.text, texts.uninstalled);
  EXPECT_EQ(windowText(done.window), "Quorvex Deinstallation");
  run.answer(done);
  EXPECT_EQ(run.waitForExit(), 0u);
  closeFileManagerWindows();
}

class Installer : public ::testing::Test {
 protected:
  void SetUp() override { removeAllTraces(); }
  void TearDown() override {
    run.kill();
    removeAllTraces();
  }

  std::string install(bool german, bool topLevel, std::optional<std::string> foreignType = std::nullopt,
                      int answerToQuestion = IDNO) {
    return ::install(run, german, topLevel, foreignType, answerToQuestion);
  }
  void uninstall(const std::string& arguments, bool german) { ::uninstall(run, arguments, german); }
  std::string uninstallSwitch(bool german) const { return ::uninstallSwitch(run, german); }

  InstallerRun run;
};

TEST_F(Installer, DialogShowsItsTextsInEitherLanguage) {
  run.start();
  EXPECT_EQ(run.title(), "Quorvex Installation");
  for (const auto& [id, text] : kEnglish.controls) EXPECT_EQ(run.text(id), text) << "control " << id;
  EXPECT_TRUE(run.checked(804));
  run.click(804);
  EXPECT_FALSE(run.checked(804));
  run.click(807);
  for (const auto& [id, text] : kGerman.controls) EXPECT_EQ(run.text(id), text) << "control " << id;
  EXPECT_EQ(run.control(807), nullptr) << "the language button is gone";
  EXPECT_FALSE(run.checked(804)) << "the switch keeps the box as it was";
  EXPECT_EQ(run.title(), "Quorvex Installation");
  run.press(2);
  MessageBoxInfo box = run.waitForMessageBox();
  EXPECT_EQ(box.text, kGerman.cancel);
  EXPECT_EQ(windowText(box.window), kGerman.cancelCaption);
  run.answer(box);
  EXPECT_EQ(run.waitForExit(), 0u);
  EXPECT_EQ(tracesLeft(), std::vector<std::string>{});
}

// Ways out of the dialog without installing, and a switch that does not
// stand first, which is no switch.
TEST_F(Installer, LeavingTheDialogChangesNothing) {
  struct Case {
    const char* name;
    const char* arguments;
    bool closeBox;  // else Cancel, with its message
  };
  const Case cases[] = {
      {"Cancel", "", false},
      {"close box", "", true},
      {"switch not first", "x /deinstal_e d", false},
  };
  for (const auto& c : cases) {
    TABLE_ROW(c.name);
    run.start(c.arguments);
    if (c.closeBox) {
      post(run.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      run.press(2);
      MessageBoxInfo box = run.waitForMessageBox();
      EXPECT_EQ(box.text, kEnglish.cancel);
      EXPECT_EQ(windowText(box.window), kEnglish.cancelCaption);
      run.answer(box);
    }
    EXPECT_EQ(run.waitForExit(), 0u);
    EXPECT_EQ(tracesLeft(), std::vector<std::string>{});
  }
}

// A first installation in each language, with and without the top-level
// entry: every shortcut and registry value, then the uninstall in the same
// language removes them all and leaves the program's files.
TEST_F(Installer, InstallsAndUninstallsCompletely) {
  struct Case {
    const char* name;
    bool german;
    bool topLevel;
  };
  const Case cases[] = {
      {"English, top level", false, true},
      {"English, no top level", false, false},
      {"German, top level", true, true},
      {"German, no top level", true, false},
  };
  for (const auto& c : cases) {
    TABLE_ROW(c.name);
    const std::string& folder = run.folder();
    std::vector<std::string> filesBefore = filesIn(folder);
    const char* calculatorName = c.german ? "Rechner" : "Calculator";
    const char* otherName = c.german ? "Calculator" : "Rechner";

    std::string title = install(c.german, c.topLevel);
    EXPECT_EQ(title, textsOf(c.german).creatingPrefix + "Uninstall ...") << "the last group entry made";

    std::vector<LinkRow> links = groupLinks(folder, c.german);
    for (const auto& row : links) expectShortcut(row, folder);
    EXPECT_EQ(filesIn(linksFolder()).size(), links.size()) << "nothing else in the group";
    expectShortcut(calculatorLink(desktopLink(calculatorName), folder, c.german), folder);
    if (c.topLevel) {
      expectShortcut(calculatorLink(topLevelLink(calculatorName), folder, c.german), folder);
    } else {
      EXPECT_FALSE(fileExists(topLevelLink(calculatorName)));
    }
    EXPECT_FALSE(fileExists(topLevelLink(otherName)));
    EXPECT_FALSE(fileExists(desktopLink(otherName)));
    expectRegistry(folder, c.german, true);

    uninstall(uninstallSwitch(c.german), c.german);
    EXPECT_EQ(tracesLeft(), std::vector<std::string>{});
    EXPECT_EQ(filesIn(folder), filesBefore) << "the program's files stay";
    removeAllTraces();
  }
}

TEST_F(Installer, SecondInstallKeepsTheGroupAndRenewsTheRest) {
  const std::string& folder = run.folder();
  install(false, true);
  // Marks that a renewed group would undo.
  ASSERT_TRUE(DeleteFileA((linksFolder() + "\\Readme.LNK").c_str()));
  ASSERT_TRUE(DeleteFileA(desktopLink("Calculator").c_str()));

  EXPECT_EQ(install(true, true), "Quorvex Installation") << "no group entry made";
  std::vector<std::string> group = filesIn(linksFolder());
  EXPECT_EQ(group, (std::vector<std::string>{"Calculator.LNK", "Documentation.LNK", "Uninstall.LNK"}));
  expectShortcut(groupLinks(folder, false).back(), folder);  // still the English uninstall switch
  expectShortcut(calculatorLink(topLevelLink("Rechner"), folder, true), folder);
  expectShortcut(calculatorLink(desktopLink("Rechner"), folder, true), folder);
  expectShortcut(calculatorLink(topLevelLink("Calculator"), folder, false), folder);
  EXPECT_FALSE(fileExists(desktopLink("Calculator")));
  expectRegistry(folder, true, true);

  // 3 group links, the group, 2 top-level links, 1 desktop link.
  uninstall(uninstallSwitch(false), false);
  EXPECT_EQ(tracesLeft(), std::vector<std::string>{});
}

// ".QVX" already registered: to another program (the user is asked), or to
// an earlier Quorvex type (taken over silently). The uninstall removes the
// extension only when it is Quorvex's.
TEST_F(Installer, AssociationOfAnotherProgram) {
  struct Case {
    const char* name;
    std::string type;
    bool asked;
    int answer;
    bool taken;
  };
  const Case cases[] = {
      {"other program, No", "OtherCalc.Document", true, IDNO, false},
      {"other program, Yes", "OtherCalc.Document", true, IDYES, true},
      {"earlier Quorvex type", "Old Quorvex Sheet", false, IDOK, true},
      {"long type name, No", "Other." + std::string(480, 'T'), true, IDNO, false},  // quoted whole
  };
  for (bool german : {false, true}) {
    for (const auto& c : cases) {
      TABLE_ROW(std::string(c.name) + (german ? ", German" : ", English"));
      setRegistryString(HKEY_CLASSES_ROOT, ".QVX", c.type);
      install(german, true, c.asked ? std::optional<std::string>(c.type) : std::nullopt, c.answer);
      expectRegistry(run.folder(), german, c.taken);
      if (!c.taken) expectString(HKEY_CLASSES_ROOT, ".QVX", "", c.type);

      uninstall(uninstallSwitch(german), german);
      if (c.taken) {
        EXPECT_FALSE(registryKeyExists(HKEY_CLASSES_ROOT, ".QVX"));
      } else {
        expectString(HKEY_CLASSES_ROOT, ".QVX", "", c.type);
      }
      EXPECT_FALSE(registryKeyExists(HKEY_CLASSES_ROOT, kTypeKey));
      EXPECT_FALSE(registryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
      removeAllTraces();
    }
  }
}

TEST_F(Installer, UninstallAnsweredNoChangesNothing) {
  const std::string& folder = run.folder();
  install(false, true);
  run.launch(uninstallSwitch(false));
  MessageBoxInfo question = run.waitForMessageBox();
  EXPECT_EQ(question.text, kEnglish.uninstallQuestion);
  run.answer(question, IDNO);
  EXPECT_EQ(run.waitForExit(), 0u);
  for (const auto& row : groupLinks(folder, false)) expectShortcut(row, folder);
  expectShortcut(calculatorLink(topLevelLink("Calculator"), folder, false), folder);
  expectShortcut(calculatorLink(desktopLink("Calculator"), folder, false), folder);
  expectRegistry(folder, false, true);
}

// The second uninstall finds nothing: the registry message, then the error.
TEST_F(Installer, UninstallingTwiceReportsTheError) {
  for (bool german : {false, true}) {
    TABLE_ROW(german ? "German" : "English");
    const Texts& texts = textsOf(german);
    install(german, true);
    uninstall(uninstallSwitch(german), german);

    run.launch(uninstallSwitch(german));
    run.answer(run.waitForMessageBox(), IDYES);
    MessageBoxInfo notFound = run.waitForMessageBox();
    EXPECT_EQ(notFound.text, texts.notFound);
    EXPECT_EQ(windowText(notFound.window), "Quorvex Deinstallation");
    run.answer(notFound);
    MessageBoxInfo error = run.waitForMessageBox();
    EXPECT_EQ(error.text, texts.error);
    EXPECT_EQ(windowText(error.window), texts.errorCaption);
    run.answer(error);
    EXPECT_EQ(run.waitForExit(), 1u);
    closeFileManagerWindows();
  }
}

// A switch without a folder is refused before anything is asked.
TEST_F(Installer, SwitchWithoutFolderIsAnError) {
  struct Case {
    const char* arguments;
    bool german;
  };
  const Case cases[] = {{"/deinstal_g", true}, {"/deinstal_e", false}, {"/DEINSTAL_G", true}};
  install(false, true);
  for (const auto& c : cases) {
    TABLE_ROW(c.arguments);
    run.launch(c.arguments);
    MessageBoxInfo box = run.waitForMessageBox();
    EXPECT_EQ(box.text, textsOf(c.german).error);
    EXPECT_EQ(windowText(box.window), textsOf(c.german).errorCaption);
    run.answer(box);
    EXPECT_EQ(run.waitForExit(), 1u);
  }
  expectRegistry(run.folder(), false, true);
  for (const auto& row : groupLinks(run.folder(), false)) expectShortcut(row, run.folder());
}

TEST_F(Installer, UpperCaseSwitchUninstalls) {
  install(false, true);
  uninstall(upper(uninstallSwitch(false)), false);
  EXPECT_EQ(tracesLeft(), std::vector<std::string>{});
}

// The folder named after the switch only says where to show the files; a
// long one must not upset the removal.
TEST_F(Installer, UninstallWithAVeryLongFolderText) {
  install(false, true);
  uninstall(uninstallSwitch(false) + "\\" + std::string(300, 'x'), false);
  EXPECT_EQ(tracesLeft(), std::vector<std::string>{});
}

// The program folder is kept in 199 characters. One that long installs
// whole; a longer one must not leave shortcuts or registry entries pointing
// into a cut-off path: it is refused, with a message, and nothing is made.
TEST_F(Installer, ProgramFolderAtAndBeyondItsLimit) {
  {
    InstallerRun longest(199);
    ASSERT_EQ(longest.folder().size(), 199u);
    ::install(longest, false, true);
    for (const auto& row : groupLinks(longest.folder(), false)) expectShortcut(row, longest.folder());
    expectShortcut(calculatorLink(desktopLink("Calculator"), longest.folder(), false), longest.folder());
    expectRegistry(longest.folder(), false, true);
    ::uninstall(longest, ::uninstallSwitch(longest, false), false);
    EXPECT_EQ(tracesLeft(), std::vector<std::string>{});
  }
  removeAllTraces();
  InstallerRun tooLong(200);
  ASSERT_EQ(tooLong.folder().size(), 200u);
  tooLong.start();
  tooLong.press(1);
  int messages = 0;
  while (tooLong.running()) {
    tooLong.answer(tooLong.waitForMessageBox());
    ++messages;
    waitUntil([&] { return !tooLong.running() || tooLong.findMessageBox(); }, kExpectWait);
  }
  EXPECT_GE(messages, 1) << "the user is told";
  EXPECT_EQ(tracesLeft(), std::vector<std::string>{});
}

}  // namespace
