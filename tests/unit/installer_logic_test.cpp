// The installer's decisions that need no Windows: command line, the
// shortcut and registry tables, path limits, removal and its count rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/install_plan.h"

namespace {

const ShellFolders kFolders = {
    "C:\\Users\\ann\\Start Menu\\Programs",
    "C:\\Users\\ann\\Start Menu",
    "C:\\Users\\ann\\Desktop",
};
const std::string kLinks = "C:\\Users\\ann\\Start Menu\\Programs\\Quorvex";

TEST(InstallerCommandTest, SwitchLanguageAndFolder) {
  struct {
    const char* line;
    bool uninstall;
    bool german;
    const char* folder;  // nullptr: no blank, so no folder
  } cases[] = {
      {"", false, false, nullptr},
      {"x /deinstal_e d", false, false, nullptr},  // the switch must stand at the start
      {" /deinstal_e d", false, false, nullptr},
      {"/deinstal_e C:\\Tools\\Calc", true, false, "c:\\tools\\calc"},
      {"/DEINSTAL_E C:\\Tools\\Calc", true, false, "c:\\tools\\calc"},
      {"/deinstal_G C:\\Program Files\\Q", true, true, "c:\\program files\\q"},
      {"/deinstal_g", true, true, nullptr},
      {"/deinstal_e c:\\stal_g", true, true, "c:\\stal_g"},  // "stal_g" anywhere means German
      {"/deinstallation", true, false, nullptr},
      {"/deinstal_e ", true, false, ""},
      // Only A to Z are lowered; Windows-1252 letters stay as they are.
      {"/deinstal_e C:\\\xC4RGER", true, false, "c:\\\xC4rger"},
  };
  for (const auto& c : cases) {
    InstallerCommand command = parseInstallerCommand(c.line);
    EXPECT_EQ(command.uninstall, c.uninstall) << c.line;
    EXPECT_EQ(command.german, c.german) << c.line;
    if (c.folder) EXPECT_EQ(command.folder, std::string(c.folder)) << c.line;
    else EXPECT_FALSE(command.folder) << c.line;
  }
}

struct LinkRow {
  const char* name;
  const char* linkPath;
  const char* target;
  const char* arguments;  // nullptr: none
  const char* iconFile;   // nullptr: none
  int iconIndex;
};

void expectLink(const Shortcut& link, const LinkRow& row, const std::string& folder) {
  SCOPED_TRACE(row.linkPath);
  EXPECT_EQ(link.name, row.name);
  EXPECT_EQ(link.linkPath, row.linkPath);
  EXPECT_EQ(link.target, row.target);
  EXPECT_EQ(link.workingDirectory, folder);
  EXPECT_EQ(link.description, "Quorvex");
  if (row.arguments) EXPECT_EQ(link.arguments, std::string(row.arguments));
  else EXPECT_FALSE(link.arguments);
  if (row.iconFile) {
    EXPECT_EQ(link.iconFile, std::string(row.iconFile));
    EXPECT_EQ(link.iconIndex, row.iconIndex);
  } else {
    EXPECT_FALSE(link.iconFile);
  }
}

TEST(InstallPlanTest, EnglishShortcuts) {
  auto plan = makeInstallPlan("C:\\Tools\\Calc", kFolders, {false, true, true});
  ASSERT_TRUE(plan);
  const char* exe = "C:\\Tools\\Calc\\Quorvex.exe";
  const char* installer = "C:\\Tools\\Calc\\Install.exe";
  const std::vector<LinkRow> group = {
      {"Calculator", "C:\\Users\\ann\\Start Menu\\Programs\\Quorvex\\Calculator.LNK", exe, nullptr, exe, 0},
      {"Documentation", "C:\\Users\\ann\\Start Menu\\Programs\\Quorvex\\Documentation.LNK",
       "C:\\Tools\\Calc\\Quorv_e.chm", nullptr, nullptr, 0},
      {"Readme", "C:\\Users\\ann\\Start Menu\\Programs\\Quorvex\\Readme.LNK",
       "C:\\Tools\\Calc\\Readme.txt", nullptr, nullptr, 0},
      {"Uninstall", "C:\\Users\\ann\\Start Menu\\Programs\\Quorvex\\Uninstall.LNK", installer,
       "/deinstal_e C:\\Tools\\Calc", installer, 1},
  };
  ASSERT_EQ(plan->group.size(), group.size());
  for (std::size_t i = 0; i < group.size(); ++i) expectLink(plan->group[i], group[i], "C:\\Tools\\Calc");
  EXPECT_EQ(plan->linksFolder, kLinks);
  ASSERT_TRUE(plan->topLevel);
  expectLink(*plan->topLevel,
             {"Calculator", "C:\\Users\\ann\\Start Menu\\Calculator.LNK", exe, nullptr, exe, 0},
             "C:\\Tools\\Calc");
  expectLink(plan->desktop,
             {"Calculator", "C:\\Users\\ann\\Desktop\\Calculator.LNK", exe, nullptr, exe, 0},
             "C:\\Tools\\Calc");
}

TEST(InstallPlanTest, GermanShortcutsWithoutHtmlHelpAndWithoutTopLevel) {
  auto plan = makeInstallPlan("D:\\Q", kFolders, {true, false, false});
  ASSERT_TRUE(plan);
  const std::vector<LinkRow> group = {
      {"Quorvex Rechner", "", "D:\\Q\\Quorvex.exe", "deutsch", "D:\\Q\\Quorvex.exe", 0},
      {"Dokumentation", "", "D:\\Q\\Quorv_g.hlp", nullptr, nullptr, 0},
      {"Liesmich", "", "D:\\Q\\Liesmich.txt", nullptr, nullptr, 0},
      {"Uninstall", "", "D:\\Q\\Install.exe", "/deinstal_g D:\\Q", "D:\\Q\\Install.exe", 1},
  };
  ASSERT_EQ(plan->group.size(), group.size());
  for (std::size_t i = 0; i < group.size(); ++i) {
    LinkRow row = group[i];
    std::string link = kLinks + "\\" + row.name + ".LNK";
    row.linkPath = link.c_str();
    expectLink(plan->group[i], row, "D:\\Q");
  }
  EXPECT_FALSE(plan->topLevel);
  expectLink(plan->desktop,
             {"Rechner", "C:\\Users\\ann\\Desktop\\Rechner.LNK", "D:\\Q\\Quorvex.exe", "deutsch",
              "D:\\Q\\Quorvex.exe", 0},
             "D:\\Q");
}

TEST(InstallPlanTest, RegistryTables) {
  struct {
    bool german;
    const char* uninstallString;
  } cases[] = {
      {false, "C:\\Tools\\Calc\\Install.exe /deinstal_e C:\\Tools\\Calc"},
      {true, "C:\\Tools\\Calc\\Install.exe /deinstal_g C:\\Tools\\Calc"},
  };
  for (const auto& c : cases) {
    auto plan = makeInstallPlan("C:\\Tools\\Calc", kFolders, {c.german, true, true});
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->extension.key, ".QVX");
    EXPECT_EQ(plan->extension.data, "Quorvex Calculator");
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"Quorvex Calculator", "Quorvex Calculator"},
        {"Quorvex Calculator\\DefaultIcon", "C:\\Tools\\Calc\\Quorvex.exe,0"},
        {"Quorvex Calculator\\Shell\\open\\command", "C:\\Tools\\Calc\\Quorvex.exe \"%1\""},
    };
    ASSERT_EQ(plan->programKey.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
      EXPECT_EQ(plan->programKey[i].key, keys[i].first);
      EXPECT_EQ(plan->programKey[i].data, keys[i].second);
    }
    const std::vector<std::pair<std::string, std::string>> values = {
        {"DisplayName", "Quorvex Calculator"},
        {"UninstallString", c.uninstallString},
        {"Publisher", "Brannoc Software"},
        {"InstallSource", "C:\\Tools\\Calc"},
        {"DisplayIcon", "C:\\Tools\\Calc\\Quorvex.exe,-0"},
        {"DisplayVersion", "4.12"},
        {"HelpLink", ""},
        {"URLUpdateInfo", ""},
        {"LinksDir", kLinks},
    };
    ASSERT_EQ(plan->uninstallValues.size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      EXPECT_EQ(plan->uninstallValues[i].name, values[i].first);
      EXPECT_EQ(plan->uninstallValues[i].data, values[i].second);
    }
  }
}

