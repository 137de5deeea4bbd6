#include "storage/catalogue.h"

#include "storage/layout_text.h"

namespace vormel::storage {

namespace {

// Declaration tables, in the work folder.
constexpr const char* kIMP01 =
    "CPF C11, (nn=01..10: I3_{nn} N12.2, I4_{nn} N12.2), (nn=11..24: I3_{nn} N12.2),"
    "I3_04GCPV N12.2, I3_04UNIC N12.2, I3_04REDU N12.2, I3_04EXTR N12.2, I3_04GCPVC N12.2, I3_04UNICC N12.2,"
    "I3_04REDUC N12.2, DESPINST C1, DESPALIM N1, RELDEPEN C20, CPFINVENT C11, NOMINVENT C40, ENDINVENT C70,"
    "DATAPARTI D8, DATADECIS D8, NROPROCES C25, VARACIVIL C4, COMARCA C25, UFPROCES C2, ANOOBITO N4,"
    "DECFINAL C1, DECSAIDA C1, DATASAIDA D8, DECJUDI C1, DATALAVRA D8, NOMECARTO C80, CNPJCARTO C14,"
    "MUNICARTO C30, LIVRCARTO N7, FOLHCARTO N7, MORTE2 C1, INVCONJ C1, CPFCOMPA C11, NOMCOMPA C40,"
    "(nn=01..51: I13_{nn} N12.2), QTD_QUOTA N1, CARNEINSS N12.2, CARNEDEPEN N12.2, PREVIDENC N12.2, TIPO_PF C1,"
    "TOTTRABT N12.2, TOTALUGT N12.2, TOTOUTRT N12.2, TOTTRABD N12.2, TOTALUGD N12.2, TOTOUTRD N12.2,"
    "EMPRUR N12.2, AMORUR N12.2, OUTREC N12.2, VALFUTUR N12.2, OUTRDES N12.2, PREJVEN N12.2, PREJVEN1 N12.2,"
    "PREJRUR N12.2, PREJRVA N12.2, LUCRRVA N12.2, DESPNAO N12.2, EMPREST N12.2, DESPDECLA N12.2,"
    "DESPADRAO N12.2, INDALERTA N2, IMPOANTER N12.2, CUSTOANT N12.2, CUSTOANO N12.2, ENTRADGP N12.2,"
    "ISENTNAO N12.2, CAL_AUTO N1, SO_REC L1, NOVREG L1";
constexpr const char* kIMP02 =
    "CPF C11, I1_1 C1, I1_2 C60, I1_3 C18, I1_4 N12.2, I1_5 N12.2, I1_6 N12.2, I1_7 N12.2, I1_8 C11,"
    "TIPOCR C1, DT_LC D8, I1_9 N12.2, I1_10 N12.2, I1_11 C1, (n=12..20: I1_{n} N12.2), I1_21 N5.1, I1_22 C11,"
    "(n=23..34: I1_{n} N12.2), I1_35 C50, I1_36 C2, I1_37 N12.2, I1_38 N12.2, I1_39 N12.2, I1_40 C11,"
    "I1_41 C1, NEW1 L1, (mm=01..12: I1_4{mm} N12.2, I1_5{mm} N12.2, I1_6{mm} N12.2)";
constexpr const char* kIMP03 =
    "CPF C11, NOMEDEPEN C41, CODIDEPEN N3, DATADEPEN D8, CPFDEPEN C11, NRODEPEN N2, CPFHERDE C18,"
    "NITDEPEN C11, SAIUJUNT C1";
constexpr const char* kIMP04 =
    "CPF C11, I7_0 N4, I7_1 N3, I7_2 C512, I7_3 N12.2, I7_4 N12.2, I7_5 N3, I7_6 N4, I7_7 C1, I7_8 C3,"
    "I7_9 N12.2, I7_10 C1, ENDEIMO C30, NUMIMO C6, COMPIMO C30, BAIRIMO C30, CEPIMO C8, MUNICIMO C30,"
    "UFIMO C2, CODMIMO C4, MATRICU C40, LIVRORG C40, CARTORIO C40, AREAIMO N9.1, UNIDADE C1, REGISTRO C1";
constexpr const char* kIMP05 =
    "CPF C11, I8_0 N4, I8_1 N3, I8_2 C512, I8_3 N12.2, I8_4 N12.2, I8_5 N3, I8_6 N12.2, I8_7 N12.2";
constexpr const char* kIMP06 =
    "CPF C11, I6_1 C50, I6_2 C18, I6_3 N2, I6_4 N12.2, I6_5 N12.2, I6_6 N2, I6_7 C11,"
    "(mm=01..12: I6_4{mm} N14.2)";
constexpr const char* kIMP07 =
    "CPF C11, CPFALIEN C11, BEM_NRO N2, RVAR_NRO N2, DAY_TRADE C1, TIPO_BEM N1, NRO_ITEM N3, CPF_DEPE C11,"
    "CPFADQ C18, MAISDE1 C1, CPFNOME C250, PER_TRI N10.6, NOME_ADQ C53, ESPC_BEM C152, RUAIMO C11,"
    "ENDEIMO C30, NUMIMO C6, COMPIMO C21, BAIRIMO C20, CEPIMO C8, MUNICIMO C30, UFIMO C2, DATA_ALI D8,"
    "DATA_ADQ D8, NOME_SOCIE C32, CGC_SOCIE C14, CID_SOCIE C30, EST_SOCIE C2, IND_ALI N11.4, VAL_ALI N12.2,"
    "CUS_ATUAL N12.2, VAL_CORR N12.2, VAL_RECOL N12.2, VAL_TRIBU N12.2, VAL_NAOTRI N12.2, VAL_IMPOSV N12.2,"
    "VAL_IMPOSP N12.2, IMPPAGO N12.2, VEN_PRAZO C1, PEQ_VALOR C1, USU_440 C1, NATUOPER C30, PARCOMPRA C1,"
    "VENDAANT C1, USA_ART31 C1, VAL_PARTE N12.2, PERART31 N10.6, TIPOPART N1, FR1 N18.8, FR2 N18.8,"
    "REDUCAO N12.2, FATOR1 N12.2, FATOR2 N12.2, GAN_TRIV N12.2, GAN_TRIP N12.2, VAL_ANTE N12.2,"
    "VAL_DIFE N12.2, IMP_ANTE N12.2, IMP_DIFE N12.2, FOIDIFE C1, SUJREG C1, NEW L1, REFIRPF C3,"
    "(mm=01..12: REC_MES{mm} N12.2, VAL_TRI{mm} N12.2, DIA_REC{mm} N2, IMP_DEV{mm} N12.2, IMP_PAG{mm} N12.2,"
    " IMP_LEI{mm} N12.2)";
constexpr const char* kIMP08 =
    "CPF C11, BEM_NRO N2, RVAR_NRO N2, DAY_TRADE C1, VALOR_REDU N12.2, VALOR_CUST N12.2, DATA_CUST D8,"
    "IND_CUST N10.4, PER_RED N3, PER_RED1 N11.8, PER_RED2 N11.8, PER_CUST N12.6, RESUL_2 N12.2, RESUL_3 N12.2,"
    "SALDO_COEF N14.4, CM_PONDER N15.6, SALDO_ACAO N9, MOV_ACAO N9, CUST_UNI N12.2, CMED_COEF N18.4,"
    "TIPO_OPER N1, TIPO_ACAO N1, LOTE C17";
constexpr const char* kIMP09 =
    "CPF C11, RETIFICA C1, NOMECONTR C53, TIPOEND C11, ENDERECO C37, NUMERO C6, COMPLEM C21, BAIRRO C20,"
    "CEP C9, CODMUNI C4, MUNICIPIO C30, UF C2, CODPAIS C3, CODEMB C3, DDDTEL C4, TELEFO C9, DDDFAX C4,"
    "NROFAX C9, EMAIL C40, NASCIMENTO D8, TITULO C13, CGCPAGADOR C18, OCUPACAO C69, CDPRO C3, CODAT C2,"
    "DESCRAT C58, NRORECIBO C12, RECIBOATU C12, RECIBOANT C12, CODACESSO C12, SENACESSO C15, VALIDSENA D8,"
    "TEMRURAL C1, ATV_BRASIL C1, E_INVALIDO C1, REGPROF C17, NIT_TIT C11, PROCBRASIL C11, EBRASIL C1,"
    "EXTERIOR C1, CPFCONJU C11, NOVOEND C1, TEM_USO N6, TAM_USO N6, IMPRE C1, ESTATUS N2, ORDEM N2, SOMAG C1,"
    "I9_2 N12.2, I9_3 N12.2, I9_4 C1, I9_5 C1, I9_6 C1, DIRCONJU C80, VALOREC N12.2, BANCO C3, AGENCIA C6,"
    "CONTACO C15, DEBITAUT C1, SALDO N12.2, INDGAS N6.2, USAPADRAO C1, CONJPAD C1, IMPPGRE N12.2,"
    "I13_20 N12.2, I13_24 N12.2, I13_27 N12.2, I13_28 N12.2, I13_35 N12.2, I13_44 N12.2, I13_45 N12.2,"
    "EXGSUSP N12.2, QTD_QUOTA N1, (n=1..5: I13_{n}C N12.2), NUSUAT C2, SO_SIMPLES C1, NOVO C1, TELCELU C9,"
    "TELESCR C9, TELSECR C9, ULTRESI D8, ULTIMOV D8, NROBEN1 C11, NROBEN2 C11, NRQUOTA N1, DFQUOTA N12.2,"
    "NRCLEAO N2, DFCLEAO N12.2, NRGCAPIT N2, DFGCAPIT N12.2, NRRVARIV N2, DFRVARIV N12.2, TRIB_EX N12.2,"
    "NTRIB_EX N12.2, PREJU_EX N12.2, DIVAD_EX N12.2, DIVPG_EX N12.2, TRIB_BR N12.2, NTRIB_BR N12.2,"
    "PREJU_BR N12.2, DIVAD_BR N12.2, DIVPG_BR N12.2, NOMEAG C22";
constexpr const char* kIMP10 = "CPF C11, CODDESP N3, DESCDESP C25, VALODESP N12.2, DESCRITEM C25";
constexpr const char* kIMP11 = "CPF C11, OBSERV C75, CODERR N2, PAGINA N2";
constexpr const char* kIMP12 =
    "CPF C11, CPFDEPEN C11, (mm=01..13: I2_1{mm} N12.2, I2_2{mm} N12.2, I2_3{mm} N12.2, I2_4{mm} N12.2,"
    " I2_5{mm} N12.2, I2_6{mm} N12.2, I2_7{mm} N12.2)";
constexpr const char* kIMP13 =
    "CPF C11, CDCONTA C4, DESCONTA C60, VALODESP N13.2, NROITEM N3, NROCGCCPF C18, LANCADO L1, MESINI N2,"
    "MESFIM N2, CPFDEPEN C11, DESCRI C50";
constexpr const char* kIMP14 = "CPF C11, DESCRICAO C40, PREJUIZO N12.2";
constexpr const char* kIMP15 =
    "CPF C11, ATV_BRASIL C1, (mm=01..12: I3_{mm}OR N12.2, I3_{mm}OD N12.2), (nn=01..07: I4R_{nn} N12.2),"
    "I5_08 N12.2, I5_09 N12.2, I5_10 N12.2, I6_10 N12.2, OPT_20 C1, OPT_20E C1,"
    "(k=1..5: I7_{k}A N6, I7_{k}B N6, I7_{k}C N6, I7_{k}S N6, I7_{k}V1 N6), I7_V1 C22, SO_TOTAL L1";
constexpr const char* kIMP16 =
    "CPF C11, ATV_BRASIL C1, I2R_01 C60, I2R_02 N9.2, I2R_03 C8, I2R_04 N6.2, I2R_05 N1, I2R_06 C55,"
    "I2R_07 N2, VALITR N12.2, CODPAIS C3, RECEXT N12.2, DESEXT N12.2, VALUSE N7.2, RESUS N12.2,"
    "OPC20US N12.2, OPC20RS N12.2";
constexpr const char* kIMP17 =
    "CPF C11, ATV_BRASIL C1, ITEM N3, CODIGO N3, I8R_0 N4, I8R_1 C512, I8R_2 N12.2, I8R_3 C3, I8R_4 N1";
constexpr const char* kIMP18 =
    "CPF C11, ATV_BRASIL C1, I9R_0 N4, ITEM N3, I9R_1 C512, I9R_2 N12.2, I9R_3 N12.2, I9R_4 N12.2, I9R_5 N12.2";
constexpr const char* kIMP19 =
    "CPF C11, ATV_BRASIL C1, DT_LC D8, DESCR C41, VALOR N14.2, NROIMO N2, TIPOCR C1, TEMITR C1";
constexpr const char* kIMP20 =
    "CPF C11, REFEREN N4, NOMEDEPEN C41, NRODEPEN N2, CPFHERDE C18, PERCENT N6.2, VALORBEM N12.2,"
    "DESCRBEM C512, CODIGBEM N3, I7_7 C1, I7_8 C3";

// Settings, lists and per-terminal tables, in the program folder.
constexpr const char* kCONFIG =
    "NRO_TERM C2, ROTAANTER C80, ROTADOANO C80, ROTAREANT C80, ROTARECEI C80, ROTAJAVA C80, ROTABACK C80,"
    "DIRTRAB C80, DIRPROV C80, DIRINST C80, QUEIMP N2, QUEMOD N1, QUEPAG N2, QUECON N1, ENV_STAT N1,"
    "MARESQ N2, INIFOL N2, LINETI N2, NRO_LIN N2, OPC_TRAN N2, COMPAGA N1, IMPBEM C1, IMPBAL C1, MOSIMP C1,"
    "MOSTEL C1, MOSCPF C1, QUERSEN L1, ULT_TER N1, ULT_MOD N1, ULT_SENIR N5, ULT_SENAAR N5, ULT_CPF C11,"
    "XDRIVE C1, SOESTE N2, OPTTRAN N1, NOVOIT N2, ULTBACK D8, OPCIRPF C1, NOMEAG C22, OPCFIM N1";
constexpr const char* kDEFINE =
    "(n=1..8: VCTO{n} D8), VAL_SEG N5.2, VAL_BYTE N5.2, VAL_MIN N8.2, COMO_SAL N1, TEMP_SAL N2, TEMP_DES N2,"
    "VAL_CPMF N8.4, VAL_DOLAR N8.4, BOL_BANCO C4, BOL_AGENCI C4, BOL_CONTA C6, BOL_NOME C30, BOL_CNPJ C14,"
    "BOL_CPF C11, BOL_CARTEI C3, BOL_NOSNRO N8, SER_SMTP C47, NOM_USUA C40, EMA_USUA C40, SEN_USUA C19,"
    "MEMORIZ C1, VER_ATUAL C1, PROCESSA C1, PROGCOMP C1, STATRAVA N2";
constexpr const char* kIMPCORRIG =
    "CPF C11, NOMECONTR C53, IMPPGRE N12.2, QTD_QUOTA N1, IMPOSTO N12.2, RESTITU N12.2, CORRIGI N12.2";
constexpr const char* kDIRET = "SELEC C1, DIRETOR C80";
constexpr const char* kAUXBENS = "DESCRICAO C512, CODIGO N3";
constexpr const char* kAUXPAG = "NOME C50, CGCCPF C18, CODIGO N2";
constexpr const char* kLisErro = "CODERR N2, DESCRI C60, GRAU N1, PAGINA N2";
constexpr const char* kCORES =
    "NRO_TERM C2, COR_TEL1 N3, COR_TEL2 N3, COR_TEL3 N3, COR_MENS N3, COR_PEGA N3, COR_HELP N3, COR_FERID N3,"
    "COR_ESCOL N3, COR_ENCHE N3, COR_1_CLI C10, COR_2_CLI C10, COR_INI C10, COR_SAY C10, COR_GET C10,"
    "COR_CLI_HE C10, COR_ESC_CL C10, COR_ENCH_C C10";
constexpr const char* kCONFIMP =
    "NRO_TERM C2, NROIMPR N1, NROLPT N1, NROCOM N1, LOCIMPR C1, VERMELHO C1, SAIDAPR C8, NOMEIMP C15,"
    "NOMEREDE C60, SEQ0 C60, SEQ1 C60, SEQ2 C60, SEQ3 C60";
constexpr const char* kPRINTS = "CONFIM C1, NOMEIMP C15, SEQ0 C60, SEQ1 C60, SEQ2 C60, SEQ3 C60";
constexpr const char* kFOLHAPG =
    "CPF C11, NOMECONTR C47, NOMEFONTE C40, CNPJFONTE C18, RENDIMENT N12.2, PREVOFICA N12.2, PREVPRIVA N12.2,"
    "PENSAOPAG N12.2, IRRETIDO N12.2, ISENTOAPO N12.2, DIARIAS N12.2, PENSAOREC N12.2, LUCRODIV N12.2,"
    "SOCIO N12.2, IDENIZA N12.2, DECIMO3RO N12.2, COMPLENTA C40, OUTROS C40, OUTROSEXC C40, VALOUTRO N12.2,"
    "VALOUTRE N12.2, IRRF13 N12.2, VALRENRRA N12.2, VALACAO N12.2, VALPRERRA N12.2, VALPENRRA N12.2,"
    "VALIRFRRA N12.2, VALMOLRRA N12.2, QTDMES N5.1";
constexpr const char* kBOLETO =
    "NRODOCUM N5, NOSSONRO N8, DATADOC D8, VALORDOC N12.2, NOMESAC C30, CPFSAC C11";
constexpr const char* kDETALH = "DESCRICAO C40, VALORDOC N12.2, PERCDESP N9.2, PERCRECE N9.2";
constexpr const char* kLISNOME = "CPF C11, NOMECONTR C40, NOMEARQ C80, TIPO C12, ORIGEM C12, IMPRE C1";
constexpr const char* kAGENDA = "NOMEAG C22, HORAG C5, ANOTAG C60, DATAG D8, AVISAG L1";
constexpr const char* kUSOLOG =
    "NOMEAG C22, CPF C11, NOMECONTR C53, DATAUSO D8, INIUSO C8, FIMUSO C8, TEMUSO C8";
constexpr const char* kAUXFON = "NOME C50, CGCCPF C18";

std::vector<TableDef> make_catalogue() {
  using F = Folder;
  using M = OpenMode;
  std::vector<TableDef> t = {
      {1, "IMP01", kIMP01, F::Work, M::AsAsked, {{"CPF", ""}}},
      {2, "IMP02", kIMP02, F::Work, M::AsAsked, {{"CPF", ""}}},
      {3, "IMP03", kIMP03, F::Work, M::AsAsked, {{"CPF", ""}}},
      {4, "IMP04", kIMP04, F::Work, M::AsAsked, {{"CPF+str(I7_0,4)", ""}}},
      {5, "IMP05", kIMP05, F::Work, M::AsAsked, {{"CPF+STR(I8_0,4)", ""}}},
      {6, "IMP06", kIMP06, F::Work, M::AsAsked, {{"CPF+str(I6_3,2)", ""}}},
      {7, "IMP07", kIMP07, F::Work, M::AsAsked, {{"CPF", ""}}},
      {8, "IMP08", kIMP08, F::Work, M::AsAsked, {{"CPF", ""}}},
      {9, "IMP09", kIMP09, F::Work, M::AsAsked, {{"CPF", ""}, {"UPPER(NOMECONTR)", "B"}, {"ESTATUS", "C"}}},
      {10, "IMP10", kIMP10, F::Work, M::AsAsked, {{"CPF", ""}}},
      {11, "IMP11", kIMP11, F::Work, M::AsAsked, {{"CPF", ""}}},
      {12, "IMP12", kIMP12, F::Work, M::AsAsked, {{"CPF", ""}}},
      {13, "IMP13", kIMP13, F::Work, M::AsAsked, {{"CPF", ""}}},
      {14, "IMP14", kIMP14, F::Work, M::AsAsked, {{"CPF", ""}}},
      {15, "IMP15", kIMP15, F::Work, M::AsAsked, {{"CPF+ATV_BRASIL", ""}}},
      {16, "IMP16", kIMP16, F::Work, M::AsAsked, {{"CPF+ATV_BRASIL", ""}}},
      {17, "IMP17", kIMP17, F::Work, M::AsAsked, {{"CPF+ATV_BRASIL", ""}}},
      {18, "IMP18", kIMP18, F::Work, M::AsAsked, {{"CPF+ATV_BRASIL", ""}}},
      {19, "IMP19", kIMP19, F::Work, M::AsAsked, {{"CPF+ATV_BRASIL+DTOS(DT_LC)", ""}}},
      {20, "IMP20", kIMP20, F::Work, M::AsAsked, {{"CPF", ""}, {"CPF+CPFHERDE", "B"}}},
      {42, "CONFIG", kCONFIG, F::Program, M::Shared, {{"NRO_TERM", ""}}},
      {43, "DEFINE", kDEFINE, F::Program, M::Shared, {}},
      {44, "IMPCORRIG", kIMPCORRIG, F::Program, M::Exclusive, {}},
      {45, "HELPTXT", nullptr, F::Program, M::Shared, {{"UPPER(NOME)", ""}}},
      {46, "CODBENS", nullptr, F::Program, M::Shared, {{"CODBEM", ""}}},
      {47, "CODEPEN", nullptr, F::Program, M::Shared, {{"CODDEP", ""}}},
      {48, "CODDIVI", nullptr, F::Program, M::Shared, {{"CODDIV", ""}}},
      {49, "DESPESA", nullptr, F::Program, M::Shared, {{"CODDES", ""}}},
      {50, "DIRET", kDIRET, F::Program, M::Exclusive, {{"upper(DIRETOR)", ""}}, true},
      {51, "UFIRM", nullptr, F::Program, M::Shared, {{"ANOMES", ""}}},
      {52, "AUXBENS", kAUXBENS, F::Program, M::Shared, {{"DESCRICAO", ""}}},
      {53, "AUXPAG", kAUXPAG, F::Program, M::Shared, {{"NOME", ""}}},
      {54, "LisErro", kLisErro, F::Program, M::Shared, {{"CODERR", ""}}},
      {55, "BANCOS", nullptr, F::Program, M::Shared, {{"NUMBAN", ""}, {"upper(NOMEBAN)", "B"}}},
      {56, "CORES", kCORES, F::Program, M::Shared, {{"NRO_TERM", ""}}},
      {57, "CONFIMP", kCONFIMP, F::Program, M::Shared, {{"NRO_TERM", ""}}},
      {58, "OCUPACAO", nullptr, F::Program, M::Shared, {{"CDPRO", ""}, {"upper(OCUPACAO)", "OCUPACAB"}}},
      {59, "CODNATUR", nullptr, F::Program, M::Shared, {{"CODAT", ""}, {"UPPER(DESCRAT)", "CODNATB"}}},
      {60, "TABPAIS", nullptr, F::Program, M::Shared, {{"CODPAIS", ""}}},
      {61, "TABEMBA", nullptr, F::Program, M::Shared, {{"CD_EX", ""}}},
      {62, "CONTAS", nullptr, F::Program, M::Shared, {{"CDCONTA", ""}}},
      {63, "FOLHAPG", kFOLHAPG, F::Program, M::AsAsked, {{"CPF", ""}}},
      {64, "TABMUNI", nullptr, F::Program, M::Shared, {}},
      {65, "TABLOGR", nullptr, F::Program, M::Shared, {{"upper(nomelogra)", ""}}},
      {66, "STATUS", nullptr, F::Program, M::AsAsked, {{"cod", ""}}},
      {67, "BOLETO", kBOLETO, F::Program, M::AsAsked, {{"NOSSONRO", ""}}},
      {68, "DETALH", kDETALH, F::Program, M::Exclusive, {}, true},
      {69, "CODABENS", nullptr, F::Program, M::Shared, {{"CODBEM", ""}}},
      {70, "LISNOME", kLISNOME, F::Program, M::Exclusive, {{"NOMECONTR", ""}, {"CPF", "B"}}},
      {72, "AGENDA", kAGENDA, F::Program, M::Shared,
       {{"NOMEAG", ""}, {"HORAG+DTOC(DATAG)", "B"}, {"ANOTAG", "C"}}},
      {73, "USOLOG", kUSOLOG, F::Program, M::Shared, {{"NOMEAG", ""}, {"CPF", "B"}}},
      {74, "AUXFON", kAUXFON, F::Program, M::Shared, {{"NOME", ""}}},
      {75, "ECACIDAD", nullptr, F::Program, M::Shared, {{"NOME", ""}}},
      {76, "PRINTS", kPRINTS, F::Program, M::Shared, {}},
  };
  return t;
}

}  // namespace

const std::vector<TableDef>& all_tables() {
  static const std::vector<TableDef> tables = make_catalogue();
  return tables;
}

const TableDef* table_def(int number) {
  if (number >= 21 && number <= 40) number -= 20;
  for (const auto& t : all_tables())
    if (t.number == number) return &t;
  return nullptr;
}

Layout layout_of(int number) {
  const TableDef* def = table_def(number);
  if (!def || !def->layout) return {};
  return parse_layout(def->layout);
}

std::string file_base_name(const TableDef& def, const std::string& terminal) {
  if (def.folder == Folder::Work) return def.name + "16";
  if (def.per_terminal) return def.name + terminal;
  return def.name;
}

}  // namespace vormel::storage
