// The start-up state of one run: the terminal, the folders and the settings the screens
// read. Filled by start-up; one object per run, owned by the application.
#pragma once
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/date.h"
#include "core/record.h"
#include "shell/print_selection.h"

namespace vormel::shell {

struct Globals {
  std::string NUSU = "00";  // terminal number "00"–"99"
  std::string DIRDEF;       // raw value of DVORMEL
  std::string ROTADEF;      // program folder without trailing "/"
  std::string ARQDEF;       // the same with "/"
  std::string ROTADOANO;    // current work folder
  std::string ROTA, LOCARQ;
  std::string DIRTRAB, LOCTRAB;
  std::string VERSAO = "Lib  ";
  std::string CULTIMAVER = "03/05/16";
  std::string NOMEAG;  // agenda user name
  core::Date HOJE;
  int OPCAO_1 = 1;
  bool LESTOUNADECL = false;
  bool QUERSEN = false;
  int TEMP_SAL = 15;
  std::string XDRIVE = "A";
  std::string NOMEIMP = "NAO DOS";
  int NRO_VIAS = 1;
  std::string ULT_CPF, CPF, LOCIRPF, DIRORIG;
  core::Date ULTBACK;
  int NDIASEM = 0;
  // The settings records as loaded and changed during the run; the fields mirrored by
  // the typed globals above are copied in and out by settings.cpp.
  core::Record CONFIG, DEFINE;
  // The print selection (kept in CONFIG) and its summary lines ITEM[1..7].
  PrintSelection print;
  std::array<std::string, 8> ITEM;
  // Today's agenda alarms still to come: time "HHMM" and note.
  std::vector<std::pair<std::string, std::string>> AAGEN;
};

}  // namespace vormel::shell
