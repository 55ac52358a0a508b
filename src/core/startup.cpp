#include "core/startup.h"

#include <filesystem>
#include <cerrno>
#include <cstdlib>
#include <fstream>

#include <unistd.h>

#include "core/files.h"
#include "core/language.h"
#include "core/messages.h"
#include "core/process_launcher.h"
#include "core/text_util.h"
#include "core/core_texts.h"
#include "core/text_helpers.h"

namespace tavo {

namespace fs = std::filesystem;

std::string WithTrailingSeparator(std::string dir) {
  if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
  return dir;
}

bool ParseCommandLine(ModuleContext& ctx, std::string_view argumentIn, std::string_view currentDir) {
  const std::string argument = TrimRight(argumentIn);
  if (argument.empty()) {
    if (ctx.messages) ctx.messages->Show("End of File!", "Error!", MessageKind::Critical, false);
    return false;
  }
  ctx.language = argument[0];
  ctx.runMode = argument.size() > 1 ? argument[1] : 'I';
  const auto bar = argument.find('|');
  const std::string installPart = argument.size() > 3 ? argument.substr(3, bar == std::string::npos ? std::string::npos : bar - 3) : "";
  ctx.installDir = installPart;
  ctx.inputBase = bar == std::string::npos ? "" : argument.substr(bar + 1);
  ctx.inputExtension = ".Ardekon";
  if (ctx.installDir.find("7.12") != std::string::npos)
    ctx.suiteVersion = "7.12";
  else if (ctx.installDir.find("6.81") != std::string::npos)
    ctx.suiteVersion = "6.81";
  else if (ctx.installDir.find('5') != std::string::npos)
    ctx.suiteVersion = "5.8";
  const auto lastSep = ctx.inputBase.find_last_of("\\/");
  if (lastSep == std::string::npos)
    ctx.inputDir = WithTrailingSeparator(std::string(currentDir));
  else
    ctx.inputDir = ctx.inputBase.substr(0, lastSep + 1);
  return true;
}

int FontSizeForScreen(int width, int height) {
  if (width > 1280 && height > 1024) return 12;
  if (width >= 1280) return height < 720 ? 8 : 10;
  return 8;
}

void InitDisplayMetrics(ModuleContext& ctx, int screenWidth, int screenHeight) {
  ctx.metrics.okColour = {0, 150, 0};
  ctx.metrics.notOkColour = {200, 0, 0};
  ctx.metrics.fontName = "Arial";
  ctx.metrics.screenHeight = screenHeight;
  ctx.metrics.fontSize = FontSizeForScreen(screenWidth, screenHeight);
}

void SetModuleIdentity(ModuleContext& ctx) {
  ctx.moduleKey = "tavo";
  ctx.moduleTitle = "Tavolin";
}

std::string FindInstallDir(std::string_view executablePath, std::string_view explicitDir) {
  if (!explicitDir.empty()) return WithTrailingSeparator(std::string(explicitDir));
  std::error_code ec;
  fs::path given(executablePath);
  // Started through PATH the name has no folder; the kernel knows where the program really is.
  if (!given.has_parent_path()) {
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && self.is_absolute()) given = self;
    ec.clear();
  }
  fs::path exe = fs::weakly_canonical(given, ec);
  if (ec) exe = given;
  // The build's tree sits beside the program; a system install keeps it in <prefix>/share/tavolin
  // next to <prefix>/bin, wherever the prefix is.
  for (fs::path dir = exe.parent_path(); !dir.empty(); dir = dir.parent_path()) {
    if (fs::is_directory(dir / "cte", ec)) return WithTrailingSeparator(dir.string());
    if (fs::is_directory(dir / "share" / "tavolin" / "cte", ec))
      return WithTrailingSeparator((dir / "share" / "tavolin").string());
    if (dir == dir.parent_path()) break;
  }
  return WithTrailingSeparator(exe.parent_path().string());
}

