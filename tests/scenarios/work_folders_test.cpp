// The terminal's folders chosen from the menu: the work-file folder (Opções, Local de
// trabalho) and the tax authority program's folder (Envia p/ Receita), stored at once.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "harness.h"
#include "storage/database.h"

namespace {

using scenario::Program;
using scenario::run;

using scenario::contains;

Program vormel_in(const std::string& name) {
  Program p;
  p.binary = VORMEL_BIN;
  p.args = {"07"};
  p.cwd = scenario::fresh_dir(name);
  p.env["HOME"] = p.cwd.string() + "/casa";
  return p;
}

// A field of the terminal's CONFIG record, as the program left it.
std::string stored(const Program& p, const char* field) {
  vormel::storage::QuietReporter reporter;
  const std::string folder = p.cwd.string() + "/";
  vormel::storage::Database db(reporter, {folder, folder, "07"});
  if (!db.ABERTURA(42) || !db.area(42).seek(std::string("07"), vormel::storage::Seek::Exact)) return "?";
  return vormel::core::trim(db.area(42).text(field));
}

const std::string kIrpfItem = "<Alt+E><Down><Down><Down><Down><Down><Down><Enter>";

TEST(WorkFolders, TheWorkFileFolderTypedAsADriveIsStoredAtOnce) {
  Program p = vormel_in("work-file-folder");
  const std::string drive = p.cwd.string() + "/disco-d";
  std::filesystem::create_directories(drive);
  p.env["VORMEL_DRIVE_D"] = drive;
  // The program is stopped before its exit, so the value was stored by the command.
  auto r = run(p, "<Alt+O>l<Dump dialog>d:<Enter><Dump after>");
  EXPECT_EQ(r.status, 3);
  EXPECT_TRUE(contains(r.line("dialog", 1), "Pasta de Trabalho dos arquivos auxiliares")) << r.screen("dialog");
  EXPECT_TRUE(contains(r.line("dialog", 3), p.cwd.string())) << r.screen("dialog");  // the current one
  EXPECT_FALSE(contains(r.screen("after"), "Pasta de Trabalho")) << r.screen("after");
  EXPECT_EQ(stored(p, "DIRTRAB"), drive + "/");
}

TEST(WorkFolders, TheTaxProgramsFolderTakesTheStandardOrNothing) {
  Program p = vormel_in("irpf-folder");
  const std::string standard = p.cwd.string() + "/casa/ProgramasRFB/IRPF2016/aplicacao/dados";
  auto r = run(p, kIrpfItem + "<Dump dialog><Alt+P><Dump ask>S");
  EXPECT_TRUE(contains(r.line("dialog", 1), "Local do programa da Receita")) << r.screen("dialog");
  EXPECT_TRUE(contains(r.line("dialog", 26), "ALT P preenche com o Padrão")) << r.screen("dialog");
  EXPECT_TRUE(contains(r.screen("ask"), "Pasta nova para  IRPF?")) << r.screen("ask");
  EXPECT_TRUE(std::filesystem::is_directory(standard));
  EXPECT_EQ(stored(p, "ROTAJAVA"), standard + "/");

  // Left empty after the warning: nothing is sent to that program any more.
  auto empty = run(p, kIrpfItem + "<Enter><Dump warning><Enter>");
  EXPECT_TRUE(contains(empty.screen("warning"), "Ao deixar em branco NÃO haverá transferência")) << empty.screen("warning");
  EXPECT_EQ(stored(p, "ROTAJAVA"), "");
}

}  // namespace
