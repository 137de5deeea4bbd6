// The "Pastas" dialog: the terminal's folder list in the list editor, where a folder is
// added, changed, or marked to become the current one.
#include "core/text.h"
#include "entry/item_editor.h"
#include "shell/work_folders.h"

namespace vormel::shell {

bool MOS_DIR(FolderContext& c) {
  const std::string before = c.g.LOCARQ;
  entry::EditContext context;
  entry::Section list_section = entry::folder_list_section(
      [&c](entry::CellEdit& e) { return check_selection(c, e.value, e.new_row); },
      [&c](entry::CellEdit& e) { return check_folder(c, e.value); });
  entry::EDITA(c.ui, c.db, list_section, context);
  // A mark typed on a row that did not exist yet: the folder becomes current now.
  storage::WorkArea& list = c.db.area(50);
  if (list.used())
    for (list.go_top(); !list.eof(); list.skip())
      if (list.text("SELEC") == "S" && !same_folder(core::trim(list.text("DIRETOR")), c.g.LOCARQ)) {
        TROCASIM(c, 1);
        break;
      }
  return !same_folder(before, c.g.LOCARQ);
}

}  // namespace vormel::shell
