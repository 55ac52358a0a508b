#pragma once
// An install folder of its own (with a settings file when one is given) and an input file
// opened in it, as the programs open one.
#include <string>

#include "core/diagnostics.h"
#include "core/messages.h"
#include "core/module_context.h"
#include "input/input_session.h"
#include "support/test_support.h"

namespace tavo::test {

inline const std::string kInputHeader = "Software=Ardekon  Version=7.12  Module=tavo  Title=Test, second\n";

struct OpenedInput {
  ScratchDir dir;
  RecordingMessages messages;
  ModuleContext ctx;
  InputSession session;

  explicit OpenedInput(const std::string& settings = "") {
    ctx.messages = &messages;
    ctx.installDir = dir.str();
    ctx.tempDir = dir.str() + "temp/";
    if (!settings.empty()) dir.Write("cte/constants.ini", settings);
  }
  // Writes the file exactly as given and opens it.
  bool Open(const std::string& content, const std::string& name = "in.Ardekon") {
    dir.Write(name, content);
    SetInputPath(ctx, dir.str() + name);
    return OpenInput(ctx, session);
  }
};

// Whether the list holds a diagnostic of this severity whose text holds the fragment.
inline bool Said(const Diagnostics& list, Severity severity, const std::string& fragment) {
  for (const Diagnostic& d : list)
    if (d.severity == severity && d.text.find(fragment) != std::string::npos) return true;
  return false;
}

}  // namespace tavo::test
