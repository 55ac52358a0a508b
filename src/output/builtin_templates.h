#pragma once
// The formula and table templates compiled into the program (the same files the stores are
// built from): the defined default when a store or its row is missing.
#include <string_view>

namespace tavo {

std::string_view BuiltinFormulaTemplate();
std::string_view BuiltinTableTemplate();

}  // namespace tavo
