// AVISOSN: OK boxes, Yes/No questions and the boxes with several buttons.
#include "core/cp850.h"
#include "screen/message_box.h"
#include "screen/ui.h"

namespace vormel::screen {

using namespace core::literals;

Answer AVISOSN(Ui& ui, const std::vector<std::string>& lines, int type, const std::vector<std::string>& buttons,
               const std::string& title) {
  Answer ans;
  if (type <= 2) {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    if (type == 0) {
      LMSGBOX(ui.con, text, title);
      return ans;
    }
    ans.yes = LMSGYN(ui.con, text, title);
    ans.letter = ans.yes ? "S" : "N";
    return ans;
  }
  std::vector<std::string> shown;
  for (const auto& l : lines)
    for (auto& piece : split_semicolons(l)) shown.push_back(piece);
  std::vector<std::string> b;
  std::string letters;
  switch (type) {
    case 3: b = {"Sim", std::string("Não"_cp), "Ignore"}; letters = "SNI"; break;
    case 4: b = {"Sim", std::string("Não"_cp), "Fim"}; letters = "SNF"; break;
    case 5: b = {"1", "2", "3"}; letters = "123"; break;
    case 7: b = {"1", "2", "3", "4", "5", "6"}; break;
    default: b = buttons; break;
  }
  const int pressed = MSGALERT(ui.con, shown, b, ui.colours.COR_ENCH_C, title, false);
  ans.button = pressed;
  if (!letters.empty()) {
    // Closed without a button counts as "Não" where the box has one.
    ans.letter = pressed >= 1 && pressed <= static_cast<int>(letters.size())
                     ? std::string(1, letters[static_cast<size_t>(pressed - 1)])
                     : "N";
  }
  return ans;
}

Answer AVISOSN(Ui& ui, std::string_view text, int type, const std::vector<std::string>& buttons,
               const std::string& title) {
  return AVISOSN(ui, std::vector<std::string>{std::string(text)}, type, buttons, title);
}

}  // namespace vormel::screen
