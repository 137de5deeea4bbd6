// The terminal's work folders: new folders, the current folder switched through the
// folder list, a client found in another folder, the folder dialog and the list's checks.
#include "shell/work_folders.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "core/cp850.h"
#include "core/text.h"
#include "storage/lock_layout.h"
#include "storage/paths.h"
#include "../support/scripted_backend.h"

namespace vormel::shell {
namespace {

namespace fs = std::filesystem;
using namespace core::literals;
using Rows = std::vector<std::pair<std::string, std::string>>;  // SELEC, DIRETOR

// Lock waits end at once, as if Esc had been pressed.
struct NoWaitReporter : storage::QuietReporter {
  bool wait(int) override { return true; }
};

struct WorkFolders : ::testing::Test {
  WorkFolders() : db(reporter, {program(), program(), "07"}) {
    g.NUSU = "07";
    g.ARQDEF = program();
    g.ROTADEF = core::BAR_FORA(program());
    g.ROTADOANO = g.ROTA = g.ROTADEF;
    g.LOCARQ = db.folders.LOCARQ = program();
    EXPECT_TRUE(db.ABERTURA(42));
    db.select(42);
    EXPECT_TRUE(db.ADD_REC(5));
    db.area(42).set("NRO_TERM", std::string("07"));
    db.area(42).set("ROTADOANO", g.ROTADEF);
    db.area(42).unlock();
    // The list as the start leaves it: the program folder, current.
    EXPECT_TRUE(db.ABERTURA(50));
  }
  ~WorkFolders() override {
    db.close_all();
    fs::remove_all(program());
  }
  const std::string& program() {
    if (program_.empty()) {
      char name[] = "/tmp/vormel-folders-XXXXXX";
      program_ = std::string(::mkdtemp(name)) + "/";
    }
    return program_;
  }
  std::string sub(const std::string& name) { return program() + name; }

  void list_folder(const std::string& folder) {
    db.select(50);
    ASSERT_TRUE(db.ADD_REC(1));
    db.area(50).set("SELEC", std::string("N"));
    db.area(50).set("DIRETOR", folder);
    db.area(50).unlock();
  }
  void go_row(const std::string& folder) {
    storage::WorkArea& list = db.area(50);
    for (list.go_top(); !list.eof(); list.skip())
      if (same_folder(core::trim(list.text("DIRETOR")), folder)) return;
    ADD_FAILURE() << folder << " is not listed";
  }
  Rows rows() {
    Rows out;
    storage::WorkArea& list = db.area(50);
    for (list.go_top(); !list.eof(); list.skip()) out.emplace_back(list.text("SELEC"), core::trim(list.text("DIRETOR")));
    return out;
  }
  void add_client(const std::string& folder, const std::string& cpf, const std::string& name) {
    fs::create_directories(folder);
    const std::string current = db.folders.LOCARQ;
    db.folders.LOCARQ = core::BAR_DIR(folder);
    ASSERT_TRUE(db.ABERTURA(9));
    db.select(9);
    ASSERT_TRUE(db.ADD_REC(1));
    db.area(9).set("CPF", cpf);
    db.area(9).set("NOMECONTR", name);
    db.area(9).unlock();
    db.close_area(9);
    db.folders.LOCARQ = current;
  }
  std::string stored(const char* field) {
    if (!db.area(42).used()) {
      EXPECT_TRUE(db.ABERTURA(42));
    }
    EXPECT_TRUE(db.area(42).seek(std::string("07"), storage::Seek::Exact));
    return core::trim(db.area(42).text(field));
  }
  std::string clients_folder() { return storage::split_path(db.area(9).path()).first; }

