// tavo: the module's work without windows (summaries, sections, checks, reports, drawings).
#include <iostream>

#include "cli/cli_common.h"

int main(int argc, char** argv) {
  tavo::cli::CliState state;
  state.executable = argc > 0 ? argv[0] : "tavo";
  // Named here, not from argv[0], so the usage reads the same wherever the program is started from.
  CLI::App app{"Tavolin steel sections: properties, member checks, reports and drawings", "tavo"};
  app.require_subcommand(1);
  app.fallthrough();
  app.set_version_flag("--version", std::string("tavo ") + TAVO_VERSION, "Print the program's version and exit");
  app.add_option("--install", state.installOverride, "Install folder (default: found next to the program)");
  app.add_flag_callback("--persian", [&state] { state.ctx.language = 'F'; }, "Messages in Persian");
  tavo::cli::AddInfoCommand(app, state);
  tavo::cli::AddSectionCommand(app, state);
  tavo::cli::AddRunCommand(app, state);
  tavo::cli::AddReportCommand(app, state);
  tavo::cli::AddDrawCommand(app, state);
  tavo::cli::AddDesignCommand(app, state);
  // Before the command or after it: "tavo --quiet run x" and "tavo run x --quiet" alike.
  const char* quietHelp = "Print nothing but errors (a --json stream is still printed)";
  app.add_flag("-q,--quiet", state.quiet, quietHelp);
  for (CLI::App* command : app.get_subcommands({})) command->add_flag("-q,--quiet", state.quiet, quietHelp);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : 2;
  } catch (const std::exception& e) {
    std::cerr << "Unexpected error: " << e.what() << '\n';
    return 1;
  }
  return state.exitCode;
}
