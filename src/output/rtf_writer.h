#pragma once
// Pieces every RTF this program writes shares: text escaping (\uN? for everything outside
// ASCII, so the file is 7-bit clean and opens the same everywhere) and the right-to-left test.
#include <string>
#include <string_view>

namespace tavo {

// UTF-8 text as RTF body text: \ { } escaped, tabs as \tab, non-ASCII as \uN? (\uc1 assumed).
std::string RtfEscape(std::string_view utf8);

// True when the text holds Arabic-script letters (Persian), which run right to left.
bool HasRtlText(std::string_view utf8);

}  // namespace tavo
