// NOVA_ROTA: the dialog that asks for the work-file folder or the folder of the tax
// authority's program.
#include <variant>

#include "core/cp850.h"
#include "core/text.h"
#include "screen/colour.h"
#include "shell/work_folders.h"

namespace vormel::shell {

using core::Key;
using namespace core::literals;

namespace {

constexpr screen::Rect kDialog{1, 1, 5, 78};
constexpr int kShown = 76;     // the inside of the frame
constexpr int kStandardShown = 60;

}  // namespace

std::string NOVA_ROTA(FolderContext& c, const std::string& current, const std::string& word, int width) {
  screen::Ui& ui = c.ui;
  screen::Console& con = ui.con;
  screen::Grid& grid = con.grid();
  const bool irpf = core::trim(word) == "IRPF";
  const std::string title = core::trim(word) == "VORMEL" ? "Pasta de Trabalho dos arquivos auxiliares"
                                                         : "Local do programa da Receita";
  screen::Dialog& dialog = con.show_dialog(kDialog, title);
  dialog.colour = screen::ACHACOR(ui.colours.COR_TEL1);
  dialog.status.emplace();
  dialog.status->add("");
  con.draw_dialog(dialog);
  grid.box(kDialog, screen::attr_of(screen::ACHACOR(ui.colours.COR_TEL2)));
  const int row = kDialog.top + 1, col = kDialog.left + 1;

  bool standard = false;  // Alt+P was pressed
  if (irpf) {
    con.status_text(std::string("Pasta vazia não transfere p/a Receita. ALT P preenche com o Padrão"_cp));
    con.set_key(Key::alt('P'), [&] {
      standard = true;
      con.push_key(Key(Key::Enter));
    });
  }

  std::string result = current;
  for (;;) {
    grid.write(row, col, core::pad_right(current, kShown), screen::attr_of(ui.colours.COR_2_CLI));
    core::Value answer(std::string(size_t(width), ' '));
    standard = false;
    auto field = screen::FieldSpec::at(row + 2, col, &answer, width > kShown ? "@S76" : "", width);
    if (screen::edit_field(ui, field) == Key(Key::Esc)) break;
    std::string typed = core::trim(std::get<std::string>(answer));
    if (standard) {
      typed = DIRPADRAO();
      grid.write(row + 2, col, core::pad_right(typed.substr(0, kStandardShown), kShown),
                 screen::attr_of(screen::colour_part(con.colour, 1)));
    }
    if (typed.empty()) {
      // Only the tax program's folder may be left empty: then nothing is sent to it.
      if (irpf) {
        screen::AVISOSN(ui, std::string("Ao deixar em branco NÃO haverá transferência para o programa da receita!"_cp), 0);
        result.clear();
      }
      break;
    }
    auto folder = typed_folder(ui, typed);
    if (!folder) continue;
    if (is_drive_path(typed) && typed.size() <= 3) {
      result = core::BAR_DIR(*folder);  // a whole drive
      break;
    }
    if (!CRI_NDIR(ui, *folder, word)) continue;
    result = *folder;
    break;
  }
  con.close_dialog();
  if (irpf) con.clear_key(Key::alt('P'));
  return core::pad_right(result, size_t(width));
}

}  // namespace vormel::shell
