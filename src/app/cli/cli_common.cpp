#include "cli/cli_common.h"

#include <cstdlib>
#include <filesystem>

#include "core/startup.h"

namespace tavo::cli {

CliState::CliState() { ctx.messages = &messages; }

CliState::~CliState() {
  if (!privateTemp.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(privateTemp, ec);
  }
}

void CliState::Prepare() {
  ctx.installDir = FindInstallDir(executable, installOverride);
  if (privateTemp.empty()) {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "tavo-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) privateTemp = pattern;
  }
  ctx.tempDir = privateTemp.empty() ? ctx.installDir + "temp/" : privateTemp + "/";
}

bool CliState::OpenInputFile(const std::string& path, InputSession& session) {
  SetInputPath(ctx, path);
  if (OpenInput(ctx, session)) return true;
  exitCode = 1;
  return false;
}

SectionEngine& CliState::Engine() {
  if (!engine) engine = std::make_unique<SectionEngine>(ctx);
  return *engine;
}

std::string JoinWords(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& w : words) text += (text.empty() ? "" : " ") + w;
  return text;
}

std::optional<double> GivenFy(double option) { return option > 0 ? std::optional<double>(option) : std::nullopt; }

CLI::IsMember MemberKindNames() {
  return CLI::IsMember(std::vector<std::string>(kMemberKindNames.begin(), kMemberKindNames.end()));
}

}  // namespace tavo::cli