TEST(InstallPlanTest, DriveRootGetsNoDoubledBackslash) {
  auto plan = makeInstallPlan("E:\\", kFolders, {false, true, true});
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->programPath, "E:\\Quorvex.exe");
  EXPECT_EQ(plan->uninstallValues[1].data, "E:\\Install.exe /deinstal_e E:\\");
}

TEST(InstallPlanTest, PathLimits) {
  // Removal buffers hold 199 characters: "\Quorvex\Quorvex Rechner.LNK" adds
  // 28 to the Programs folder, "\Calculator.LNK" 15 to the others.
  struct {
    const char* what;
    std::string folder;
    ShellFolders folders;
    bool accepted;
  } cases[] = {
      {"folder of 199", "C:\\" + std::string(196, 'f'), kFolders, true},
      {"folder of 200", "C:\\" + std::string(197, 'f'), kFolders, false},
      {"no current folder", "", kFolders, false},
      {"programs of 171", "C:\\x", {"C:\\" + std::string(168, 'p'), "C:\\s", "C:\\d"}, true},
      {"programs of 172", "C:\\x", {"C:\\" + std::string(169, 'p'), "C:\\s", "C:\\d"}, false},
      {"desktop of 184", "C:\\x", {"C:\\p", "C:\\s", "C:\\" + std::string(181, 'd')}, true},
      {"desktop of 185", "C:\\x", {"C:\\p", "C:\\s", "C:\\" + std::string(182, 'd')}, false},
      {"start menu of 185", "C:\\x", {"C:\\p", "C:\\" + std::string(182, 's'), "C:\\d"}, false},
      {"unknown programs", "C:\\x", {"", "C:\\s", "C:\\d"}, false},
      {"unknown desktop", "C:\\x", {"C:\\p", "C:\\s", ""}, false},
  };
  for (const auto& c : cases) {
    auto plan = makeInstallPlan(c.folder, c.folders, {true, true, true});
    EXPECT_EQ(plan.has_value(), c.accepted) << c.what;
    if (!plan) continue;
    for (const Shortcut& link : plan->group) {
      EXPECT_LT(link.linkPath.size(), kShortcutPathBuffer) << c.what;
      EXPECT_LT(link.target.size(), kShortcutPathBuffer) << c.what;
    }
  }
}

