// A fresh folder for each file test.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "test_support.h"

class FileTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() /
              ("qvx-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  static std::string readFile(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void writeFile(const std::string& p, const std::string& contents) {
    std::ofstream(p, std::ios::binary) << contents;
  }

  std::filesystem::path folder_;
};
