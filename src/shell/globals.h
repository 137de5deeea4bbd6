// The start-up state of one run: the terminal, the folders and the settings the screens
// read. Filled by start-up; one object per run, owned by the application.
#pragma once
#include <string>

#include "core/date.h"

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
};

}  // namespace vormel::shell