TEST(RemovalTest, StepsInOrder) {
  std::vector<std::string> expected;
  for (const char* name : {"Quorvex Rechner", "Rechner", "Dokumentation", "Liesmich", "Calculator",
                           "Documentation", "Readme", "Deinstallation", "Uninstall"})
    expected.push_back(kLinks + "\\" + name + ".LNK");
  expected.push_back(kLinks);
  for (const char* file : {"C:\\Users\\ann\\Start Menu\\Rechner.LNK",
                           "C:\\Users\\ann\\Start Menu\\Calculator.LNK",
                           "C:\\Users\\ann\\Desktop\\Rechner.LNK", "C:\\Users\\ann\\Desktop\\Calculator.LNK"})
    expected.push_back(file);

  std::vector<RemovalStep> steps = removalSteps(kFolders);
  ASSERT_EQ(steps.size(), expected.size());
  for (std::size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(steps[i].path, expected[i]);
    EXPECT_EQ(steps[i].isFolder, i == 9) << i;
  }
}

TEST(RemovalTest, PathsBeyondTheBufferAreLeftOut) {
  // Programs folder of 181: none of the group's files fits, its folder does.
  ShellFolders folders = {"C:\\" + std::string(178, 'p'), "C:\\s", ""};
  std::vector<RemovalStep> steps = removalSteps(folders);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_TRUE(steps[0].isFolder);
  EXPECT_EQ(steps[1].path, "C:\\s\\Rechner.LNK");
  for (const RemovalStep& step : steps) EXPECT_LT(step.path.size(), kRemovalPathBuffer);
}

