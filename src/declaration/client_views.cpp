// What the chooser shows about one client without opening the declaration: its details
// (F6) and its pending items of the last check (F11).
#include <filesystem>

#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"
#include "declaration/session.h"
#include "entry/screen_frames.h"
#include "screen/age_notice.h"
#include "screen/browse_list.h"
#include "storage/catalogue.h"
#include "storage/dbf_table.h"
#include "storage/error.h"
#include "storage/paths.h"

namespace vormel::declaration {

using namespace core::literals;

void Session::MOS_PEND(const std::string& cpf) {
  // The client's rows of IMP11 go into a table of this terminal of their own: the working
  // copy of the notes may be the only copy of an interrupted declaration's notes.
  const int caller = db_.selected();
  const bool notes_open = db_.area(11).used();
  if (!notes_open && !db_.ABERTURA(11)) {
    notice({"Terminal com esse nro aberto em outro local"});
    return;
  }
  storage::WorkArea& notes = db_.area(11);
  std::vector<std::string> rows;
  const uint32_t here = notes.recno();
  notes.set_order(1);
  for (bool found = notes.seek(cpf, storage::Seek::Exact); found && !notes.eof() && notes.text("CPF") == cpf; notes.skip())
    rows.push_back(notes.record_bytes());
  if (notes_open) notes.go_to(here);
  else db_.close_area(11);

  const std::string path = settings_.LOCTRAB + "TMP_PD" + settings_.NUSU;
  try {
    const std::string file = storage::file_path(settings_.LOCTRAB, "TMP_PD" + settings_.NUSU + ".DBF");
    std::filesystem::remove(file);
    storage::Table::create(storage::file_path(settings_.LOCTRAB, "TMP_PD" + settings_.NUSU + ".DBF"),
                           storage::layout_of(11), rows, false);
  } catch (const storage::StorageError& e) {
    notice({e.what()});
    return;
  }
  const int area = 31;
  if (!db_.ABREARQ(std::to_string(area), true, path, "CODERR")) {
    db_.select(caller);
    return;
  }
  screen::BrowseSpec spec;
  spec.columns = {{std::string("           Notas e observações"_cp), "OBSERV", "@S77", 0, {}, {}}};
  ui_.con.show_dialog(screen::Rect{2, 9, 16, 70}, std::string("Pendências"_cp));
  spec.rect = {3, 10, 15, 69};
  db_.area(area).go_top();
  screen::HBROWSE(ui_, db_.area(area), spec);
  ui_.con.close_dialog();
  db_.close_area(area);
  db_.select(caller);
}

namespace {

// Where each value of the details goes in their frame, and how it is shown.
struct DetailValue {
  int row, col;
  const char* field;
  const char* picture;
};

constexpr DetailValue kDetails[] = {
    {1, 5, "CPF", "@R 999.999.999-99"}, {1, 32, "SENACESSO", ""},  {1, 55, "CODACESSO", ""},
    {1, 77, "TEMRURAL", ""},            {2, 6, "NOMECONTR", ""},   {3, 54, "TITULO", "@r 99999999999-99"},
    {4, 16, "CPFCONJU", "@R 999.999.999-99"}, {4, 39, "EBRASIL", ""}, {4, 50, "EXTERIOR", ""},
    {4, 67, "RETIFICA", ""},            {5, 27, "NRORECIBO", "@r 999999999999"},
    {5, 40, "RECIBOATU", "@r 999999999999"}, {5, 53, "RECIBOANT", "@r 999999999999"},
    {7, 6, "TIPOEND", ""},              {7, 29, "ENDERECO", ""},   {7, 77, "NOVOEND", ""},
    {8, 8, "NUMERO", ""},               {8, 27, "COMPLEM", ""},    {8, 56, "BAIRRO", "@S20"},
    {9, 5, "CEP", "@r 99999-999"},      {9, 18, "UF", ""},         {9, 31, "MUNICIPIO", ""},
    {10, 6, "CODPAIS", ""},             {10, 20, "CODEMB", ""},    {10, 28, "DDDTEL", "@R #999"},
    {10, 42, "TELEFO", "@R 99999-9999"}, {10, 53, "NROFAX", "@R 99999-9999"},
    {11, 28, "EMAIL", ""},              {13, 7, "BANCO", "@r ###"}, {13, 19, "AGENCIA", "@r !!!!!-!"},
    {13, 33, "CONTACO", "@r !!!!!!!!!!!!!-!!"},
};

// dd/mm/yy: the birth date has eight places before the age.
std::string short_date(const core::Date& d) {
  const std::string full = core::DTOC(d);
  return full.substr(0, 6) + full.substr(8, 2);
}

}  // namespace

void Session::MOS_DETAL(storage::WorkArea& row) {
  const entry::Frame frame = entry::client_details_frame();
  const screen::Attr value = screen::attr_of(screen::ACHACOR(ui_.colours.COR_ENCHE));
  screen::Grid& g = ui_.con.grid();
  const uint32_t recno = row.recno();
  entry::draw_frame(ui_, frame);
  for (;;) {
    // Read again on every key: another terminal may have saved the client meanwhile.
    row.go_to(recno);
    g.write(frame.top(), frame.left() + 2, " Detalhes ", screen::attr_of(screen::ACHACOR(ui_.colours.COR_TEL1)));
    for (const DetailValue& d : kDetails) {
      const core::Value v = row.get(d.field);
      g.write(frame.top() + d.row, frame.left() + d.col, *d.picture ? core::TRANSFORM(v, d.picture) : row.text(d.field),
              value);
    }
    const core::Value born = row.get("NASCIMENTO");
    const core::Date birth = std::holds_alternative<core::Date>(born) ? std::get<core::Date>(born) : core::Date();
    g.write(frame.top() + 3, frame.left() + 12, short_date(birth), value);
    const screen::AgeNotice age = screen::DIZANOS(birth, ui_.con.clock().today());
    g.write(frame.top() + 3, frame.left() + 26, age.years, value);
    g.write(frame.top() + 3, frame.left() + 34, age.months, value);
    if (ui_.con.wait_key() == core::Key(core::Key::Esc)) break;
  }
  screen::FECHAJAN(ui_, frame.window());
}

}  // namespace vormel::declaration