  std::string program_;
  test_support::ScriptedBackend backend;
  core::Clock clock;
  screen::Console con{backend, clock};
  screen::Ui ui{con};
  NoWaitReporter reporter;
  storage::Database db;
  Globals g;
  std::string NOMECONTR;
  FolderContext c{ui, db, g, &NOMECONTR};
};

TEST_F(WorkFolders, NewFoldersAreMadeWithTheirParentsOnlyWhenAgreed) {
  std::ofstream(sub("file")) << "x";
  struct Case {
    std::string path, keys;
    bool result, exists, asked;
  } cases[] = {
      {sub(""), "", true, true, false},                  // there already: nothing asked
      {sub("x/y/z/"), "S", true, true, true},            // every missing level
      {sub("refused/inner"), "N", false, false, true},
      {sub("file/inner"), "S\n", false, false, true},    // cannot be made: said
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.path);
    backend.screens.clear();
    backend.type(k.keys);
    EXPECT_EQ(CRI_NDIR(ui, k.path, " VORMEL"), k.result);
    EXPECT_EQ(fs::is_directory(k.path), k.exists);
    EXPECT_EQ(backend.showed("Pasta nova para  VORMEL?"), k.asked);
    EXPECT_TRUE(backend.keys.empty());
  }
  EXPECT_TRUE(backend.showed("Problemas ao criar a pasta " + sub("file/inner")));
}

TEST_F(WorkFolders, MarkingASecondRowMovesTheWorkFolderThere) {
  const std::string second = sub("Segunda");
  list_folder(second);
  add_client(second, "11144477735", "MARIA DA SILVA");
  g.CPF = "11144477735";
  go_row(second);
  ASSERT_TRUE(TROCASIM(c, 1));
  EXPECT_EQ(rows(), (Rows{{"N", g.ROTADEF}, {"S", second}}));
  EXPECT_EQ(g.ROTADOANO, second);
  EXPECT_EQ(g.LOCARQ, second + "/");
  EXPECT_EQ(db.folders.LOCARQ, second + "/");
  // Its client list is open in area 9, on the current client, in name order.
  EXPECT_EQ(clients_folder(), second + "/");
  EXPECT_EQ(db.area(9).active_order(), 2u);
  EXPECT_EQ(db.area(9).text("CPF"), "11144477735");
  EXPECT_EQ(core::trim(NOMECONTR), "MARIA DA SILVA");
  EXPECT_EQ(stored("ROTADOANO"), second);

  // Back to the first row: marks and folder follow.
  go_row(g.ROTADEF);
  ASSERT_TRUE(TROCASIM(c, 1));
  EXPECT_EQ(rows(), (Rows{{"S", g.ROTADEF}, {"N", second}}));
  EXPECT_EQ(stored("ROTADOANO"), g.ROTADEF);
  EXPECT_EQ(clients_folder(), program());

  // A folder not listed yet gets its row.
  const std::string third = sub("terceira");
  fs::create_directories(third);
  ASSERT_TRUE(make_current(c, third + "/"));
  EXPECT_EQ(rows(), (Rows{{"N", g.ROTADEF}, {"N", second}, {"S", third}}));
  EXPECT_EQ(g.LOCARQ, third + "/");
}

TEST_F(WorkFolders, AFolderTypedInLowerCaseIsKeptAsTyped) {
  const std::string typed = sub("clientes/Novos");
  core::Value value(core::pad_right(typed + "/", 80));
  backend.type("S");  // create it
  ASSERT_TRUE(check_folder(c, value));
  EXPECT_EQ(std::get<std::string>(value), core::pad_right(typed, 80));
  EXPECT_TRUE(fs::is_directory(typed));
  list_folder(typed);
  go_row(typed);
  ASSERT_TRUE(TROCASIM(c, 1));
  EXPECT_EQ(rows().back(), (std::pair<std::string, std::string>{"S", typed}));
  EXPECT_EQ(stored("ROTADOANO"), typed);
  EXPECT_FALSE(fs::exists(core::cp850::upper(typed)));
}

TEST_F(WorkFolders, DriveLettersStandForTheFoldersTheirVariablesName) {
  const std::string root = sub("drive-d");
  ::setenv("VORMEL_DRIVE_D", (root + "/").c_str(), 1);
  ::unsetenv("VORMEL_DRIVE_Q");
  struct Case {
    std::string typed;
    std::optional<std::string> folder;
  } cases[] = {{"D:", root}, {"d:\\", root + "/"}, {"D:\\Clientes\\2016", root + "/Clientes/2016"},
               {"D:/x", root + "/x"}, {"/home/a:b", "/home/a:b"}, {"DX:", "DX:"}, {"Q:\\A", std::nullopt}};
  for (const Case& k : cases) EXPECT_EQ(drive_folder(k.typed), k.folder) << k.typed;

  // The work-file folder typed as a drive: kept with a trailing "/".
  backend.type("d:\n");
  EXPECT_EQ(NOVA_ROTA(c, "/old", " VORMEL", 80), core::pad_right(root + "/", 80));
  EXPECT_TRUE(backend.showed("Pasta de Trabalho dos arquivos auxiliares"));
  // A letter without a folder is refused and asked again; Esc keeps the old value.
  backend.type("Q:\\A\n\n\x1b");
  EXPECT_EQ(NOVA_ROTA(c, "/old", " VORMEL", 80), core::pad_right("/old", 80));
  EXPECT_TRUE(backend.showed("O drive Q: não tem pasta neste computador."));
  EXPECT_TRUE(backend.keys.empty());
  ::unsetenv("VORMEL_DRIVE_D");
}

TEST_F(WorkFolders, TheTaxProgramsFolderHasAStandardAndMayBeLeftEmpty) {
  const char* home = std::getenv("HOME");
  const std::string old_home = home ? home : "";
  ::setenv("HOME", sub("casa").c_str(), 1);
  const std::string standard = sub("casa/ProgramasRFB/IRPF2016/aplicacao/dados");
  EXPECT_EQ(DIRPADRAO(), standard);
  backend.keys.push_back(core::Key::alt('P'));
  backend.type("S");  // create it
  EXPECT_EQ(core::trim(NOVA_ROTA(c, "/old", " IRPF", 80)), standard);
  EXPECT_TRUE(fs::is_directory(standard));
  EXPECT_TRUE(backend.showed("Pasta vazia não transfere p/a Receita. ALT P preenche com o Padrão"));
  EXPECT_FALSE(con.has_key(core::Key::alt('P')));
  // Empty: no folder, after the warning; the work-file folder keeps its old one.
  backend.type("\n\n");
  EXPECT_EQ(NOVA_ROTA(c, "/old", " IRPF", 80), std::string(80, ' '));
  EXPECT_TRUE(backend.showed("Ao deixar em branco NÃO haverá transferência para o programa da receita!"));
  backend.type("\n");
  EXPECT_EQ(core::trim(NOVA_ROTA(c, "/old", " VORMEL", 80)), "/old");
  EXPECT_TRUE(backend.keys.empty());
  ::setenv("HOME", old_home.c_str(), 1);
}

TEST_F(WorkFolders, AClientOfTheThirdListedFolderMakesItCurrent) {
  const std::string second = sub("a-segunda"), third = sub("b-terceira");
  list_folder(second);
  list_folder(third);
  add_client(second, "22233344405", "JOSE OUTRO");
  add_client(third, "11144477735", "MARIA DA SILVA");

  std::string cpf = "11144477735";
  ASSERT_TRUE(BUSCA_OUTRO(c, cpf, 1, 1));
  EXPECT_EQ(core::trim(NOMECONTR), "MARIA DA SILVA");
  EXPECT_EQ(g.ROTADOANO, third);
  EXPECT_EQ(stored("ROTADOANO"), third);
  EXPECT_EQ(rows(), (Rows{{"N", g.ROTADEF}, {"N", second}, {"S", third}}));
  EXPECT_EQ(clients_folder(), third + "/");
  EXPECT_EQ(db.area(9).text("CPF"), "11144477735");

  // By the start of a name, from there: the program folder has no client list and is
  // passed over; the second folder has him, and his full name comes back.
  std::string name = "jose";
  ASSERT_TRUE(BUSCA_OUTRO(c, name, 2, 1));
  EXPECT_EQ(core::trim(name), "JOSE OUTRO");
  EXPECT_EQ(g.ROTADOANO, second);
  EXPECT_EQ(db.area(9).active_order(), 2u);
  EXPECT_FALSE(storage::file_exists(program(), "IMP0916.DBF"));

  // Nowhere: the current folder's list again, the name blanked, CPF order.
  std::string missing = "99988877766";
  EXPECT_FALSE(BUSCA_OUTRO(c, missing, 1, 1));
  EXPECT_EQ(g.ROTADOANO, second);
  EXPECT_EQ(clients_folder(), second + "/");
  EXPECT_EQ(NOMECONTR, std::string(53, ' '));
  EXPECT_EQ(db.area(9).active_order(), 1u);
}

TEST_F(WorkFolders, TheSpousesCpfOnlyOpensTheOtherFoldersList) {
  const std::string other = sub("outra");
  list_folder(other);
  add_client(other, "11144477735", "MARIA DA SILVA");
  std::string cpf = "11144477735";
  ASSERT_TRUE(BUSCA_OUTRO(c, cpf, 1, 0, true));
  EXPECT_EQ(clients_folder(), other + "/");
  EXPECT_EQ(db.area(9).text("CPF"), "11144477735");
  EXPECT_EQ(g.ROTADOANO, g.ROTADEF);
  EXPECT_EQ(rows(), (Rows{{"S", g.ROTADEF}, {"N", other}}));
}

TEST_F(WorkFolders, ASwitchThatFailsChangesNothing) {
  const std::string locked = sub("bloqueada"), missing = sub("faltando");
  fs::create_directories(locked);
  list_folder(locked);
  list_folder(missing);
  const Rows before = rows();

  // Another holder of the row's lock (this terminal's list, opened elsewhere).
  go_row(locked);
  const uint32_t recno = db.area(50).recno();
  int fd = ::open(storage::file_path(program(), "DIRET07.DBF").c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = storage::record_lock_offset(recno);
  lock.l_len = 1;
  ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
  EXPECT_FALSE(TROCASIM(c, 1));
  ::close(fd);
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].substr(0, 20), std::string("ATENÇÃO! Registro nã"_cp));
  EXPECT_EQ(db.area(50).recno(), recno);  // the list stays on the row