TEST(RemovalTest, CountRule) {
  // 7: a whole English installation; 1: only the top-level shortcut left.
  struct {
    int count;
    bool success;
  } cases[] = {{0, false}, {1, false}, {3, false}, {4, true}, {7, true}, {14, true}};
  for (const auto& c : cases) EXPECT_EQ(removalSucceeded(c.count), c.success) << c.count;
}

TEST(AssociationTest, WhichTypeNamesAreOurs) {
  struct {
    const char* typeName;
    bool ours;     // taken over without a question
    bool removed;  // deleted at uninstall
  } cases[] = {
      {"Quorvex Calculator", true, true},
      {"Quorvex Rechner 3", true, false},
      {"OldQuorvexFile", true, false},
      {"quorvex calculator", false, false},
      {"txtfile", false, false},
      {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(associationIsOurs(c.typeName), c.ours) << c.typeName;
    EXPECT_EQ(extensionToRemove(c.typeName), c.removed) << c.typeName;
  }
}

TEST(InstallerTextTest, GermanIsWindows1252) {
  struct {
    InstallText id;
    const char* german;
  } cases[] = {
      {InstallText::Success, "Quorvex l\xE4\xDFt sich nun \xFC" "ber das Windows-Startmen\xFC starten."},
      {InstallText::TopLevelBox, "Erzeuge 'Rechner' Eintrag im Startmen\xFC (h\xF6" "chste Ebene)"},
      {InstallText::RemoveError, "Das Entfernen der Startmen\xFC-Eintr\xE4ge war nicht vollst\xE4ndig."},
      {InstallText::ErrorCaption, "Fehler"},
      {InstallText::CancelCaption, "Abbruch"},
  };
  for (const auto& c : cases) EXPECT_EQ(installText(c.id, true), c.german);
  // The one message that exists in German only.
  EXPECT_EQ(installText(InstallText::UninstallKeyFailed, false),
            installText(InstallText::UninstallKeyFailed, true));
  for (int id = 0; id <= static_cast<int>(InstallText::PathsTooLong); ++id) {
    for (bool german : {false, true}) {
      const std::string& text = installText(static_cast<InstallText>(id), german);
      EXPECT_FALSE(text.empty()) << id;
      // No UTF-8 lead byte of the German letters may survive.
      EXPECT_EQ(text.find('\xC3'), std::string::npos) << id;
    }
  }
}

TEST(InstallerTextTest, ComposedTexts) {
  EXPECT_EQ(creatingItemTitle("Readme", false), "creating Start Menu item Readme ...");
  EXPECT_EQ(creatingItemTitle("Liesmich", true), "erzeuge Startmen\xFC-Eintrag Liesmich ...");
  EXPECT_EQ(associationQuestion("txtfile", false),
            ".QVX file extension is already used by program 'txtfile'. To execute Quorvex, it is not "
            "absolutely necessary to set this connection. Delete old connection?");
  // The longest type name the registry read can return is quoted whole.
  std::string longName(499, 'n');
  EXPECT_NE(associationQuestion(longName, true).find("'" + longName + "'"), std::string::npos);
}

}  // namespace
