#pragma once
// Every bilingual user text of the command line, "English||Persian"; "{name}" marks a value
// filled by Fill().

namespace tavo::texts {

// The input file argument
inline constexpr const char* kNoInputGiven = "No input file was given||فایل ورودی داده نشده است";
inline constexpr const char* kInputIsFolder = "{path} is a folder, not an input file||{path} یک پوشه است، نه فایل ورودی";
inline constexpr const char* kNotAnInputName =
    "{path} is not an input file: an input file's name ends in .Ardekon"
    "||{path} فایل ورودی نیست: نام فایل ورودی به .Ardekon ختم می‌شود";
inline constexpr const char* kNamedInputIsFolder =
    "{path}.Ardekon is a folder, not an input file||{path}.Ardekon یک پوشه است، نه فایل ورودی";

// Runs and reports
inline constexpr const char* kPassEndsOnBlank =
    "Element line {n} is blank: the pass ends there.||سطر عضو {n} خالی است: بررسی همان‌جا پایان می‌یابد.";
inline constexpr const char* kNoSuchElement = "No element with ID {id} in {file}||عضوی با شناسه {id} در {file} نیست";
inline constexpr const char* kBuiltInFormulas =
    "{error}; the built-in formula template is used.||{error}؛ الگوی فرمول داخلی برنامه به کار می‌رود.";
inline constexpr const char* kNoForcesFile =
    "no such forces file; nothing was checked||چنین فایل نیرویی نیست؛ هیچ عضوی بررسی نشد";
inline constexpr const char* kForcesNotRead =
    "forces are read by the limit-state code only (--code aisc360-lrfd or aisc360-asd); not read"
    "||نیروها فقط در آیین‌نامه حالت حدی خوانده می‌شوند (--code aisc360-lrfd یا aisc360-asd)؛ خوانده نشد";
inline constexpr const char* kSavedAs = "File was saved as {path}||فایل با نام {path} ذخیره شد";

}  // namespace tavo::texts