  // A missing folder not created.
  go_row(missing);
  backend.type("N");
  EXPECT_FALSE(TROCASIM(c, 1));
  EXPECT_FALSE(fs::exists(missing));

  EXPECT_EQ(rows(), before);
  EXPECT_EQ(g.ROTADOANO, g.ROTADEF);
  EXPECT_EQ(db.folders.LOCARQ, program());
  EXPECT_EQ(stored("ROTADOANO"), g.ROTADEF);
  EXPECT_TRUE(backend.keys.empty());
}

TEST_F(WorkFolders, TheColumnsOfTheListCheckWhatIsTyped) {
  struct Case {
    std::string typed, kept;
    bool accepted;
  } cases[] = {{"N", "N", true}, {"n", "N", true}, {" ", " ", true}, {"X", "X", false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed);
    backend.screens.clear();
    if (!k.accepted) backend.type("\n");  // the notice
    core::Value v(k.typed);
    EXPECT_EQ(check_selection(c, v), k.accepted);
    EXPECT_EQ(std::get<std::string>(v), k.kept);
    EXPECT_EQ(backend.showed("Informe com 'S'(Sim) ou 'N'(Não)"), !k.accepted);
  }
  // "S" makes the row's folder current.
  const std::string other = sub("outra");
  fs::create_directories(other);
  list_folder(other);
  go_row(other);
  core::Value on_blank_line(std::string("S"));
  EXPECT_TRUE(check_selection(c, on_blank_line, true));  // the row is not there yet
  EXPECT_EQ(g.ROTADOANO, g.ROTADEF);
  core::Value yes(std::string("s"));
  EXPECT_TRUE(check_selection(c, yes));
  EXPECT_EQ(g.ROTADOANO, other);

  backend.type("\n");
  core::Value blank(std::string(80, ' '));
  EXPECT_FALSE(check_folder(c, blank));
  EXPECT_TRUE(backend.showed("É necessário preencher o nome da Pasta"));
  backend.type("N");  // not created: the cursor stays
  core::Value absent(sub("nova"));
  EXPECT_FALSE(check_folder(c, absent));
  EXPECT_FALSE(fs::exists(sub("nova")));
  EXPECT_TRUE(backend.keys.empty());
}

}  // namespace
}  // namespace vormel::shell
