#include "shell/settings.h"

#include <cstdlib>

#include "core/text.h"
#include "storage/error.h"

namespace vormel::shell {

namespace {

using core::Decimal;
using core::Value;

constexpr int kConfig = 42;
constexpr int kDefine = 43;

std::string home() {
  const char* h = std::getenv("HOME");
  return h && *h ? core::BAR_FORA(h) : std::string("/root");
}

// Finds the terminal's CONFIG record (CONFIG open in its area); false when missing.
bool seek_terminal(storage::Database& db, const Globals& g) {
  return db.area(kConfig).used() && db.area(kConfig).seek(g.NUSU, storage::Seek::Exact);
}

void write_fields(storage::WorkArea& a, const core::Record& values, std::initializer_list<const char*> fields) {
  for (const char* f : fields)
    if (const Value* v = values.find(f)) a.set(f, *v);
}

}  // namespace

core::Record initial_config(const Globals& g, core::Date today) {
  core::Record c;
  const std::string rfb = home() + "/ProgramasRFB";
  c.set_text("NRO_TERM", g.NUSU);
  c.set_text("ROTAANTER", home() + "/vormel15");
  c.set_text("ROTADOANO", g.ROTADEF);
  c.set_text("ROTARECEI", rfb + "/IRPF2016/aplicacao/dados");
  c.set_text("ROTAREANT", rfb + "/IRPF2015/transmitidas");
  c.set_text("ROTAJAVA", rfb + "/IRPF2016/aplicacao/dados");
  c.set_text("DIRTRAB", g.ROTADEF);
  c.set_text("DIRPROV", g.DIRDEF);
  c.set_text("DIRINST", home() + "/vormel15");
  for (const char* n : {"QUEIMP", "QUEMOD", "QUEPAG", "QUECON", "COMPAGA", "ULT_MOD"}) c.set_number(n, 1);
  c.set_number("ENV_STAT", 2);
  c.set_number("MARESQ", 0);
  c.set_number("INIFOL", 0);
  c.set_number("LINETI", 6);
  c.set_number("NRO_LIN", 60);
  c.set_number("OPC_TRAN", 7);
  c.set_text("IMPBEM", "1");
  c.set_text("IMPBAL", "1");
  c.set_text("MOSIMP", "S");
  c.set_text("MOSTEL", "S");
  c.set("QUERSEN", false);
  c.set_number("ULT_TER", 0);
  c.set_number("ULT_SENIR", 0);
  c.set_number("ULT_SENAAR", 0);
  c.set_text("ULT_CPF", std::string(11, ' '));
  c.set_text("XDRIVE", "A");
  c.set_number("SOESTE", 9);
  c.set_number("OPTTRAN", 0);
  c.set("ULTBACK", today);
  c.set_text("OPCIRPF", "J");
  c.set_text("NOMEAG", "");
  c.set_number("OPCFIM", 0);
  return c;
}

void config_to_globals(Globals& g) {
  const core::Record& c = g.CONFIG;
  g.ROTADOANO = c.text("ROTADOANO");
  g.DIRTRAB = c.text("DIRTRAB");
  g.NOMEAG = c.text("NOMEAG");
  g.QUERSEN = c.logical("QUERSEN");
  g.XDRIVE = c.text("XDRIVE").empty() ? "A" : c.text("XDRIVE");
  g.ULT_CPF = c.text("ULT_CPF");
  g.ULTBACK = c.date("ULTBACK");
  g.print.QUEIMP = c.integer("QUEIMP");
  g.print.QUEMOD = c.integer("QUEMOD");
  g.print.QUEPAG = c.integer("QUEPAG");
  g.print.QUECON = c.integer("QUECON");
}

void globals_to_config(Globals& g) {
  core::Record& c = g.CONFIG;
  c.set_text("ROTADOANO", g.ROTADOANO);
  c.set_text("DIRTRAB", g.DIRTRAB);
  c.set_text("NOMEAG", g.NOMEAG);
  c.set("QUERSEN", g.QUERSEN);
  c.set_text("XDRIVE", g.XDRIVE);
  c.set_text("ULT_CPF", g.ULT_CPF);
  c.set("ULTBACK", g.ULTBACK);
  c.set_number("QUEIMP", g.print.QUEIMP);
  c.set_number("QUEMOD", g.print.QUEMOD);
  c.set_number("QUEPAG", g.print.QUEPAG);
  c.set_number("QUECON", g.print.QUECON);
}

bool CONFIGURA(storage::Database& db, Globals& g, core::Date today) {
  if (!db.ABERTURA(kConfig)) return false;
  storage::WorkArea& a = db.area(kConfig);
  if (seek_terminal(db, g)) {
    g.CONFIG = core::Record();
    for (const auto& f : a.table().fields()) g.CONFIG.set(f.name, a.get(f));
  } else {
    g.CONFIG = initial_config(g, today);
    db.select(kConfig);
    // A record that cannot be added leaves the run on the first values.
    if (db.ADD_REC(5)) {
      for (const auto& f : a.table().fields())
        if (const Value* v = g.CONFIG.find(f.name)) a.set(f.name, *v);
      a.unlock();
    }
  }
  config_to_globals(g);
  if (core::trim(g.NOMEAG).empty()) g.NOMEAG = "USUARIO DO TERMINAL " + g.NUSU;
  g.CPF = g.ULT_CPF;
  const std::string receita = g.CONFIG.text("ROTARECEI"), java = g.CONFIG.text("ROTAJAVA");
  // No folder of the tax program means nothing is sent to it, never the root folder.
  g.LOCIRPF = receita.empty() || core::trim(java).empty() ? "" : core::BAR_DIR(core::trim(java));
  return true;
}

bool load_define(storage::Database& db, Globals& g) {
  if (!db.ABERTURA(kDefine)) return false;
  storage::WorkArea& a = db.area(kDefine);
  a.go_top();
  g.DEFINE = core::Record();
  if (!a.eof())
    for (const auto& f : a.table().fields()) g.DEFINE.set(f.name, a.get(f));
  g.TEMP_SAL = g.DEFINE.integer("TEMP_SAL");
  db.close_area(kDefine);
  return true;
}

bool write_config(storage::Database& db, Globals& g, std::initializer_list<const char*> fields) {
  globals_to_config(g);
  try {
    if (!db.area(kConfig).used() && !db.ABERTURA(kConfig)) return false;
    db.select(kConfig);
    if (!seek_terminal(db, g) || !db.REC_LOCK(5)) return false;
    write_fields(db.area(kConfig), g.CONFIG, fields);
    db.area(kConfig).unlock();
    return true;
  } catch (const storage::StorageError& e) {
    db.reporter().message(e.text_cp850());
    return false;
  }
}

bool write_all_config(storage::Database& db, Globals& g) {
  globals_to_config(g);
  if (!db.area(kConfig).used() && !db.ABERTURA(kConfig)) return false;
  db.select(kConfig);
  if (!seek_terminal(db, g) || !db.REC_LOCK(5)) return false;
  storage::WorkArea& a = db.area(kConfig);
  try {
    for (const auto& f : a.table().fields())
      if (f.name != "NRO_TERM")
        if (const Value* v = g.CONFIG.find(f.name)) a.set(f.name, *v);
  } catch (const storage::StorageError& e) {
    a.unlock();
    db.reporter().message(e.text_cp850());
    return false;
  }
  a.unlock();
  return true;
}

bool write_define(storage::Database& db, Globals& g, std::initializer_list<const char*> fields) {
  if (!db.ABERTURA(kDefine)) return false;
  storage::WorkArea& a = db.area(kDefine);
  a.go_top();
  db.select(kDefine);
  bool ok = !a.eof() && db.REC_LOCK(5);
  if (ok) {
    write_fields(a, g.DEFINE, fields);
    a.unlock();
  }
  db.close_area(kDefine);
  return ok;
}

}  // namespace vormel::shell
