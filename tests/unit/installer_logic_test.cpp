// The installer's decisions that need no Windows: command line, paths and
// their buffers, what an uninstall removes, whose file association it is.
#include <gtest/gtest.h>

#include "installer/install_plan.h"

namespace {

const ShellFolders kFolders = {"C:\\Users\\ann\\Start Menu\\Programs", "C:\\Users\\ann\\Start Menu",
                               "C:\\Users\\ann\\Desktop"};

TEST(InstallerTest, CommandLine) {
  // uninstall, German, the folder after the first blank ("-": no blank)
  const std::pair<const char*, const char*> cases[] = {
      {"", "00 -"}, {" /deinstal_e d", "00 -"},  // the switch must stand at the start
      {"/DEINSTAL_E C:\\Tools\\Calc", "10 c:\\tools\\calc"}, {"/deinstal_G C:\\Q R", "11 c:\\q r"},
      {"/deinstal_g", "11 -"}, {"/deinstal_e c:\\stal_g", "11 c:\\stal_g"},  // "stal_g" anywhere means German
      {"/deinstallation", "10 -"}, {"/deinstal_e ", "10 "},
      {"/deinstal_e C:\\\xC4RGER", "10 c:\\\xC4rger"},  // only A to Z are lowered
  };
  for (const auto& [line, expected] : cases) {
    InstallerCommand c = parseInstallerCommand(line);
    EXPECT_EQ(std::to_string(c.uninstall) + std::to_string(c.german) + " " + c.folder.value_or("-"), expected) << line;
  }
}

TEST(InstallerTest, PlanPathsAndTheirLimits) {
  auto root = makeInstallPlan("E:\\", kFolders, {false, true, true});
  ASSERT_TRUE(root);
  EXPECT_EQ(root->programPath, "E:\\Quorvex.exe") << "no doubled backslash after a drive root";
  EXPECT_EQ(root->uninstallValues[1].data, "E:\\Install.exe /deinstal_e E:\\");
  // Removal buffers hold 199 characters: "\Quorvex\Quorvex Rechner.LNK" adds
  // 28 to the Programs folder, "\Calculator.LNK" 15 to the others.
  auto c = [](int n, char letter) { return "C:\\" + std::string(n, letter); };
  const std::tuple<std::string, ShellFolders, bool> cases[] = {
      {c(196, 'f'), kFolders, true},          {c(197, 'f'), kFolders, false},
      {"", kFolders, false},                  {"C:\\x", {c(168, 'p'), "C:\\s", "C:\\d"}, true},
      {"C:\\x", {c(169, 'p'), "C:\\s", "C:\\d"}, false}, {"C:\\x", {"C:\\p", "C:\\s", c(181, 'd')}, true},
      {"C:\\x", {"C:\\p", "C:\\s", c(182, 'd')}, false}, {"C:\\x", {"C:\\p", c(182, 's'), "C:\\d"}, false},
      {"C:\\x", {"", "C:\\s", "C:\\d"}, false},   {"C:\\x", {"C:\\p", "C:\\s", ""}, false},
  };
  for (const auto& [folder, folders, accepted] : cases) {
    auto plan = makeInstallPlan(folder, folders, {true, true, true});
    EXPECT_EQ(plan.has_value(), accepted) << folder << " " << folders.programs << " " << folders.desktop;
    for (std::size_t i = 0; plan && i < plan->group.size(); ++i)
      EXPECT_LT(std::max(plan->group[i].linkPath.size(), plan->group[i].target.size()), kShortcutPathBuffer);
  }
}

TEST(InstallerTest, Removal) {
  auto steps = [](const ShellFolders& folders) {
    std::string all;
    for (const auto& step : removalSteps(folders)) all += step.isFolder ? " [" + step.path + "]" : " " + step.path;
    return all;
  };
  EXPECT_EQ(steps({"P", "S", "D"}),
            " P\\Quorvex\\Quorvex Rechner.LNK P\\Quorvex\\Rechner.LNK P\\Quorvex\\Dokumentation.LNK"
            " P\\Quorvex\\Liesmich.LNK P\\Quorvex\\Calculator.LNK P\\Quorvex\\Documentation.LNK"
            " P\\Quorvex\\Readme.LNK P\\Quorvex\\Deinstallation.LNK P\\Quorvex\\Uninstall.LNK [P\\Quorvex]"
            " S\\Rechner.LNK S\\Calculator.LNK D\\Rechner.LNK D\\Calculator.LNK");
  // Programs folder of 181: none of the group's files fits, its folder does.
  std::string programs = "C:\\" + std::string(178, 'p');
  EXPECT_EQ(steps({programs, "S", ""}), " [" + programs + "\\Quorvex] S\\Rechner.LNK S\\Calculator.LNK");
  // 7: a whole English installation; 1: only the top-level shortcut left.
  for (auto [count, done] : {std::pair{0, false}, {1, false}, {3, false}, {4, true}, {7, true}})
    EXPECT_EQ(removalSucceeded(count), done) << count;
}

TEST(InstallerTest, WhichTypeNamesAreOurs) {
  // type name, taken over without a question, deleted at uninstall
  const std::tuple<const char*, bool, bool> cases[] = {
      {"Quorvex Calculator", true, true}, {"Quorvex Rechner 3", true, false}, {"OldQuorvexFile", true, false},
      {"quorvex calculator", false, false}, {"txtfile", false, false}, {"", false, false},
  };
  for (const auto& [typeName, ours, removed] : cases) {
    EXPECT_EQ(associationIsOurs(typeName), ours) << typeName;
    EXPECT_EQ(extensionToRemove(typeName), removed) << typeName;
  }
}

}  // namespace
