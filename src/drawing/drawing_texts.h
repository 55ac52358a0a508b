#pragma once
// Every user text of the drawing layer, "English||Persian".

namespace tavo::texts {

// Drawing warnings
inline constexpr const char* kEnlargeDpl = "Warning! Enlarge dpl!||هشدار! فاصله ورق‌های جان (dpl) را بیشتر کنید!";

}  // namespace tavo::texts
