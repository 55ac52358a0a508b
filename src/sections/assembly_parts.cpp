// What the assemblies take from a designation's written parts: cover and web plates in cm and
// the spacing of doubled profiles, each checked against what the assembly can build.
#include <string>

#include "core/text_util.h"
#include "core/units.h"
#include "sections/section_assembly.h"

namespace tavo {

PlatePair CoverPlate(const WrittenDesignation& w, const AssemblyOptions& options, int plates, SectionNotes& notes) {
  if (options.alone || !w.cover.written) return {};
  const std::string shown = ShownPart(w.cover.text);
  const int written = w.cover.count == 0 ? 1 : w.cover.count;
  if (written != plates) {
    if (plates == 2)
      notes.AddWarning("\"" + shown + "\" is computed as two plates, one on each flange (+2PL)",
                       "\"" + shown + "\" به صورت دو ورق، یکی روی هر بال (+2PL)، محاسبه شد", shown);
    else
      notes.AddWarning("\"" + shown + "\" is computed as one gusset plate between the two profiles (+PL)",
                       "\"" + shown + "\" به صورت یک ورق اتصال میان دو پروفیل (+PL) محاسبه شد", shown);
  }
  // A plate written with a zero size is no plate: say so rather than drop it.
  return {CheckedDimension(w.cover.first / 10, "bpl", true, notes),
          CheckedDimension(w.cover.second / 10, "tpl", true, notes)};
}

PlatePair WebPlates(const WrittenDesignation& w, const AssemblyOptions& options, SectionNotes& notes) {
  if (options.alone || !w.web.written) return {};
  return {CheckedDimension(w.web.first / 10, "wb", true, notes), CheckedDimension(w.web.second / 10, "wt", true, notes)};
}

double SpacingAtLeast(double minimum, const WrittenDesignation& w, const AssemblyOptions& options,
                      SectionNotes& notes) {
  double d = SpacingCm(w, options.lengthFactor, notes);
  if (d > 0 && d < minimum - 1e-9) {
    // The profiles cannot come closer than touching; the smallest spacing is the safe reading.
    const std::string shown = ShownPart(w.spacing.text), least = ShortestText(RoundTo(minimum, 2));
    notes.AddWarning("The spacing \"" + shown + "\" is below the smallest possible, " + least +
                         " cm (the profiles touch); " + least + " cm is used",
                     "فاصله \"" + shown + "\" از کمترین فاصله ممکن، " + least + " سانتیمتر (تماس پروفیل‌ها)، کمتر است؛ " +
                         least + " سانتیمتر به کار رفت",
                     shown);
  }
  if (d < minimum) d = minimum;
  return RoundTo(d, 2);
}

}  // namespace tavo
