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

// The shortcut and registry tables themselves are checked where they take
// effect: the installer's tests under Wine read back every link and value.

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

}  // namespace
