// Small text, time and document helpers used everywhere (CP850 texts in and out).
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

#include "core/date.h"

namespace vormel::core {

// Month name padded to 9 ("Janeiro  " … "Dezembro "); other n give "".
std::string TRAZ_MES(int month);
// "Domingo", "Segunda feira", … "Sabado"; the empty date gives "".
std::string DIA_SEMANA(const Date& d);

int HORA_SEG(std::string_view hh_mm_ss);        // seconds of "HH:MM:SS"
std::string SEG_HORA(long seconds);             // "HH:MM:SS", hours modulo 24
std::string SEG_HOR_2(long seconds);            // "ddDhhhmmm" e.g. "01D02h03m"
long TEMPO_PAS(std::string_view start, std::string_view end);  // a day added when end < start
std::string TEMPO_PAS_TEXT(std::string_view start, std::string_view end);  // mode 1

// Folder helpers: "/" is the separator on this system.
std::string BAR_DIR(std::string_view path);   // trailing "/" added when missing
std::string BAR_FORA(std::string_view path);  // one trailing "/" removed (never the root's)
std::string BAR_ESQ(std::string_view path);   // leading "/" added when missing
std::string TIRA_DIR(std::string_view path);  // part after the last "/"
bool VERDIR(std::string_view path);           // the folder exists (trailing "/" ignored)

std::string TIRA_PONTO(std::string_view text);  // only the digits; " " when there are none
std::string CONTAPONTO(std::string_view doc);   // CPF "999.999.999-99    ", CNPJ "99.999.999/9999-99"
// Mode 1 picks the mask by the payment code of the current payment row.
std::string POEPONTO(std::string_view doc, int mode, int payment_code);

// Accented letters between Windows-1252 (mode 1: Windows → 850) and CP850 (otherwise:
// 850 → Windows); trailing blanks dropped. Pairs whose other side is a plain letter are
// only used from Windows to 850, so plain capitals never gain an accent on the way back.
std::string AJUS_CAR(std::string_view text, int mode);

// Next line of an open text file: the characters up to and including the first line
// feed, or up to the end of the file. An empty result means the end of the file.
std::string LELINHA(std::FILE* file);

// Clipper-style helpers the screens need.
std::string trim(std::string_view s);    // ALLTRIM
std::string rtrim(std::string_view s);   // TRIM
std::string ltrim(std::string_view s);   // LTRIM
std::string pad_right(std::string_view s, size_t width, char fill = ' ');  // PADR, cut to width
std::string pad_left(std::string_view s, size_t width, char fill = ' ');   // PADL, cut to width
std::string pad_center(std::string_view s, size_t width, char fill = ' ');  // PADC

}  // namespace vormel::core
