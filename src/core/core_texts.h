#pragma once
// Every user text of the core layer, "English||Persian"; "{name}" marks a value filled by Fill().

namespace tavo::texts {

// Message box titles and severity labels
inline constexpr const char* kError = "Error||خطا";
inline constexpr const char* kWarning = "Warning||هشدار";
inline constexpr const char* kErrorLabel = "Error: ||خطا: ";
inline constexpr const char* kWarningLabel = "Warning: ||هشدار: ";
inline constexpr const char* kListSeparator = "; ||؛ ";

// Files and start-up
inline constexpr const char* kFileMissingLineBreak = "File does not exist:\r{path}||فایل وجود ندارد:\r{path}";
inline constexpr const char* kSuiteNotFound =
    "The suite's main program was not found: {path}||برنامه اصلی پیدا نشد: {path}";

// Unit texts
inline constexpr const char* kUnitsMisshaped =
    "The units text {text} is not of the form [force]-[length] (a bracket is missing or misplaced)"
    "||متن واحدها {text} به شکل [نیرو]-[طول] نیست (یک کروشه جا افتاده یا نابجاست)";
inline constexpr const char* kUnitsIncomplete =
    "The units text {text} does not name a force unit and a length unit"
    "||متن واحدها {text} واحد نیرو و واحد طول را نام نمی‌برد";
inline constexpr const char* kUnknownForceUnit =
    "The force unit {force} in {text} is not one of kg, ton, N, kN, Lb, kip"
    "||واحد نیروی {force} در {text} یکی از kg، ton، N، kN، Lb، kip نیست";
inline constexpr const char* kUnknownLengthUnit =
    "The length unit {length} in {text} is not one of cm, m, mm, in, ft"
    "||واحد طول {length} در {text} یکی از cm، m، mm، in، ft نیست";

}  // namespace tavo::texts
