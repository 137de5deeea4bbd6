// The client chooser: the CPF (or the name) asked in the chooser window with its keys,
// the client found in this folder, in another folder of the list, or included; the
// in-use mark and the recovery offer; then the declaration loaded.
#include <optional>

#include "core/cp850.h"
#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"
#include "declaration/corrected_tax.h"
#include "declaration/session.h"
#include "declaration/working_copies.h"
#include "entry/form_env.h"
#include "entry/identification_form.h"
#include "entry/screen_frames.h"
#include "entry/validation.h"
#include "screen/lookups.h"
#include "storage/error.h"
#include "storage/paths.h"

namespace vormel::declaration {

using core::Key;
using namespace core::literals;

namespace {

std::string s(std::string_view v) { return std::string(v); }

constexpr std::string_view kChooserKeys = "F1=Nome F2=CPF F3=Stat F4=Rec. F5=Corr. F6=Det. F7=Pasta F8=AAR F11=Pend";

// The CPF of the first row of a working copy of IMP09 ("" when there is none).
std::string working_copy_cpf(const std::string& path) {
  auto [folder, name] = storage::split_path(path);
  try {
    if (!storage::file_exists(folder, name + ".DBF")) return {};
    auto t = storage::Table::open(storage::file_path(folder, name + ".DBF"));
    std::string record;
    if (t->record_count() > 0 && t->read(1, record)) return record.substr(1, 11);
  } catch (const storage::StorageError&) {
  }
  return {};
}

}  // namespace

bool Session::open_anyway(const std::string& user) {
  return screen::AVISOSN(ui_,
                         std::vector<std::string>{
                             s("A declaração desse contribuinte está ou ficou aberta no terminal "_cp) + user,
                             s("Caso tenha outra pessoa utilizando os dados daquele que salvar por último que"_cp),
                             s("prevalecera. Isso pode alterar o feito naquele terminal. Continua?"_cp)},
                         1)
      .yes;
}

std::string Session::BUSCA_OUTRO() { return other_folder_with(cpf_); }

std::string Session::other_folder_with(const std::string& cpf) {
  storage::WorkArea& list = db_.area(50);
  if (!list.used()) return {};
  const std::string current = core::BAR_FORA(db_.folders.LOCARQ);
  std::vector<std::string> folders;
  for (list.go_top(); !list.eof(); list.skip()) {
    const std::string folder = core::trim(list.text("DIRETOR"));
    if (!folder.empty() && folder != current && storage::file_exists(core::BAR_DIR(folder), "IMP0916.DBF"))
      folders.push_back(core::BAR_DIR(folder));
  }
  for (const auto& folder : folders) {
    if (!entry::open_other_clients(db_, folder)) continue;
    const bool here = db_.area(entry::kOtherFolderArea).seek(cpf, storage::Seek::Exact);
    db_.close_area(entry::kOtherFolderArea);
    if (here) return folder;
  }
  return {};
}

void Session::open_chooser() {
  entry::Frame f = entry::client_chooser_frame();
  f.in_window(kChooserWindow, f.window_type());
  entry::draw_frame(ui_, f);
  chooser_top_ = f.top() + (f.window_type() == 0 ? 0 : 1);
  chooser_left_ = f.left() + (f.window_type() == 0 ? 0 : 1);
}

void Session::close_chooser() { screen::FECHAJAN(ui_, kChooserWindow); }

void Session::MOSTR_PAG() {
  // The client of the current row and the current folder.
  const screen::Attr text = screen::attr_of(screen::ACHACOR(ui_.colours.COR_TEL1));
  const screen::Attr value = screen::attr_of(screen::ACHACOR(ui_.colours.COR_ENCHE));
  screen::Grid& g = ui_.con.grid();
  std::string cpf(11, ' '), name(53, ' ');
  storage::WorkArea& clients = db_.area(9);
  if (clients.used() && !clients.eof()) {
    cpf = clients.text("CPF");
    name = core::pad_right(clients.text("NOMECONTR"), 53);
  }
  g.write(chooser_top_ + kFieldRow, chooser_left_ + kCpfCol, core::TRANSFORM(core::Value(core::pad_right(cpf, 11)), kCpfPicture), value);
  g.write(chooser_top_ + kFieldRow, chooser_left_ + kNameCol, name.substr(0, 53), value);
  g.write(chooser_top_ + kFolderRow, chooser_left_ + kFolderCol, core::pad_right(db_.folders.LOCARQ, 72 - kFolderCol - 2).substr(0, 72 - kFolderCol - 2), text);
}

std::optional<std::string> Session::ask_client() {
  screen::Console& con = ui_.con;
  if (!db_.area(9).used()) db_.ABERTURA(9);
  chosen_directly_ = false;
  core::Value cpf = settings_.ULT_CPF.size() == 11 ? core::Value(settings_.ULT_CPF) : core::Value(std::string(11, ' '));
  for (;;) {
    MOSTR_PAG();
    con.status_text(std::string(kChooserKeys));
    std::optional<std::string> picked;  // a CPF handed over by a list
    bool direct = false;                // F4
    screen::Lookups lookups(ui_, db_);
    lookups.MOS_DETAL = [this](storage::WorkArea& row) { MOS_DETAL(row); };
    lookups.MOS_PEND = [this](storage::WorkArea& row) { MOS_PEND(row.text("CPF")); };
    auto take = [&](const screen::LookupResult& r) {
      auto it = r.values.find("CPF");
      if (!r.chosen || it == r.values.end()) return;
      picked = std::get<std::string>(it->second);
      con.push_key(Key(Key::Enter));
    };
    auto list = [&](int order) {
      screen::LookupRequest r("M->CPF");
      r.order = order;
      if (only_rural_) r.rows = [](storage::WorkArea& row) { return row.text("TEMRURAL") == "S"; };
      take(lookups.GERAL(r));
    };
    con.set_key(Key(Key::F1), [&] { list(2); });
    con.set_key(Key(Key::F2), [&] { list(1); });
    con.set_key(Key(Key::F3), [&] { list(3); });
    con.set_key(Key(Key::F4), [&] {
      direct = true;
      con.push_key(Key(Key::Enter));
    });
    con.set_key(Key(Key::F5), [&] { IMPCORRIG(ui_, db_); });
    con.set_key(Key(Key::F6), [&] {
      if (db_.area(9).used() && !db_.area(9).eof()) MOS_DETAL(db_.area(9));
    });
    con.set_key(Key(Key::F7), [&] {
      // MOS_DIR: the folder list; the chooser then shows the client of the current folder.
      if (settings_.folders_dialog) settings_.folders_dialog();
      if (!db_.area(9).used()) db_.ABERTURA(9);
      MOSTR_PAG();
    });
    con.set_key(Key(Key::F8), [&] {
      only_rural_ = !only_rural_;  // SO_AAR
      list(1);
    });
    con.set_key(Key(Key::F11), [&] {
      if (db_.area(9).used() && !db_.area(9).eof()) MOS_PEND(db_.area(9).text("CPF"));
    });
    auto field = screen::FieldSpec::at(chooser_top_ + kFieldRow, chooser_left_ + kCpfCol, &cpf, s(kCpfPicture), 11);
    field.valid = [&](const core::Value& v) {
      if (direct || picked || core::trim(std::get<std::string>(v)).empty()) return true;
      entry::Verdict verdict = entry::VAL_CPF(std::get<std::string>(v), true, 0);
      if (!verdict.ok && !verdict.notice.empty()) notice(verdict.notice);
      return verdict.ok;
    };
    const Key k = screen::edit_field(ui_, field);
    for (int f : {Key::F1, Key::F2, Key::F3, Key::F4, Key::F5, Key::F6, Key::F7, Key::F8, Key::F11})
      con.clear_key(Key(f));
    con.status_text("");
    if (k == Key(Key::Esc)) return std::nullopt;
    if (direct) {
      const std::string last = core::trim(working_copy_cpf(working_copy_path(settings_.LOCTRAB, 9, settings_.NUSU)));
      if (last.empty()) {
        notice({s("Impossível recuperar o último CPF."_cp)});
        continue;
      }
      chosen_directly_ = true;
      return last;
    }
    if (picked) return *picked;
    const std::string typed = core::trim(std::get<std::string>(cpf));
    if (!typed.empty()) return typed;
    // No CPF: the name, sought in name order; a name not found exactly opens the list.
    core::Value name(std::string(53, ' '));
    screen::Grid& g = con.grid();
    g.write(chooser_top_ + kFieldRow, chooser_left_ + kNameCol, std::string(53, ' '),
            screen::attr_of(screen::ACHACOR(ui_.colours.COR_ENCHE)));
    if (screen::edit_field(ui_, screen::FieldSpec::at(chooser_top_ + kFieldRow, chooser_left_ + kNameCol, &name, "@!", 53)) ==
        Key(Key::Esc))
      return std::nullopt;
    if (std::optional<std::string> found = BNOME2(core::trim(std::get<std::string>(name)))) return *found;
  }
}

std::optional<std::string> Session::BNOME2(const std::string& name) {
  if (!db_.area(9).used() && !db_.ABERTURA(9)) return std::nullopt;
  storage::WorkArea& clients = db_.area(9);
  clients.set_order(2);
  const bool near = clients.seek(core::cp850::upper(name), storage::Seek::Soft);
  if (near && !clients.eof() && core::cp850::upper(core::trim(clients.text("NOMECONTR"))) == core::cp850::upper(name)) {
    const std::string cpf = clients.text("CPF");
    clients.set_order(1);
    return cpf;
  }
  if (clients.eof()) clients.go_bottom();
  screen::Lookups lookups(ui_, db_);
  lookups.MOS_DETAL = [this](storage::WorkArea& row) { MOS_DETAL(row); };
  lookups.MOS_PEND = [this](storage::WorkArea& row) { MOS_PEND(row.text("CPF")); };
  screen::LookupResult r = lookups.GERAL({"M->NOMECONTR", 1});
  clients.set_order(1);
  auto it = r.values.find("CPF");
  if (!r.chosen || it == r.values.end()) return std::nullopt;
  return std::get<std::string>(it->second);
}

bool Session::GET_CODIGO() {
  const std::optional<std::string> chosen = ask_client();
  if (!chosen) return false;
  const bool direct = chosen_directly_;
  cpf_ = core::pad_right(*chosen, 11);
  settings_.ULT_CPF = cpf_;

  if (!db_.area(9).used() && !db_.ABERTURA(9)) return false;
  storage::WorkArea& clients = db_.area(9);
  clients.set_order(1);
  created_ = false;
  recovery_ = direct;
  if (direct) {
    // Straight from the working copies, whatever the folder says.
  } else if (clients.seek(cpf_, storage::Seek::Exact)) {
    const std::string user = clients.text("NUSUAT");
    if (user == settings_.NUSU) {
      if (working_copy_cpf(working_copy_path(settings_.LOCTRAB, 9, settings_.NUSU)) == cpf_)
        recovery_ = screen::AVISOSN(ui_,
                                    std::vector<std::string>{s("A declaração desse contribuinte não terminou corretamente."_cp),
                                                             s("Deseja recuperar as últimas informações trabalhadas?"_cp)},
                                    1)
                        .yes;
    } else if (!core::trim(user).empty() && user != settings_.NUSU) {
      if (!open_anyway(user)) return false;
    }
  } else if (const std::string other = BUSCA_OUTRO(); !other.empty()) {
    // Found in another folder of the list: that folder is the current one from now on.
    db_.close_area(9);
    db_.folders.LOCARQ = other;
    if (settings_.folder_changed) settings_.folder_changed(other);
    if (!db_.ABERTURA(9)) return false;
    storage::WorkArea& there = db_.area(9);
    if (there.seek(cpf_, storage::Seek::Exact)) {
      const std::string user = there.text("NUSUAT");
      if (!core::trim(user).empty() && user != settings_.NUSU) {
        if (!open_anyway(user)) return false;
      }
    }
  } else {
    auto a = screen::AVISOSN(ui_,
                             std::vector<std::string>{s(" Esse Contribuinte não está cadastrado  "_cp),
                                                      s("em nenhuma das Pastas indicadas. Inclui?"_cp)},
                             1);
    if (!a.yes) return false;
    created_ = true;
  }
  workspace_ = std::make_unique<Workspace>(db_, settings_.LOCTRAB);
  if (!workspace_->load(cpf_, created_, recovery_)) {
    workspace_.reset();
    return false;
  }
  edit_context_ = entry::EditContext();  // nothing of the last client's lists stays
  if (workspace_->vars.text("I9_4") == "S") {
    // The spouse's figures as the spouse's declaration has them now.
    entry::FormEnv env(ui_, db_, workspace_->vars);
    env.NUSU = settings_.NUSU;
    env.STATRAVA = settings_.STATRAVA;
    env.other_folder_of = [this](const std::string& cpf) { return other_folder_with(cpf); };
    entry::INFO_CONJU(env);
    workspace_->keep_variables();
  }
  // The office's dollar rate, as a number and as the text the rural result shows.
  workspace_->vars.set_number("NVALDOLAR", settings_.VAL_DOLAR);
  workspace_->vars.set_text("CVALDOLAR", core::STR(settings_.VAL_DOLAR, 6, 4));
  // In use by this terminal from now on.
  if (!db_.area(9).used()) db_.ABERTURA(9);
  storage::WorkArea& now_clients = db_.area(9);
  if (!created_ && now_clients.used() && now_clients.seek(cpf_, storage::Seek::Exact)) {
    db_.select(9);
    if (db_.REC_LOCK(5)) {
      now_clients.set("NUSUAT", settings_.NUSU);
      now_clients.unlock();
    }
  }
  walk_ = Walk();
  walk_.PVEZ = created_;
  walk_.rural = workspace_->vars.text("TEMRURAL") == "S";
  walk_.abroad = workspace_->vars.text("ATV_BRASIL") == "N";
  return true;
}

}  // namespace vormel::declaration
