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

// The limit-state code's lines in a member's report
inline constexpr const char* kLimitStateHeading =
    "Limit-state code AISC 360-16, {method}||آیین‌نامهٔ حالات حدی AISC 360-16، روش {method}";
inline constexpr const char* kRatiosHeading = "Width-to-thickness ratios||نسبت‌های پهنا به ضخامت";
inline constexpr const char* kClassSeparator = ", ||، ";
inline constexpr const char* kRatioLine = "{element}: {ratio}";
inline constexpr const char* kRatioCompressionLine = "compression: {compression}||فشار: {compression}";
inline constexpr const char* kRatioFlexureLine = "flexure: {flexure}||خمش: {flexure}";
inline constexpr const char* kLimitStatesHeading = "Limit states||حالات حدی";
inline constexpr const char* kStrengthLine =
    "Rn = {nominal}, {factor}, {availableName} = {available}||Rn = {nominal}، {factor}، {availableName} = {available}";
inline constexpr const char* kDemandLine =
    "demand = {demand}, ratio = {ratio} ({combination})||تقاضا = {demand}، نسبت = {ratio} ({combination})";
inline constexpr const char* kInteractionLine = "ratio = {ratio} ({combination})||نسبت = {ratio} ({combination})";
// The Persian mark points right, at its line; the comma in brackets stays a Latin one so that
// the equation and the combination read as one left-to-right piece.
inline constexpr const char* kGoverningMark = "  ◄ governs||  ► حاکم";
inline constexpr const char* kGoverningRatio =
    "Governing ratio {ratio} ({equation}, {combination})||نسبت حاکم {ratio} ({equation}, {combination})";
inline constexpr const char* kNoForces =
    "No forces for this element: strengths only||برای این عضو نیرویی داده نشده است: فقط مقاومت‌ها";
inline constexpr const char* kLimitStateNotes = "Notes||یادداشت‌ها";

// Strength groups of the limit states, in the order of aisc::Strength
inline constexpr const char* kStrengthCaptions[] = {
    "Axial compression (Pc)||فشار محوری (Pc)",
    "Axial tension (Pt)||کشش محوری (Pt)",
    "Flexure about the strong axis (M3)||خمش حول محور قوی (M3)",
    "Flexure about the weak axis (M2)||خمش حول محور ضعیف (M2)",
    "Shear along the web (V2)||برش در امتداد جان (V2)",
    "Shear across the web (V3)||برش عمود بر جان (V3)",
    "Combined forces (H1)||اندرکنش نیروها (H1)",
    "Torsion (T)||پیچش (T)",
    "Flexure about the strong axis, negative moment (M3-)||خمش حول محور قوی، لنگر منفی (M3-)",
};

// The words of the limit-state lines in Persian: the names of limit states, plate elements and
// classes, and the words that qualify them. A name is translated phrase by phrase, the longest
// phrase first; what no phrase covers (symbols, equations) stays as the check wrote it.
struct NamePair {
  const char* english;
  const char* persian;
};
inline constexpr NamePair kLimitStatePhrases[] = {
    // limit states
    {"Tensile yielding", "تسلیم کششی"},
    {"Tensile rupture", "گسیختگی کششی"},
    {"Flexural buckling", "کمانش خمشی"},
    {"Torsional buckling", "کمانش پیچشی"},
    {"Flexural-torsional buckling", "کمانش خمشی-پیچشی"},
    {"Lateral-torsional buckling", "کمانش جانبی-پیچشی"},
    {"Local buckling", "کمانش موضعی"},
    {"Flange local buckling", "کمانش موضعی بال"},
    {"Compression flange local buckling", "کمانش موضعی بال فشاری"},
    {"Flange overhang local buckling", "کمانش موضعی لبهٔ آزاد بال"},
    {"Web local buckling", "کمانش موضعی جان"},
    {"Leg local buckling", "کمانش موضعی بال نبشی"},
    {"Stem local buckling", "کمانش موضعی جان سپری"},
    {"Yielding", "تسلیم"},
    {"Compression flange yielding", "تسلیم بال فشاری"},
    {"Tension flange yielding", "تسلیم بال کششی"},
    {"Shear yielding", "تسلیم برشی"},
    {"Shear buckling", "کمانش برشی"},
    {"Shear yielding and buckling", "تسلیم و کمانش برشی"},
    {"Web shear yielding and buckling", "تسلیم و کمانش برشی جان"},
    {"Web and flange shear", "برش جان و بال"},
    {"Flange shear", "برش بال"},
    {"Shear", "برش"},
    {"Torsion", "پیچش"},
    {"Interaction", "اندرکنش"},
    {"Combined axial force and flexure", "اندرکنش نیروی محوری و خمش"},
    {"Combined force and torsion", "اندرکنش نیروها و پیچش"},
    {"Torsional yielding", "تسلیم پیچشی"},
    // what qualifies them
    {"about the strong axis", "حول محور قوی"},
    {"about the weak axis", "حول محور ضعیف"},
    {"about", "حول"},
    {"with slender elements", "با اجزای لاغر"},
    {"no buckling length", "بدون طول کمانش"},
    {"built-up", "مقطع ساخته‌شده"},
    {"elastic", "الاستیک"},
    {"inelastic", "غیرالاستیک"},
    {"negative M3", "لنگر منفی M3"},
    {"slender wall", "دیوارهٔ لاغر"},
    {"noncompact wall", "دیوارهٔ غیرفشرده"},
    // classes
    {"nonslender", "غیرلاغر"},
    {"slender", "لاغر"},
    {"compact", "فشرده"},
    {"noncompact", "غیرفشرده"},
    // plate elements
    {"flange", "بال"},
    {"flanges", "بال‌ها"},
    {"flange 1", "بال اول"},
    {"flange 2", "بال دوم"},
    {"flange overhangs", "لبه‌های آزاد بال"},
    {"web", "جان"},
    {"webs", "جان‌ها"},
    {"web 1", "جان اول"},
    {"web 2", "جان دوم"},
    {"web plate", "ورق جان"},
    {"wall", "دیواره"},
    {"walls", "دیواره‌ها"},
    {"leg", "بال نبشی"},
    {"legs", "بال‌های نبشی"},
    {"legs back to back", "بال‌های پشت به پشت"},
    {"stem", "جان سپری"},
    {"tee", "سپری"},
    {"tee stems at the openings", "جان سپری‌ها در محل بازشوها"},
    {"cover plate", "ورق تقویتی"},
    {"cover plate between profiles", "ورق تقویتی بین نیمرخ‌ها"},
    {"cover plate overhang on", "لبهٔ آزاد ورق تقویتی روی"},
    {"compressed part", "بخش فشاری"},
    {"compression", "فشاری"},
    {"tension", "کششی"},
    {"flexure", "خمش"},
    {"under", "زیر"},
};
}  // namespace tavo::texts
