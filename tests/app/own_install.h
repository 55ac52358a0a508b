#pragma once
// A test of the tavo program run on an install tree of its own, whose settings file the test
// writes (FY=2400 in [kg]-[cm] unless it says otherwise), with inputs in a scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/process.h"
#include "support/test_support.h"

namespace tavo::test {

class OwnInstall : public ::testing::Test {
 protected:
  void SetUp() override {
    install_ = scratch_.path() / "install";
    std::filesystem::create_directories(install_ / "temp");
    for (const char* part : {"cte", "bin"})
      std::filesystem::copy(std::filesystem::path(TAVO_INSTALL_TREE) / part, install_ / part,
                            std::filesystem::copy_options::recursive);
    Settings("UNITS=[kg]-[cm]\nFY=2400\n");
    logs_ = scratch_.path() / "logs";
    std::filesystem::create_directory(logs_);
  }
  // The rows of the module's section of the settings file.
  void Settings(const std::string& rows) {
    scratch_.Write("install/cte/constants.ini", "; Settings of the Tavolin module\n[tavo]\n" + rows);
  }
  RunResult Tavo(std::vector<std::string> args) {
    args.insert(args.begin(), {"--install", install_.string()});
    return RunTavo(args, logs_);
  }
  std::string Input(const std::string& name, const std::string& body) { return scratch_.Write(name, body).string(); }
  ScratchDir scratch_;
  std::filesystem::path install_, logs_;
};

}  // namespace tavo::test