namespace {
bool Writable(const fs::path& dir) { return ::access(dir.c_str(), W_OK) == 0; }
// Closed to this user by its permissions, as a system install is. A read-only or failing disk
// is not: that is a fault, reported where the write fails.
bool ClosedToUser(const fs::path& dir) { return ::access(dir.c_str(), W_OK) != 0 && errno == EACCES; }

// $XDG_<kind>_HOME/tavolin, else ~/<fallback>/tavolin; empty when neither is set.
fs::path UserDir(const char* variable, const char* fallback) {
  const char* xdg = std::getenv(variable);
  if (xdg && *xdg == '/') return fs::path(xdg) / "tavolin";
  const char* home = std::getenv("HOME");
  if (home && *home == '/') return fs::path(home) / fallback / "tavolin";
  return {};
}
}  // namespace

std::string ScratchDirFor(const std::string& installDir) {
  const std::string own = WithTrailingSeparator(installDir) + "temp/";
  std::error_code ec;
  fs::create_directories(SuitePath(own), ec);
  // A tree without temp/ (the package ships none) is judged by the tree itself.
  if (!ClosedToUser(fs::is_directory(SuitePath(own), ec) ? SuitePath(own) : SuitePath(installDir))) return own;
  const fs::path user = UserDir("XDG_CACHE_HOME", ".cache");
  if (user.empty() || (fs::create_directories(user / "temp", ec), !Writable(user / "temp"))) return own;
  return WithTrailingSeparator((user / "temp").string());
}

std::string SettingsFileFor(const std::string& installDir) {
  const std::string shipped = WithTrailingSeparator(installDir) + "cte/constants.ini";
  const fs::path cte = SuitePath(shipped).parent_path();
  std::error_code ec;
  if (!fs::is_directory(cte, ec) || !ClosedToUser(cte)) return shipped;
  const fs::path user = UserDir("XDG_CONFIG_HOME", ".config");
  if (user.empty()) return shipped;
  const fs::path mine = user / "constants.ini";
  if (fs::is_regular_file(mine, ec)) return mine.string();
  fs::create_directories(user, ec);
  if (fs::is_regular_file(SuitePath(shipped), ec) ? fs::copy_file(SuitePath(shipped), mine, ec) && !ec
                                                  : static_cast<bool>(std::ofstream(mine)))
    return mine.string();
  return shipped;
}

fs::path ListingDir(const ModuleContext& ctx) {
  if (!ctx.inputDir.empty()) return SuitePath(ctx.inputDir);
  const fs::path base = SuitePath(ctx.inputBase);
  return base.has_parent_path() ? base.parent_path() : fs::path(".");
}

namespace {
void AppendFile(const fs::path& from, const fs::path& to) {
  std::ifstream in(from, std::ios::binary);
  if (!in) return;
  std::ofstream out(to, std::ios::binary | std::ios::app);
  out << in.rdbuf();
}
}  // namespace

ReturnOutcome ReturnToSuite(ModuleContext& ctx, std::string_view requestIn, const std::function<void()>& closeFiles) {
  std::string request(requestIn);
  if (ToLower(request.substr(0, 9)) == "/noframe/") request.erase(0, 9);
  std::error_code ec;  // from here on nothing may stop the way back
  const fs::path temp = SuitePath(ctx.tempDir.empty() ? ctx.installDir + "temp/" : ctx.tempDir);
  if (ctx.runMode != 'H') {
    try {
      if (closeFiles) closeFiles();
    } catch (...) {
    }
    const auto written = [&ec](const fs::path& p) { return fs::is_regular_file(p, ec) && fs::file_size(p, ec) > 0; };
    if (written(ListingDir(ctx) / "book.tmp") || written(temp / "book.tmp"))
      AppendFile(temp / "book-arr.tmp", SuitePath(ctx.inputBase + ".dsn"));
    if (ToLower(request) == "exit") return ReturnOutcome::KeepRunning;
  }
  for (const auto& entry : fs::directory_iterator(temp, ec)) {
    if (entry.path().extension() == ".tmp") fs::remove(entry.path(), ec);
  }
  const fs::path suite = SuitePath(ctx.installDir) / "ardekon";
  bool started = false;
  if (ctx.launcher && fs::exists(suite, ec))
    started = ctx.launcher->Launch(suite.string(), {"Returned_Back:" + ctx.moduleKey}, SuitePath(ctx.installDir).string());
  if (!started && ctx.messages)
    ctx.messages->Show(PickLanguage(Fill(texts::kSuiteNotFound, {{"path", suite.string()}}), ctx),
                       "", MessageKind::Warning, IsPersian(ctx));
  return ReturnOutcome::Ended;
}

}  // namespace tavo
