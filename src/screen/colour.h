// Colour strings ("GR+/B", "N/W*", "W+/B,N/W,…") and attribute numbers (fg + 16 × bg).
// Bright backgrounds are on (no blinking), so "*" or "+" on either side means bright.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace vormel::screen {

using Attr = uint8_t;

// ACHACOR: attribute number 0–255 → colour string ("GR+/B" for 30, "N+/W+" for 248).
std::string ACHACOR(int attribute);
// The attribute of a colour string; for a colour set, its first (normal) colour.
// An unreadable string gives 7 (W/N).
Attr attr_of(std::string_view colour);
// The n-th (0-based) colour of a colour set, "" when it has fewer.
std::string colour_part(std::string_view set, int n);

}  // namespace vormel::screen
