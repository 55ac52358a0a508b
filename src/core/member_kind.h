#pragma once
// What a member is checked as; the input's counts give each element its kind.

namespace tavo {

enum class MemberKind : int { Column = 1, Beam = 2, Bracing = 3 };

}  // namespace tavo
