#pragma once
// A colour as the drawing surfaces and the windows take it.

namespace tavo {

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

}  // namespace tavo
