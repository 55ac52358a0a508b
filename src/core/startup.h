#pragma once
// Start-up of the module: the packed command line, display metrics, identity, where the
// install tree is, and the way back to the suite.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/module_context.h"

namespace tavo {

// Fills language, run mode, install directory, input base, version and input directory from
// the suite's packed argument. False (with "End of File!") when the argument is empty.
bool ParseCommandLine(ModuleContext& ctx, std::string_view argument, std::string_view currentDir);

// Font size for a screen: 12 above 1280x1024, 10 from 1280 wide (8 below 720 high), else 8.
int FontSizeForScreen(int width, int height);
void InitDisplayMetrics(ModuleContext& ctx, int screenWidth, int screenHeight);
void SetModuleIdentity(ModuleContext& ctx);

// The install tree: an explicit folder, else the nearest folder at or above the executable that
// holds cte/, or share/tavolin/cte/ (a system install: <prefix>/bin beside <prefix>/share/tavolin).
std::string FindInstallDir(std::string_view executablePath, std::string_view explicitDir);
std::string WithTrailingSeparator(std::string dir);

// The tree is the programs' own in a build but read-only in a system install. What the desktop
// program writes then goes to the user's folders: scratch files under $XDG_CACHE_HOME/tavolin/temp,
// the settings file as $XDG_CONFIG_HOME/tavolin/constants.ini (seeded once from the tree's copy).
std::string ScratchDirFor(const std::string& installDir);
std::string SettingsFileFor(const std::string& installDir);

// The element listing "book.tmp": beside the input file, where the command line writes it,
// so it outlives the run instead of going with the temp folder's scratch files.
std::filesystem::path ListingDir(const ModuleContext& ctx);

enum class ReturnOutcome { KeepRunning, Ended };

// The one normal way out. closeFiles runs first (unless in help mode); when the request is
// "exit" the module keeps running, otherwise temporary files go (the listing beside the input
// stays) and the suite is started.
ReturnOutcome ReturnToSuite(ModuleContext& ctx, std::string_view request,
                            const std::function<void()>& closeFiles = {});

}  // namespace tavo
