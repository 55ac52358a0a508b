#include "ui/desktop_args.h"

#include <cctype>

#include "core/text_util.h"

namespace tavo::ui {

namespace {
DesktopArgs Fail(std::string why) {
  DesktopArgs a;
  a.ok = false;
  a.error = std::move(why);
  return a;
}
}  // namespace

std::string DesktopUsage() {
  return "Usage: tavolin [--lang en|fa] [--mode I|E|H] [--install DIR] FILE.Ardekon\n"
         "       tavolin \"<language><mode>-<install folder>|<input path without .Ardekon>\"\n";
}

std::string PackArgument(char language, char mode, const std::string& installDir, const std::string& inputBase) {
  std::string s;
  s += language;
  s += mode;
  s += '-';
  return s + installDir + "|" + inputBase;
}

DesktopArgs ParseDesktopArguments(const std::vector<std::string>& args) {
  DesktopArgs out;
  // The suite passes exactly one argument that holds a "|"; anything else is the hand form.
  if (args.empty() || (args.size() == 1 && args[0].find('|') != std::string::npos && !StartsWith(args[0], "-"))) {
    out.packed = true;
    out.packedArgument = args.empty() ? std::string() : args[0];
    return out;
  }
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
    if (a == "--help" || a == "-h") {
      out.help = true;
    } else if (a == "--lang") {
      const std::string* v = value();
      if (!v) return Fail("--lang needs en or fa");
      const std::string l = ToLower(*v);
      if (l == "en" || l == "e")
        out.language = 'E';
      else if (l == "fa" || l == "f")
        out.language = 'F';
      else
        return Fail("--lang takes en or fa, not " + *v);
    } else if (a == "--mode") {
      const std::string* v = value();
      if (!v || v->size() != 1) return Fail("--mode takes I, E or H");
      const char m = static_cast<char>(std::toupper(static_cast<unsigned char>((*v)[0])));
      if (m != 'I' && m != 'E' && m != 'H') return Fail("--mode takes I, E or H, not " + *v);
      out.mode = m;
    } else if (a == "--install") {
      const std::string* v = value();
      if (!v || v->empty()) return Fail("--install needs a folder");
      out.installDir = *v;
    } else if (StartsWith(a, "-") && a.size() > 1) {
      return Fail("unknown option " + a);
    } else if (out.inputFile.empty()) {
      out.inputFile = a;
    } else {
      return Fail("only one input file can be given");
    }
  }
  if (!out.help && out.inputFile.empty() && out.mode != 'H') return Fail("no input file given");
  return out;
}

}  // namespace tavo::ui
