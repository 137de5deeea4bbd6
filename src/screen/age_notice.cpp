#include "screen/age_notice.h"

#include "core/cp850.h"
#include "core/picture.h"

namespace vormel::screen {

using namespace core::literals;

namespace {

constexpr int kBaseYear = 2015;
constexpr size_t kNoticeWidth = 22;

}  // namespace

AgeNotice DIZANOS(const core::Date& birth, const core::Date& today) {
  AgeNotice out{"   ", "  ", "", false};
  if (birth.is_empty()) return out;
  if (birth <= *core::Date::from_ymd(kBaseYear, 12, 31)) {
    out.years = core::STR(kBaseYear - birth.year(), 3);
    out.months = core::STR(12 - birth.month(), 2);
  }
  if (today.is_empty() || birth.month() != today.month()) return out;
  int day = birth.day();
  auto birthday = core::Date::from_ymd(today.year(), birth.month(), day);
  if (!birthday) {  // 29/02 in a year without it
    day = 28;
    birthday = core::Date::from_ymd(today.year(), birth.month(), day);
  }
  const int ahead = day - today.day();
  if (ahead == 0) {
    out.notice = "Faz Aniversário Hoje  "_cp;
    out.attention = true;
  } else if (ahead == 1) {
    out.notice = "Faz Aniversário Amanha"_cp;
    out.attention = true;
  } else if (ahead >= 2 && ahead <= 5) {
    static constexpr std::string_view kDays[] = {"o Domingo", "a Segunda", "a Terça  "_cp, "a Quarta ",
                                                 "a Quinta ", "a Sexta  ", "o Sábado "_cp};
    out.notice = std::string("Aniversário n"_cp) + std::string(kDays[birthday->weekday() - 1]);
  }
  return out;
}

void show_age(Ui& ui, const AgeNotice& age, int top, int left) {
  Grid& g = ui.con.grid();
  const Attr normal = attr_of(ui.con.colour);
  g.write(top + 2, left + 63, age.years, normal);
  g.write(top + 2, left + 71, age.months, normal);
  const std::string notice = age.notice.empty() ? std::string(kNoticeWidth, ' ') : age.notice;
  g.write(top + 1, left + 54, notice, age.attention ? attr_of(ui.colours.CORATEN) : normal);
}

}  // namespace vormel::screen
