#include "screen/help_screens.h"

#include "core/cp850.h"
#include "core/text.h"
#include "screen/lookups.h"
#include "screen/message_box.h"

namespace vormel::screen {

using namespace core::literals;

namespace {

std::vector<std::string> cp(std::initializer_list<std::string_view> lines) {
  return std::vector<std::string>(lines.begin(), lines.end());
}

// The message box holds 76 characters a line; the key lists' continuation lines are
// set in under the key names.
constexpr size_t kBoxWidth = 76, kKeyIndent = 6;

}  // namespace

const std::vector<std::string>& HELPGER_LINES() {
  static const std::vector<std::string> lines = cp({
      "Alt   No menu inicial (fora da declaração) marca ou desmarca a letra sublinhada no menu."_cp,
      "Quando marcada basta digitar a letra marcada (em maiúscula) para ir no item selecionado."_cp,
      "Teclas de movimentação rápida nas telas tipo 'browse'"_cp,
      "Home - Vai para a primeira coluna que aparece na tela."_cp,
      "End  - Vai para a última coluna que aparece na tela."_cp,
      "Ctrl - Home Vai para a primeira coluna do browse"_cp,
      "Ctrl End  - Vai para a última coluna do browse"_cp,
      "Page Down - Vai última linha que aparece na tela."_cp,
      "Page Up   - Vai para a primeira linha que aparece na tela."_cp,
      "Ctrl Page Down - Vai última linha do Browse"_cp,
      "Ctrl Page Up   - Vai para a primeira linha do Browse"_cp,
      "Dentro de uma linha de edição"_cp,
      "Ctrl Y Apaga a linha a partir do cursor."_cp,
      "End  Fim da linha"_cp,
      "Home  Começo da linha"_cp,
      "Ctrl setas direita ou esquerda - pula palavras conforme a direção da seta."_cp,
  });
  return lines;
}

const std::vector<std::string>& HELPFUN_LINES() {
  static const std::vector<std::string> lines = cp({
      "Alt +  Marca com S todas pessoas quando uma tela de seleção for aberta."_cp,
      "Alt -  Marca com N todas pessoas quando uma tela de seleção for aberta."_cp,
      "Alt A (Altera) Muda a o preenchimento usada na Física ou no AAR no Livro caixa"_cp,
      "Alt B (Busca) Busca p/Balanco sinais de riqueza. No F1-fonte pagadora os bancos"_cp,
      "Alt C (Copia) Transfere da memória o texto copiado pelo o ALT M para o campo"_cp,
      "Alt E (Elimina) Elimina n linhas na declaração de bens e ônus"_cp,
      "Alt H (Hora) Liga/Desliga Relógio (Desliga após tempo sem uso)"_cp,
      "Alt J (Junta) Nos BENS cópia o dado enviado pelo Alt M para o fim de uma linha"_cp,
      "Alt L (Linha) Inclui N linhas na declaração de bens e ônus"_cp,
      "Alt M (Move) Transfere linha/campo para a memória"_cp,
      "Alt N (Não) Transporta o valor do C.Leão pago ou do devido indicado pelo(*)"_cp,
      "Alt O (Organizar) No L.Caixa da PF ou AAR organiza pela coluna que estiver."_cp,
      "Alt P (Padrão) No item local do programa da receita traz o endereço padrão."_cp,
      "Alt R (Reorganizar) A numeração dos itens nos bens/dívida (IR ou no AAR)."_cp,
      "Alt S (Soma) Calculadora - Ctrl Enter-Transfere o resultado para o campo."_cp,
      "Alt T (Termina) Termina uma declaração ou sai do programa."_cp,
      "Alt I (Iniciar) Abre a tela de selecionar o contribuinte para fazer a declaração."_cp,
      "Alt U (US$) Transforma R$ <-> US$. Serve também como uma somadora auxiliar."_cp,
      "Alt U Nos pagamentos com o código 50 separa do GPS o valor do empregador."_cp,
      "Alt U Nos pagamentos de pensão(30 a 34) transfere p/ F2 os valores mensais."_cp,
      "Ctrl C Copia o campo que está e leva para a área de transferência do Windows."_cp,
      "Alt V Traz a área de transferência do Windows para o campo onde estiver."_cp,
      "Alt X ou Alt Z(Zoom) Amplia declaração de bens ou ônus "_cp,
      "Alt W (Write) Grava a declaração e permanece na declaração"_cp,
      "Alt F1 Tela auxiliar da F1 (P.Física)-Guarda a lista das fontes pagadoras e CNPJ"_cp,
      "Alt F1 estando no CNPJ aparecerá a lista dos Bancos com seu CNPJ"_cp,
      "Alt F4 Tela auxiliar da tela 4 (Pagamentos) p/ guardar dados repetitivos"_cp,
      "Alt F5 Tela auxiliar da tela 5 (Bens) p/ copiar guardar dados repetitivos"_cp,
      "Alt F6 Abre na tela 5 a tela para preencher prejuízos sem ganho de capital"_cp,
      "Alt 2 e 3 No LCaixa do AAR. Alt 2 marca o inicio para uma soma e Alt 3 o final"_cp,
      "Para a descrição da declaração de bens, das dívidas e a tela de observações (F11)"_cp,
      "ALT Down (Seta p/baixo).Traz da área do Windows e sem limites de linhas"_cp,
      "Alt Up (seta p/cima). Copia a linha para a memória, somando a existente anterior"_cp,
      "Alt End. Fim da cópia feita pelo Alt Up e envia para a área do Windows"_cp,
  });
  return lines;
}

std::vector<std::string> wrap_box_lines(const std::vector<std::string>& lines, size_t width, size_t indent) {
  std::vector<std::string> out;
  for (const std::string& line : lines) {
    std::string rest = line;
    bool first = true;
    while (rest.size() > width) {
      size_t cut = rest.rfind(' ', width);
      const size_t lead = first ? 0 : indent;
      if (cut == std::string::npos || cut <= lead) cut = width;
      out.push_back(rest.substr(0, cut));
      size_t next = rest.find_first_not_of(' ', cut);
      rest = std::string(indent, ' ') + (next == std::string::npos ? std::string() : rest.substr(next));
      first = false;
    }
    out.push_back(rest);
  }
  return out;
}

void HELPGER(Ui& ui) { AVISOSN(ui, wrap_box_lines(HELPGER_LINES(), kBoxWidth, kKeyIndent), 0); }

void HELPFUN(Ui& ui) { AVISOSN(ui, wrap_box_lines(HELPFUN_LINES(), kBoxWidth, kKeyIndent), 0); }

bool show_help_text(Ui& ui, storage::Database& db, std::string_view key) {
  constexpr int kHelpTable = 45;
  const int caller = db.selected();
  storage::WorkArea& area = db.area(kHelpTable);
  const bool was_open = area.used();
  // The table opens only when its memo file is there too.
  if (!was_open && (!db.ABERTURA(kHelpTable) || !area.used())) {
    db.select(caller);
    return false;
  }
  const size_t order = area.active_order();
  const uint32_t recno = area.eof() ? 0 : area.recno();
  std::string text;
  if (area.order_count() >= 1) {
    area.set_order(1);
    if (area.seek(core::Value(variable_name(key)), storage::Seek::Exact)) text = area.text("TEXTO");
  }
  if (was_open) {
    area.set_order(order);
    area.go_to(recno);
  } else {
    area.close();
  }
  db.select(caller);
  if (core::trim(text).empty()) return false;

  std::vector<std::string> lines(1);
  for (char c : core::rtrim(text)) {
    if (c == '\r') continue;
    if (c == '\n') lines.emplace_back();
    else lines.back() += c;
  }
  // Not through the OK box of AVISOSN, which drops the ";" of its texts.
  MSGALERT(ui.con, wrap_box_lines(lines, kBoxWidth), {"OK"}, "N/W", "Ajuda", true);
  return true;
}

}  // namespace vormel::screen
