// Section 40: the terminal's folder list (DIRET + terminal, work area 50) in the "Pastas"
// dialog. The list's own rules are here; what a chosen or typed folder does is the
// shell's, handed in as the two checks.
#include "core/cp850_literal.h"
#include "core/text.h"
#include "entry/item_editor.h"
#include "entry/validation.h"

namespace vormel::entry {

using core::Value;
using namespace core::literals;

namespace {

std::string text_of(const CellEdit& e) {
  return core::is_text(e.value) ? core::trim(std::get<std::string>(e.value)) : std::string();
}

}  // namespace

Section folder_list_section(Check select, Check folder) {
  Section s;
  s.number = 40;
  s.area = 50;
  s.dialog = "Pastas";
  s.window = {2, 16, 18, 73};
  s.wrap = 2;
  s.keys = keys_for(40);
  Column sel = Column::of("Sel", "SELEC", "@!");
  // "S" makes the folder the current one (the shell's); "N" or blank are taken as they are.
  sel.check = [select](CellEdit& e) {
    const std::string v = text_of(e);
    if (v == "S") return !select || select(e);
    if (v.empty() || v == "N") return true;
    screen::AVISOSN(e.ui, ESIMOUNAO(v).notice, 0);
    return false;
  };
  // Paths are kept as typed: folder names on Linux tell upper from lower case.
  Column path = Column::of("Drive e Pasta", "DIRETOR", "@S52", 52);
  path.check = [folder](CellEdit& e) {
    if (text_of(e).empty()) {
      screen::AVISOSN(e.ui, std::string("É necessário preencher o nome da Pasta"_cp), 0);
      return false;
    }
    return !folder || folder(e);
  };
  s.columns = {sel, path};
  return s;
}

}  // namespace vormel::entry
