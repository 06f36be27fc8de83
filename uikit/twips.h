// Twips (1440 to the inch, 15 to the pixel at 96 dpi) and their conversion to pixels.
#pragma once

#include <cmath>

namespace kelvane::ui {

constexpr double TwipsPerPixel = 15.0;

// Pixels for a length in twips at a scale (1.0 = the designed size).
inline int Px(double twips, double scale = 1.0) { return static_cast<int>(std::lround(twips * scale / TwipsPerPixel)); }
// Twips for a length in pixels at a scale.
inline double Twips(double pixels, double scale = 1.0) { return pixels * TwipsPerPixel / scale; }

}  // namespace kelvane::ui
