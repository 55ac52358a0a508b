#pragma once
// Every user text of the input layer, "English||Persian"; "{name}" marks a value filled by Fill().

namespace tavo::texts {

// The input file and its working copy
inline constexpr const char* kInputMissing = "File does not exist: {path}||فایل وجود ندارد: {path}";
inline constexpr const char* kInputEmpty = "The input file is empty: {path}||فایل ورودی خالی است: {path}";
inline constexpr const char* kInputUnreadable = "The input file can't be read: {path}||فایل ورودی خوانده نمی‌شود: {path}";
inline constexpr const char* kInputNotText = "This is not a text input file: {path}||این فایل ورودی متنی نیست: {path}";
inline constexpr const char* kCopyNotWritten =
    "The working copy can't be written: {path}||نسخه کاری نوشته نمی‌شود: {path}";
inline constexpr const char* kCopyNotOpened = "The working copy can't be opened: {path}||نسخه کاری باز نمی‌شود: {path}";
inline constexpr const char* kOlderInput = "Warning! Reading an older version of Ardekon software input file ...";
inline constexpr const char* kNoElementLines = "The input file holds no element lines.||فایل ورودی هیچ سطر عضوی ندارد.";

// The count line
inline constexpr const char* kCountButNoLines =
    "The count line gives {n} elements, but the file holds no element lines"
    "||سطر تعداد {n} عضو می‌دهد، اما فایل هیچ سطر عضوی ندارد";
inline constexpr const char* kUnitsTwice =
    "UNITS is given twice {where} with different values; {fallback} is used"
    "||UNITS دو بار با مقدارهای متفاوت {where} آمده است؛ {fallback} به کار می‌رود";
inline constexpr const char* kUnitsFallback = "{problem}; {fallback} is used||{problem}؛ {fallback} به کار می‌رود";
inline constexpr const char* kNoCountLine =
    "The input has no count line (NO=columns,beams,braces UNITS=...): no elements are read"
    "||فایل ورودی سطر تعداد (NO=ستون‌ها,تیرها,مهاربندها UNITS=...) ندارد: هیچ عضوی خوانده نمی‌شود";
inline constexpr const char* kBadCounts =
    "The count line must give up to three whole numbers (columns, beams, braces), "
    "at most 10000000 elements in all: no elements are read"
    "||سطر تعداد باید حداکثر سه عدد صحیح (ستون‌ها، تیرها، مهاربندها) و روی هم حداکثر 10000000 عضو "
    "بدهد: هیچ عضوی خوانده نمی‌شود";
inline constexpr const char* kFileTwice =
    "FILE is given twice with different values; the section records are written for ETABS"
    "||FILE دو بار با مقدارهای متفاوت آمده است؛ رکوردهای مقطع برای ETABS نوشته می‌شوند";
inline constexpr const char* kUnknownFileTarget =
    "FILE={value} is not a program the section records know (SAP, ETABS); they are written for ETABS"
    "||FILE={value} برنامه‌ای نیست که رکوردهای مقطع بشناسند (SAP، ETABS)؛ برای ETABS نوشته می‌شوند";
inline constexpr const char* kUnknownCountWord =
    "The count line holds {word}, which is not one of NO=, UNITS=, FILE=: it is not read"
    "||سطر تعداد {word} را دارد که یکی از NO=، UNITS=، FILE= نیست: خوانده نمی‌شود";

// Element lines against the count
inline constexpr const char* kBlankElementLine =
    "The count line gives {n} elements, but element line {line} is blank: the list ends there and elements "
    "{line} to {n} are not read"
    "||سطر تعداد {n} عضو می‌دهد، اما سطر عضو {line} خالی است: فهرست همان‌جا تمام می‌شود و اعضای "
    "{line} تا {n} خوانده نمی‌شوند";
inline constexpr const char* kTooFewElementLines =
    "The count line gives {n} elements, but the file holds only {got} element lines"
    "||سطر تعداد {n} عضو می‌دهد، اما فایل فقط {got} سطر عضو دارد";
inline constexpr const char* kCountGivesNone =
    "The count line gives no elements: the element lines that follow are not read"
    "||سطر تعداد هیچ عضوی نمی‌دهد: سطرهای عضو پس از آن خوانده نمی‌شوند";
inline constexpr const char* kTooManyElementLines =
    "The file holds more element lines than the count line gives ({n}): the lines after element {n} are not read"
    "||فایل بیش از تعدادی که سطر تعداد می‌دهد ({n}) سطر عضو دارد: سطرهای پس از عضو {n} خوانده نمی‌شوند";
inline constexpr const char* kRepeatedIds =
    "More than one element has the ID {ids}; results and records name elements by ID"
    "||بیش از یک عضو شناسه {ids} را دارد؛ نتایج و رکوردها اعضا را با شناسه نام می‌برند";

// One element line
inline constexpr const char* kTwoLengths = "The line gives two lengths ({a}, {b})||سطر دو طول می‌دهد ({a}، {b})";
inline constexpr const char* kNoLength = "L= gives no length||L= طولی نمی‌دهد";
inline constexpr const char* kNegativeLength = "The length {length} is not a non-negative number||طول {length} عدد نامنفی نیست";
inline constexpr const char* kDecimalComma =
    "{length}: only the first value, {first}, is the member length (the decimal mark is \".\")"
    "||{length}: فقط مقدار اول، {first}، طول عضو است (ممیز اعشار \".\" است)";
inline constexpr const char* kLengthTooLarge = "The length L={first} is too large||طول L={first} بیش از حد بزرگ است";
inline constexpr const char* kNoElementId =
    "The line does not start with an element ID (a whole number): {token}"
    "||سطر با شناسه عضو (یک عدد صحیح) شروع نمی‌شود: {token}";
inline constexpr const char* kIdOutOfRange =
    "The element ID {token} is outside -32768 to 32767||شناسه عضو {token} خارج از بازه -32768 تا 32767 است";

// The settings file
inline constexpr const char* kSectionTwice =
    "The settings file {file} holds the section [{section}] twice; the first one is used."
    "||فایل تنظیمات {file} بخش [{section}] را دو بار دارد؛ اولی به کار می‌رود.";
inline constexpr const char* kSettingsUnreadable =
    "The settings file can't be read: {file}||فایل تنظیمات خوانده نمی‌شود: {file}";
inline constexpr const char* kSettingsNotSaved = "The settings could not be saved. {error}||تنظیمات ذخیره نشد. {error}";

// The forces file
inline constexpr const char* kForcesHeaderTooLong =
    "The header line of the forces file is longer than 64 KiB; no forces were read||"
    "سطر عنوان فایل نیروها از ۶۴ کیلوبایت بلندتر است؛ هیچ نیرویی خوانده نشد";
inline constexpr const char* kForcesLineTooLong =
    "Line {line} of the forces file is longer than 64 KiB; the row is skipped||"
    "سطر {line} فایل نیروها از ۶۴ کیلوبایت بلندتر است؛ این سطر کنار گذاشته شد";
inline constexpr const char* kForcesCannotOpen =
    "The forces file \"{file}\" could not be opened; no forces were read||"
    "فایل نیروها «{file}» باز نشد؛ هیچ نیرویی خوانده نشد";
inline constexpr const char* kForcesEmpty = "The forces file is empty; no forces were read||"
                               "فایل نیروها خالی است؛ هیچ نیرویی خوانده نشد";
inline constexpr const char* kForcesBinary =
    "The forces file is not a text table (it holds binary data, or was saved as UTF-16); save it as "
    "CSV text; no forces were read||"
    "فایل نیروها جدول متنی نیست (داده دودویی دارد یا با UTF-16 ذخیره شده است)؛ آن را به صورت متن CSV "
    "ذخیره کنید؛ هیچ نیرویی خوانده نشد";
inline constexpr const char* kForcesNoIdColumn =
    "The header of the forces file (line {line}) has no element ID column (ID, Element, Elem or Frame); "
    "no forces were read||"
    "سطر عنوان فایل نیروها (سطر {line}) ستون شماره عضو (ID، Element، Elem یا Frame) ندارد؛ هیچ نیرویی "
    "خوانده نشد";
inline constexpr const char* kForcesNoForceColumn =
    "The header of the forces file (line {line}) names none of the forces P, V2, V3, T, M2, M3; no forces "
    "were read||"
    "سطر عنوان فایل نیروها (سطر {line}) هیچ‌یک از نیروهای P، V2، V3، T، M2، M3 را ندارد؛ هیچ نیرویی خوانده "
    "نشد";
inline constexpr const char* kForcesDuplicateColumn =
    "Column {column} appears twice in the header of the forces file; the first one is read||"
    "ستون {column} دو بار در سطر عنوان فایل نیروها آمده است؛ اولی خوانده شد";
inline constexpr const char* kForcesNoId = "Line {line} of the forces file has no element ID; the row is skipped||"
                              "سطر {line} فایل نیروها شماره عضو ندارد؛ این سطر کنار گذاشته شد";
inline constexpr const char* kForcesBadId =
    "Line {line} of the forces file: the element ID \"{id}\" is not a whole number (digits only, at most "
    "9); the row is skipped||"
    "سطر {line} فایل نیروها: شماره عضو «{id}» عدد صحیح نیست (فقط رقم، حداکثر ۹ رقم)؛ این سطر کنار گذاشته شد";
inline constexpr const char* kForcesBadNumber =
    "Line {line} of the forces file: {column} = \"{text}\" is not a number; the row is skipped||"
    "سطر {line} فایل نیروها: مقدار {column} برابر «{text}» عدد نیست؛ این سطر کنار گذاشته شد";
inline constexpr const char* kForcesUnitlessValue =
    "Line {line} of the forces file: the unit of {column} is not known; the row is skipped||"
    "سطر {line} فایل نیروها: واحد {column} شناخته نیست؛ این سطر کنار گذاشته شد";
inline constexpr const char* kForcesUnknownUnit =
    "Unknown unit \"{unit}\" for column {column} of the forces file (known: kg, ton, N, kN, lb, kip, and "
    "for moments with cm, m, mm, ft or in, as kN-m); its values are not read||"
    "واحد «{unit}» برای ستون {column} فایل نیروها شناخته نیست (واحدهای شناخته: kg، ton، N، kN، lb، kip و "
    "برای لنگر همراه با cm، m، mm، ft یا in مانند kN-m)؛ مقادیر آن خوانده نشد";
inline constexpr const char* kForcesMomentUnitOnForce =
    "The unit \"{unit}\" of column {column} of the forces file is a moment's, but {column} is a force; its "
    "values are not read||"
    "واحد «{unit}» ستون {column} فایل نیروها واحد لنگر است ولی {column} نیرو است؛ مقادیر آن خوانده نشد";
inline constexpr const char* kForcesForceUnitOnMoment =
    "The unit \"{unit}\" of column {column} of the forces file names no length (a moment is written "
    "force-length, as kN-m); its values are not read||"
    "واحد «{unit}» ستون {column} فایل نیروها طول ندارد (واحد لنگر به صورت نیرو-طول نوشته می‌شود، مانند "
    "kN-m)؛ مقادیر آن خوانده نشد";
inline constexpr const char* kForcesBadUnitsLine =
    "The units line \"{text}\" of the forces file names no known units (as UNITS=[kN]-[m]); columns "
    "without a unit of their own are not read||"
    "سطر واحدهای فایل نیروها «{text}» واحد شناخته‌شده‌ای ندارد (مانند UNITS=[kN]-[m])؛ ستون‌هایی که واحد "
    "خود را ندارند خوانده نشدند";
inline constexpr const char* kForcesMoreProblems =
    "{count} further problems of the forces file are not listed||"
    "{count} مشکل دیگر فایل نیروها فهرست نشده است";
inline constexpr const char* kForcesMoreRowsOfElement =
    "Further rows of this element in the forces file were skipped too||"
    "سطرهای دیگری از این عضو در فایل نیروها نیز کنار گذاشته شد";

}  // namespace tavo::texts
