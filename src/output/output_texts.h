#pragma once
// Every bilingual user text of the output layer, "English||Persian"; "{name}" marks a value
// filled by Fill().

namespace tavo::texts {

// Member kinds and section classes in the report
inline constexpr const char* kColumn = "Column||ستون";
inline constexpr const char* kBeam = "Beam||تیر";
inline constexpr const char* kBracing = "Bracing||مهاربند";
inline constexpr const char* kCompact = "Compact||این مقطع فشرده";
inline constexpr const char* kNonCompact = "Non Compact||این مقطع غیرفشرده";
inline constexpr const char* kSlender = "Slender !||این مقطع لاغر";

// Lines of a member's report
inline constexpr const char* kMemberHeading = "{kind}:   ID = {id}||{kindFa}:   شناسه = {id}";
inline constexpr const char* kNotCheckedFixInput = "Not checked: correct the input first.||بررسی نشد: ابتدا ورودی را اصلاح کنید.";
inline constexpr const char* kFbNotComputed = "not computed for this section||برای این مقطع محاسبه نمی‌شود";
inline constexpr const char* kFaNotComputable =
    "slenderness not computable (a radius of gyration is zero)||لاغری قابل محاسبه نیست (شعاع ژیراسیون صفر است)";
inline constexpr const char* kPlateNotOk = "Plate thickness (tpl) is not ok!;||ضخامت ورق (tpl) مناسب نیست!;";

// Result tables: the group captions on screen
inline constexpr const char* kGroupElement = "Element||شناسه عضو";
inline constexpr const char* kGroupAreas = "Area and shear areas||مساحت و سطوح برشی";
inline constexpr const char* kGroupTorsionInertia = "Torsion constant and inertia||ثابت پیچشی و ممان اینرسی";
inline constexpr const char* kGroupElasticModuli = "Elastic moduli||اساس مقطع الاستیک";
inline constexpr const char* kGroupPlasticModuli = "Plastic moduli||اساس مقطع پلاستیک";
inline constexpr const char* kGroupRadii = "Radii of gyration||شعاع ژیراسیون";
inline constexpr const char* kGroupLimitStates = "Limit-state code||آیین‌نامه حالت حدی";

// Templates and result files
inline constexpr const char* kFormulasNotInStore =
    "The formula template {name} is not in {where}; the built-in one is used."
    "||الگوی فرمول {name} در {where} نیست؛ الگوی داخلی برنامه به کار می‌رود.";
inline constexpr const char* kFormulationError = "Error in Formulation!||خطا در فرمول‌نویسی!";
inline constexpr const char* kResultsNotWritten =
    "The result files could not be written: {error}. The previous result files are kept."
    "||فایل‌های نتایج نوشته نشد: {error}. فایل‌های نتایج قبلی دست‌نخورده مانده‌اند.";
inline constexpr const char* kTableTemplateMissing = "File Does not Exist!||فایل وجود ندارد!";

}  // namespace tavo::texts
