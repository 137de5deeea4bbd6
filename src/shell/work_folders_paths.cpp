// Folders as the user types them: drive letters of the old system mapped to folders of
// this one, the comparison of two paths, and the standard folder of the tax program.
#include <cctype>
#include <cstdlib>

#include "core/cp850.h"
#include "core/text.h"
#include "shell/work_folders.h"

namespace vormel::shell {

using namespace core::literals;

namespace {

std::string without_slash(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return std::string(path);
}

char drive_letter(std::string_view typed) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(typed[0])));
}

}  // namespace

bool same_folder(std::string_view a, std::string_view b) { return without_slash(a) == without_slash(b); }

bool is_drive_path(std::string_view typed) {
  return typed.size() >= 2 && std::isalpha(static_cast<unsigned char>(typed[0])) && typed[1] == ':' &&
         (typed.size() == 2 || typed[2] == '\\' || typed[2] == '/');
}

std::optional<std::string> drive_folder(std::string_view typed) {
  if (!is_drive_path(typed)) return std::string(typed);
  const std::string variable = std::string("VORMEL_DRIVE_") + drive_letter(typed);
  const char* root = std::getenv(variable.c_str());
  if (!root || !*root) return std::nullopt;
  std::string folder = without_slash(root);
  for (char ch : typed.substr(2)) folder += ch == '\\' ? '/' : ch;
  return folder;
}

std::optional<std::string> typed_folder(screen::Ui& ui, const std::string& typed) {
  const std::string text = core::trim(typed);
  if (auto folder = drive_folder(text)) return folder;
  const std::string letter(1, drive_letter(text));
  screen::AVISOSN(ui,
                  std::vector<std::string>{"O drive " + letter + std::string(": não tem pasta neste computador."_cp),
                                           "Indique a pasta em VORMEL_DRIVE_" + letter + " ou digite o caminho."},
                  0);
  return std::nullopt;
}

std::string DIRPADRAO() {
  const char* home = std::getenv("HOME");
  const std::string base = home && *home ? without_slash(home) : std::string("/root");
  return base + "/ProgramasRFB/IRPF2016/aplicacao/dados";
}

}  // namespace vormel::shell
