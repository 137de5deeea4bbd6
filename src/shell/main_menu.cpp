// The main menu bar: every pad and item, each item calling MENUSELECT with its command.
#include "core/cp850.h"
#include "shell/application.h"

namespace vormel::shell {

using namespace core::literals;

namespace {
std::string s(std::string_view v) { return std::string(v); }
}  // namespace

void Application::MENUCOMMAND(int mode) {
  screen::Menu& m = con_.menu();
  m = screen::Menu();
  if (mode == 1) return;
  auto cmd = [this, &m](const std::string& caption, int command, int option = 0, int option2 = 0) {
    m.item(caption, [this, command, option, option2] { MENUSELECT(command, option, option2); });
  };
  auto caption_only = [&m](const std::string& caption) { m.item(caption); };

  m.sub_menu(s("&Declaração"_cp));
  {
    auto& item = m.item(s("&Declaração (Alt I)"_cp), [this] { MENUSELECT(11); });
    item.shortcut = "Alt+I";
  }
  cmd("&Lancamentos", 12);
  cmd(s("&Conferência"_cp), 13);
  cmd("&Agenda", 14);
  cmd("&Pastas", 15);
  m.sub_menu(s("&Exclusão"_cp));
  m.sub_menu(s("Exclui &Declaração"_cp));
  cmd("Varios    ", 16, 1, 1);
  cmd("Individual", 16, 1, 2);
  m.end_menu();
  cmd("Exclui somente o &AAR", 16, 2, 1);
  cmd(s("&Recupera declaração Excluida recentemente"_cp), 16, 3);
  m.end_menu();
  cmd(s("&Importação"_cp), 17);
  m.separator();
  cmd("Atuali&za base dados", 19);
  m.separator();
  {
    auto& item = m.item("&Terminar (Alt T)", [this] { MENUSELECT(18); });
    item.shortcut = "Alt+T";
  }
  m.end_menu();

  m.sub_menu(s("&Opções"_cp));
  cmd("&Local de trabalho", 21);
  cmd(s("&Transfere declaração"_cp), 22);
  m.sub_menu("&Senha");
  cmd(std::string(g_.QUERSEN ? "Retira" : "Coloca") + " a senha na entrada", 23, 1);
  cmd("Altera a senha atual", 23, 2);
  m.end_menu();
  m.sub_menu("&Mudar as cores");
  const char* colours[] = {" &Texto              ", " &Contorno das telas ", " &Item Escolhido     ",
                           " &Entr. de dados     ", " &Mensagens          ", " &Help e Avisos      ",
                           " &Fundo Geral        "};
  for (int i = 0; i < 7; ++i) cmd(colours[i], 24, i + 1);
  m.end_menu();
  cmd("&Valores a Cobrar", 25);
  m.sub_menu("&Gravar os dados");
  {
    std::string minutes = std::to_string(g_.TEMP_SAL % 100);
    if (minutes.size() < 2) minutes = " " + minutes;
    cmd(s("&Automático a cada "_cp) + minutes + " minutos", 26, 1);
  }
  cmd("&Manual usando Alt W", 26, 2);
  cmd("&Somente no final ", 26, 3);
  m.end_menu();
  m.sub_menu(s("status da &Declaração"_cp));
  cmd(s(" Alterar situação "_cp), 27, 1);
  cmd(" Cadastrar status ", 27, 2);
  cmd(s(" Trava alteração  "_cp), 27, 3);
  m.end_menu();
  cmd("cadastro &SELIC", 28);
  cmd("&Reindexar Dados", 29);
  cmd("Mudar C&PF", 30);
  m.sub_menu(s("copia &Parte declaração"_cp));
  const char* parts[] = {" Toda a declaração  ", " Declaração de Bens ", " Livro Caixa        ", " Rendime. P.Jurídica",
                         " Pagamentos         ", " Ganho de capital   ", " Renda Variavel     ", " Bens do Espólio    ",
                         " Atividade Rural    ", " Bens/dividas AAR   ", " livro Caixa rural  ", " Imóveis Rurais     "};
  for (int i = 0; i < 12; ++i) {
    cmd(core::cp850::from_utf8(parts[i]), 31, i + 1);
    if (i == 6 || i == 7) m.separator();
  }
  m.end_menu();
  m.sub_menu("e&Xporta Arquivo");
  const char* exports[] = {" declaração Bens  ", " declaração Dívidas ", " Pagamentos       ", " Cadastro         ",
                           " Bens Rurais      ", " díVidas Rurais   ", " Imóveis Rurais   "};
  for (int i = 0; i < 7; ++i) {
    cmd(core::cp850::from_utf8(exports[i]), 32, i + 1);
    if (i == 3) m.separator();
  }
  m.end_menu();
  m.sub_menu("&Boletos");
  cmd("Configura emitente", 33, 1);
  m.sub_menu("Prepara os Boletos ");
  cmd("Cria boleto individual", 33, 2);
  cmd(s("Cria vários boletos   "_cp), 33, 3);
  cmd("Edita os Boletos   ", 33, 4);
  m.end_menu();
  cmd("Gera o Arquivo    ", 33, 5);
  m.end_menu();
  m.sub_menu("&E-mail");
  cmd("Configura Email ", 34, 1);
  cmd("Prepara o Email", 34, 2);
  cmd("Envia o Email", 34, 3);
  m.end_menu();
  m.sub_menu("&Ajustes");
  cmd(s("&Janela na declaração"_cp), 36, 1);
  cmd(s("&Fechando uma declaração"_cp), 36, 2);
  m.end_menu();
  cmd(s("&Ver Atualização"_cp), 35);
  m.end_menu();

  m.sub_menu(s("&Selecão"_cp));
  m.sub_menu("&1- O que imprimir");
  const char* what[] = {"IRenda modo Receita", "IRenda modo  ZORN  ", "Atividade Rural    ", "Livro caixa Rural  ",
                        "Darfes             ", "Ganho de capital   ", "Renda variável     ", "carta Personalizada",
                        "Anotações especiais", "Livro caixa Normal ", "Valores a cobrar   ", "Cadastro           ",
                        "Comprovante rendime", "Etiquetas para CD  ", "relatório Usuário  "};
  for (int i = 0; i < 15; ++i) cmd(core::cp850::from_utf8(what[i]), 41, i + 1);
  m.end_menu();
  m.sub_menu("&2 - Tipo de Folha");
  caption_only(s("Impressão do Imposto /Outros"_cp));
  cmd("    na Folha avulsa  ", 42, 1);
  m.separator();
  caption_only(s("Impressão do Darf "_cp));
  cmd("    na Folha Avulsa       ", 42, 1);
  cmd(s("    no Formulário Continuo"_cp), 42, 2);
  cmd("    no Papel pre-impresso ", 42, 3);
  m.separator();
  caption_only(s("Impressão do cadastro "_cp));
  cmd("    Em Etiquetas     ", 42, 1);
  cmd("    Na Folha avulsa  ", 42, 2);
  m.separator();
  caption_only(s("Impressão das Etiquetas do CD"_cp));
  cmd("    8 Eti. 116x37 ", 42, 1);
  cmd("    12 Eti. 90x24 ", 42, 2);
  cmd("    2*5 Eti.70x50 ", 42, 3);
  cmd("    Pimaco 8296   ", 42, 4);
  m.end_menu();
  m.sub_menu("&3 - Qual pagina");
  caption_only("Escolha para o IR  ");
  const char* pages[] = {"   Tudo na declaração ", "   Tudo menos Balanço ", "   Só IR s/Bal/Malha  ",
                         "   Só IR Sem a Malha  ", "   Rendimentos        ", "   Rendimentos P.Fisica",
                         "   Pagamentos/Isentos ", "   Bens e Dívidas     ", "   Resumo c/Balanço   ",
                         "   Resumo s/Balanço   ", "   Só a Malha fina    "};
  for (int i = 0; i < 11; ++i) cmd(core::cp850::from_utf8(pages[i]), 43, i + 1);
  m.separator();
  caption_only("Escolha para o AAR  ");
  cmd(s("   Todas páginas "_cp), 43, 1);
  cmd(s("   só a página 1 "_cp), 43, 2);
  cmd(s("   só a página 2 "_cp), 43, 3);
  m.separator();
  caption_only("Outros Itens  ");
  cmd(s("   Folha única"_cp), 43, 1);
  m.end_menu();
  m.sub_menu("&4 - Quem imprimir");
  const char* whom[] = {"Individual       ", "Vários           ", "Todos            ", "todas Pastas     ",
                        "Grupo selecionado"};
  for (int i = 0; i < 5; ++i) cmd(core::cp850::from_utf8(whom[i]), 44, i + 1);
  m.end_menu();
  m.sub_menu("&5 - Qual Impressora");
  cmd(g_.NOMEIMP, 45, 1);
  if (g_.NOMEIMP != "NAO DOS") cmd("Porta de saida ", 45, 2);
  m.end_menu();
  cmd(g_.ITEM[6].empty() ? "6-Configura NAO DOS" : g_.ITEM[6], 46, 1);
  cmd(g_.ITEM[7].empty() ? "7- Nro de Vias " + std::to_string(g_.NRO_VIAS % 10) : g_.ITEM[7], 47, 1);
  cmd("Mostra a Selecao", 48, 1);
  m.end_menu();

  m.sub_menu(s("&Impressão"_cp));
  cmd("Imprime os itens selecionados", 51);
  cmd("Mostra a Selecao", 48, 1);
  m.separator();
  cmd(s("Imprime a última impressão NAO-DOS"_cp), 52);
  cmd("Edita Cartas", 53);
  m.end_menu();

  m.sub_menu("&Envia p/ Receita");
  cmd("Somente um contribuinte selecionado", 61);
  cmd("Todos Cpfs selecionados ", 62);
  cmd("Todos os CPFs da pasta atual", 63);
  m.separator();
  m.sub_menu(s("Envia ao terminar só a declaracão com status escolhido"_cp));
  cmd(s("SIM - Envia para a receita só com o status indicado"_cp), 64, 1);
  cmd(s("NÃO - Não envia ao terminar com o status indicado"_cp), 64, 2);
  m.end_menu();
  m.sub_menu(s("Automático no fim da declaracao "_cp));
  cmd(s("SIM - Envia para a receita ao terminar a declaracão"_cp), 65, 1);
  cmd(s("NÃO - Não envia ao terminar uma declaração"_cp), 65, 2);
  m.end_menu();
  cmd(s("Muda ou não Status ao enviar"_cp), 66);
  m.separator();
  cmd("Local do programa da Receita", 67);
  cmd(s("Recupera Declaração do IRPF "_cp), 68);
  m.end_menu();

  m.sub_menu("&Backup");
  // Each backup command works on this program's tables (option 1) or the tax authority's (2).
  auto both_programs = [&](const std::string& caption, int command) {
    m.sub_menu(caption);
    cmd("Do Zorn 2016", command, 1);
    cmd("Da Receita 2016", command, 2);
    m.end_menu();
  };
  both_programs(s("Fazer a cópia    "_cp), 71);
  cmd("Compacta todos no " + g_.XDRIVE + ":", 72, 1);
  both_programs("Compacta uma Pasta", 73);
  m.separator();
  both_programs(s("Recuperar a cópia"_cp), 74);
  cmd("Descompacta todos do " + g_.XDRIVE + ":", 75, 1);
  both_programs("Descompacta uma Pasta", 76);
  m.separator();
  cmd("Informa o Compactador", 77);
  cmd("Informa o processador", 78);
  m.end_menu();

  cmd("&Fim", 91);
}

}  // namespace vormel::shell
