#include "entry/screen_frames.h"

namespace vormel::entry {

Frame screen_frame(int screen, int item, const core::Record& vars) {
  switch (screen) {
    case 1: return legal_entity_income_frame(item);
    case 2: return individual_income_frame(item, vars);
    case 3: return exempt_income_frame(item);
    case 4: return payments_frame(item);
    case 5: return assets_frame(item, vars);
    case 6: return identification_frame(vars);
    case 7: return calculation_frame(vars);
    case 8: return capital_gain_frame(item, vars);
    case 10: return balance_frame(vars);
    case 11: return status_frame();
    case 22: case 23: return zoom_frame(screen, item);
    default:
      if (screen >= 12 && screen <= 17) return rural_frame(screen, vars);
      return Frame{};  // screen 9 and anything unknown: nothing drawn
  }
}

}  // namespace vormel::entry
