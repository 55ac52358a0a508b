#pragma once
#include <string>

#include "core/bidi.h"

// The windows' own texts, English and Persian, picked by PickLanguage where they are shown.
namespace tavo::ui::texts {

// --- Frame menus ---------------------------------------------------------------------
inline constexpr const char* kMenuFile = "File||فایل";
inline constexpr const char* kMenuNew = "New||جدید";
inline constexpr const char* kMenuOpen = "Open||باز کردن";
inline constexpr const char* kMenuNextID = "Next ID||عضو بعدی";
inline constexpr const char* kMenuPreviousID = "Previous ID||عضو قبلی";
inline constexpr const char* kMenuPrint = "Print||چاپ";
inline constexpr const char* kMenuExit = "Exit||خروج";
inline constexpr const char* kMenuEdit = "Edit||ویرایش";
inline constexpr const char* kMenuCut = "Cut||برش";
inline constexpr const char* kMenuCopy = "Copy||رونوشت";
inline constexpr const char* kMenuPaste = "Paste||چسباندن";
inline constexpr const char* kMenuDelete = "Delete||حذف";
inline constexpr const char* kMenuView = "View||نمایش";
inline constexpr const char* kMenuShowGrid = "Show Grid||نمایش شبکه";
inline constexpr const char* kMenuTools = "Tools||ابزارها";
inline constexpr const char* kMenuCalculator = "Calculator||ماشین حساب";
inline constexpr const char* kMenuConstants = "Constants||ثابت‌ها";
inline constexpr const char* kMenuDXF = "Make DXF (Autocad)||ساخت فایل DXF (اتوکد)";
inline constexpr const char* kMenuOptions = "Options||گزینه‌ها";
inline constexpr const char* kMenuFont = "Font||قلم";
inline constexpr const char* kMenuFontFarsiUnicode = "Farsi (Unicode)||فارسی (یونیکد)";
inline constexpr const char* kMenuFontFarsiFont = "Farsi (Font)||فارسی (قلم)";
inline constexpr const char* kMenuFontEnglish = "English||انگلیسی";
inline constexpr const char* kMenuColor = "Color||رنگ";
inline constexpr const char* kMenuHelp = "Help||راهنما";
inline constexpr const char* kMenuHelp1 = "Help||راهنما";
inline constexpr const char* kMenuCalculation = "Calculation||راهنمای محاسبات";
inline constexpr const char* kMenuAbout = "About||درباره";

// --- Frame toolbar: caption and tooltip ----------------------------------------------------
inline constexpr const char* kTbBack = "Back||قبلی";
inline constexpr const char* kTbForward = "Forward||بعدی";
inline constexpr const char* kTbHome = "Home||فهرست";
inline constexpr const char* kTbInformation = "Information||اطلاعات";
inline constexpr const char* kTbPrint = "Print||چاپ";
inline constexpr const char* kTbCalculator = "Calculator||ماشین حساب";
inline constexpr const char* kTbHelp = "Help||راهنما";
inline constexpr const char* kTbStop = "Stop||توقف";
inline constexpr const char* kTbStopTip = "Stop and return to main menu||توقف و بازگشت به منوی اصلی";
inline constexpr const char* kTbResults = "Results||نتایج";
inline constexpr const char* kTbResultsTip = "Show Result Tables||نمایش جدول‌های نتایج";
inline constexpr const char* kTbUnits = "Units||واحدها";
inline constexpr const char* kTbUnitsTip = "Change Units||تغییر واحدها";
inline constexpr const char* kTbAutocad = "Autocad||اتوکد";
inline constexpr const char* kTbAutocadTip = "Generates DXF File for AutoCAD||ساخت فایل DXF برای اتوکد";

// --- Exit ----------------------------------------------------------------------------
inline constexpr const char* kExitQuestion =
    "You are about to stop this module and return to the main menu. Are You Sure?"
    "||شما در حال توقف این بخش و بازگشت به منوی اصلی هستید. آیا مطمئن هستید؟";
inline constexpr const char* kExitTitle = "Exiting...||در حال خروج";

// --- Start-up and trap ------------------------------------------------------------------
inline constexpr const char* kHelpMissing =
    "Help file does not exist for this module!||فایل راهنما برای این بخش وجود ندارد!";
inline constexpr const char* kCalculatorMissing =
    "No calculator program was found. Install one of gnome-calculator, kcalc, galculator, qalculate-gtk or xcalc."
    "||برنامه ماشین حساب پیدا نشد. یکی از gnome-calculator، kcalc، galculator، qalculate-gtk یا xcalc را نصب کنید.";

// --- Constants window ---------------------------------------------------------------------
inline constexpr const char* kConstantsCaption = "Design Constants||ثابت‌های طراحی";
inline constexpr const char* kConstantsGroup = "Design constants||ثابت‌های طراحی";
inline constexpr const char* kClickUnits = "Click to change display units||برای تغییر واحدهای نمایش کلیک کنید";
inline constexpr const char* kContinue = "Continue||ادامه";
inline constexpr const char* kDesignCodeHelp = "Design code||آیین‌نامه طراحی";
inline constexpr const char* kDesignCodeHelpTip =
    "Help on the allowable-stress rules of the design code||راهنمای ضوابط تنش مجاز آیین‌نامه طراحی";
inline constexpr const char* kDesignCodeHelpMissing =
    "The design code help is not installed.||راهنمای آیین‌نامه طراحی نصب نشده است.";
inline constexpr const char* kRecheck =
    "Please recheck your constants! Do you want to recheck now?||لطفاً ثابت‌ها را دوباره بررسی کنید! آیا هم‌اکنون بررسی می‌کنید؟";
inline constexpr const char* kWarningTitle = "Warning!||هشدار!";
inline constexpr const char* kOkStatus = "Ok.||درست است.";
inline constexpr const char* kConstantsHint =
    "Move your mouse over the constants on the left to see the definition for each constant."
    "||برای دیدن تعریف هر ثابت، نشانگر موس را روی ثابت‌های سمت چپ ببرید.";
// "System Units: " & the unit text, in both languages.
inline std::string SystemUnits(const std::string& units) {
  // The unit text keeps its left-to-right order inside the Persian sentence.
  return "System Units: " + units + "||واحدهای سیستم: " + IsolateLtr(units);
}

inline constexpr const char* kResultsProgress = "Writing the result tables...||در حال نوشتن جدول‌های نتایج...";

// --- Batch pass and element list --------------------------------------------------------------
inline constexpr const char* kProgressCaption = "Designing the elements...||در حال طراحی اعضا...";
inline constexpr const char* kCancel = "Cancel||انصراف";
inline constexpr const char* kNotOk = "Design is not OK!||طراحی مناسب نیست!";
inline constexpr const char* kErrorPrefix = "Error: ||خطا: ";
inline constexpr const char* kWarningPrefix = "Warning: ||هشدار: ";
inline constexpr const char* kStatusError = "error, no verdict||خطا، بدون نتیجهٔ طراحی";
inline constexpr const char* kStatusWarning = "with warnings||دارای هشدار";
inline constexpr const char* kElementListCaption = "Elements||اعضا";
// Shown as one message, without the bilingual pick.
inline constexpr const char* kTooManyEnglish = "Too many elements to display!";
inline constexpr const char* kTooManyPersian = "تعداد اعضا برای نمایش زیاد است! فقط ";
inline constexpr const char* kTooManyPersianEnd = " عضو نمایش داده می‌شود.";

// --- Editor ------------------------------------------------------------------------------
inline constexpr const char* kEditorCaption = "Section||مقطع";
inline constexpr const char* kEnterHint = "After editing, press Enter to continue||پس از ویرایش، برای ادامه Enter را بزنید";
inline constexpr const char* kStepTip = "Left click: +, right click: -||کلیک چپ: افزایش، کلیک راست: کاهش";
inline constexpr const char* kNotANumber = "Please type a number.||لطفاً یک عدد وارد کنید.";
inline constexpr const char* kSave = "Save||ذخیره";
inline constexpr const char* kSaveTip = "Save the report as a rich-text file||ذخیره گزارش به صورت فایل RTF";
inline constexpr const char* kOutputFileName = "Output File Name?||نام فایل خروجی؟";
inline constexpr const char* kOutputFileTitle = "Output File||فایل خروجی";
inline constexpr const char* kTabProperties = "Properties||مشخصات";
inline constexpr const char* kTabFormulas = "Formulas||روابط";
inline constexpr const char* kTabHeadings = "Summary||خلاصه";
inline constexpr const char* kParameters = "Parameters||پارامترها";

// --- Drawing window ----------------------------------------------------------------------
inline constexpr const char* kDetailing = "Detailing||جزئیات";
inline constexpr const char* kZoom = "Zoom||بزرگنمایی";
inline constexpr const char* kZoomBack = "Zoom Back||کوچک‌نمایی";
inline constexpr const char* kOriginalSize = "Original Size||اندازه اصلی";
inline constexpr const char* kWindowZoom = "Window Zoom||بزرگنمایی پنجره‌ای";
inline constexpr const char* kVerdictOk = "Design is OK||طراحی مناسب است";

// --- Table entry ---------------------------------------------------------------------------
inline constexpr const char* kEnterCaption = "Element table entry||ورود جدولی اعضا";
inline constexpr const char* kEnterTitle = "Title||عنوان";
inline constexpr const char* kEnterVariables = "Variables||متغیرها";
inline constexpr const char* kEnterTable = "Dimensions||ابعاد";
inline constexpr const char* kEnterLine = "Element line||سطر عضو";
inline constexpr const char* kEnterAdd = "Add||افزودن";
inline constexpr const char* kEnterAddTip = "Keep this element and enter the next||نگه‌داشتن این عضو و ورود عضو بعدی";
inline constexpr const char* kEnterFinish = "Finish||پایان";
inline constexpr const char* kEnterGoTip =
    "Write the input file and design the elements||نوشتن فایل ورودی و طراحی اعضا";
inline constexpr const char* kEnterUnitsWarning =
    "Warning! Please change the units only when ID=1; otherwise, the new unit settings will be applied to all the "
    "previous IDs.\r\nDo you still want to set the units?"
    "||هشدار! لطفاً واحدها را فقط هنگامی تغییر دهید که ID=1 است؛ در غیر این صورت تنظیمات جدید واحدها بر همهٔ "
    "IDهای قبلی اعمال می‌شود.\r\nآیا همچنان می‌خواهید واحدها را تنظیم کنید؟";
inline constexpr const char* kEnterWriteFailed =
    "The input file could not be written; it is left as it was. ||فایل ورودی نوشته نشد؛ همان‌گونه که بود باقی ماند. ";

// --- Units dialog ----------------------------------------------------------------------------
inline constexpr const char* kUnitsTitle = "Units||واحدها";
inline constexpr const char* kUnitsHeading = "Display units||واحدهای نمایش";
inline constexpr const char* kForce = "Force||نیرو";
inline constexpr const char* kLength = "Length||طول";
inline constexpr const char* kOk = "OK||تأیید";

// --- Message box buttons -------------------------------------------------------------------
inline constexpr const char* kYes = "Yes||بله";
inline constexpr const char* kNo = "No||خیر";

// --- Files -----------------------------------------------------------------------------------
inline constexpr const char* kMenuRecent = "Recent files||پرونده‌های اخیر";
inline constexpr const char* kMenuSaveInput = "Save input||ذخیره ورودی";
inline constexpr const char* kOpenTitle = "Open input file||باز کردن فایل ورودی";
inline constexpr const char* kOpenFilter = "Input files (*.Ardekon *.ardekon)||فایل‌های ورودی (*.Ardekon *.ardekon)";
inline constexpr const char* kNoRecent = "(none)||(هیچ)";
inline constexpr const char* kNotInputFile =
    "Only input files (.Ardekon) can be opened: ||فقط فایل‌های ورودی (.Ardekon) باز می‌شوند: ";
inline constexpr const char* kOpenMissing = "The file does not exist: ||این فایل وجود ندارد: ";

}  // namespace tavo::ui::texts
