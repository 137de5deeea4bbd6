// Section 11: the notes and pending items of a declaration, one text column. Ins puts a
// blank note before the current one, Alt+L several after it; pasted lines become notes.
#include "core/cp850_literal.h"
#include "core/text.h"
#include "entry/item_editor.h"

namespace vormel::entry {

using namespace core::literals;

Section notes_section(const EditContext& context, int mode) {
  Section s;
  s.number = 11;
  s.columns = {Column::of(std::string("           Notas e observações"_cp), "OBSERV", "@S77")};
  s.wrap = 1;
  s.declaration_rows = true;
  s.insert = InsertRule::Before;
  s.insert_question = "Insere uma linha ANTES desse Item?";
  s.clip_field = "OBSERV";
  s.clip_piece = 61;
  s.message = std::string("Anote informações. INS=Inclui ALT L inclui n linhas. Ctrl Enter vai p/ erro."_cp);
  s.keys = keys_for(11);
  if (context.declaration) {
    s.area = 31;  // the working copy of IMP11
    if (mode == 1) {
      s.window = {3, 3, 15, 77};  // inside a box on rows 2-16, columns 2-78
      s.frame = 1;
    } else {
      s.window = {9, 3, 22, 77};  // the lower box of screen 11
    }
  } else {
    // The folder's notes of the client.
    s.area = 11;
    const std::string cpf = context.cpf;
    s.filter = [cpf](storage::WorkArea& a) { return core::trim(a.text("CPF")) == core::trim(cpf); };
    s.window = {2, 2, 20, 76};  // inside a box on rows 1-21, columns 1-77
    s.frame = 1;
  }
  return s;
}

}  // namespace vormel::entry
