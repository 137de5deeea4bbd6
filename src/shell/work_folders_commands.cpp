// The menu commands that choose the terminal's folders: the folder list (15), the
// work-file folder (21) and the folder of the tax authority's program (67), the last two
// stored in CONFIG at once.
#include "core/text.h"
#include "shell/application.h"
#include "shell/settings.h"
#include "shell/work_folders.h"

namespace vormel::shell {

namespace {
constexpr int kFolderWidth = 80;  // DIRTRAB and ROTAJAVA in CONFIG
}  // namespace

void Application::work_file_folder() {
  FolderContext c{ui_, db_, g_};
  g_.DIRTRAB = core::trim(NOVA_ROTA(c, core::trim(g_.DIRTRAB), " VORMEL", kFolderWidth));
  g_.LOCTRAB = core::BAR_DIR(g_.DIRTRAB);
  write_config(db_, g_, {"DIRTRAB"});
}

void Application::folders_dialog() {
  FolderContext c{ui_, db_, g_};
  if (MOS_DIR(c)) TELA_INICIAL();  // the main screen shows the new work folder
}

void Application::irpf_folder() {
  FolderContext c{ui_, db_, g_};
  const std::string folder = core::trim(NOVA_ROTA(c, core::trim(g_.CONFIG.text("ROTAJAVA")), " IRPF", kFolderWidth));
  // Empty: no declaration can be sent to the tax authority's program.
  g_.LOCIRPF = folder.empty() ? std::string() : core::BAR_DIR(folder);
  g_.CONFIG.set_text("ROTAJAVA", g_.LOCIRPF);
  write_config(db_, g_, {"ROTAJAVA"});
}

}  // namespace vormel::shell
