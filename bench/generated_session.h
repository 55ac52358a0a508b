#pragma once
// A generated input of n elements in a scratch folder of its own, opened as the programs open
// one, for the benchmarks that run the engine over a whole input; the folder goes at the end.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/messages.h"
#include "input/input_session.h"
#include "input_mix.h"

namespace tavo::bench {

class GeneratedInput {
 public:
  GeneratedInput(const std::string& name, long n)
      : dir_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(dir_ / "temp");
    std::ofstream out(dir_ / "in.Ardekon", std::ios::binary);
    WriteMixInput(out, n);
  }
  ~GeneratedInput() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  // A fresh context on the input (the shipped catalogue), its session opened; false when unreadable.
  bool Open(ModuleContext& ctx, InputSession& session, Messages& messages) const {
    ctx.messages = &messages;
    ctx.installDir = std::string(TAVO_INSTALL_TREE) + "/";
    ctx.tempDir = dir_.string() + "/temp/";
    SetInputPath(ctx, dir_.string() + "/in.Ardekon");
    return OpenInput(ctx, session);
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace tavo::bench
