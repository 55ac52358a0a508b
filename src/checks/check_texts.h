#pragma once
// Every user text of the checks layer, "English||Persian"; "{name}" marks a value filled by Fill().

namespace tavo::texts {

// What is left unchecked
inline constexpr const char* kBendingNotChecked =
    "Bending not checked: no allowable bending stress is defined for this section"
    "||خمش کنترل نشد: برای این مقطع تنش مجاز خمشی تعریف نشده است";
inline constexpr const char* kNoMemberLength =
    "No member length (L=) given: slenderness and compression not checked"
    "||طول عضو (L=) داده نشده است: لاغری و فشار کنترل نشد";
inline constexpr const char* kNoSectionComputed =
    "No section could be computed from the designation: not checked||از این مشخصه مقطعی به دست نیامد: کنترل نشد";
inline constexpr const char* kBeamWithoutLength =
    "No length (L=) for this beam: it is checked as fully braced (length 0)"
    "||این تیر طول (L=) ندارد: با مهار کامل (طول صفر) بررسی می‌شود";

// Why a member is not ok
inline constexpr const char* kSlendernessNotComputable =
    "Slenderness not computable: a radius of gyration is zero||لاغری قابل محاسبه نیست: شعاع ژیراسیون صفر است";
inline constexpr const char* kCompressionSlenderness =
    "KL/r = {value}: a member in compression needs KL/r of at most 200"
    "||KL/r = {value}: عضو فشاری باید KL/r حداکثر 200 داشته باشد";
inline constexpr const char* kTensionSlenderness =
    "L/r = {value}: a member in tension needs L/r below 300||L/r = {value}: عضو کششی باید L/r کمتر از 300 داشته باشد";
inline constexpr const char* kCoverPlatesTooThick =
    "The cover plates are too thick to be welded to the flange||ورق‌های تقویتی برای جوش به بال بیش از حد ضخیم‌اند";

// The limit-state code's verdict
inline constexpr const char* kNotCoveredByCode =
    "Not covered by the limit-state code: {reason}||آیین‌نامه حالات حدی این مقطع را پوشش نمی‌دهد: {reason}";
inline constexpr const char* kRatioAboveOne =
    "Demand / capacity ratio {ratio} > 1 ({equation}, {combination})"
    "||نسبت تقاضا به ظرفیت {ratio} > 1 ({equation}، {combination})";

}  // namespace tavo::texts
