// vormel [terminal] [--headless --keys FILE --dump DIR] [--hoje dd/mm/aaaa[-hh:mm:ss]]
// vormel calcula [--pasta DIR] [--cpf CPF ...] [--grava] [--hoje dd/mm/aaaa]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/clock.h"
#include "screen/headless_backend.h"
#include "screen/key_script.h"
#include "screen/terminal_backend.h"
#include "shell/application.h"
#include "shell/calcula_command.h"

namespace {

struct Options {
  std::string terminal;
  bool headless = false;
  std::string keys, dump, hoje;
};

int usage(const std::string& why) {
  std::cerr << "vormel: " << why << "\n"
            << "uso: vormel [terminal] [--headless --keys ARQUIVO --dump PASTA] [--hoje dd/mm/aaaa[-hh:mm:ss]]\n";
  return 2;
}

const char* env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vormel;
  Options o;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "calcula") {
    // The batch recomputation of a folder: no screen at all.
    std::vector<std::string> rest(args.begin() + 1, args.end());
    core::Clock clock;
    for (size_t i = 0; i + 1 < rest.size(); ++i)
      if (rest[i] == "--hoje") {
        auto when = core::parse_hoje(rest[i + 1]);
        if (!when) return usage("data inválida em --hoje: " + rest[i + 1]);
        clock = core::Clock::starting_at(*when);
        rest.erase(rest.begin() + long(i), rest.begin() + long(i) + 2);
        break;
      }
    std::string folder = env("DVORMEL");
    if (folder.empty()) folder = std::filesystem::current_path().string();
    return shell::calcula_command(rest, folder, clock.today(), std::cout, std::cerr);
  }
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    if (a == "--headless") o.headless = true;
    else if (a == "--keys") { if (!value(o.keys)) return usage("falta o arquivo de --keys"); }
    else if (a == "--dump") { if (!value(o.dump)) return usage("falta a pasta de --dump"); }
    else if (a == "--hoje") { if (!value(o.hoje)) return usage("falta a data de --hoje"); }
    else if (a.rfind("--", 0) == 0) return usage("opção desconhecida: " + a);
    else if (o.terminal.empty()) o.terminal = a;
    else return usage("argumento a mais: " + a);
  }

  shell::StartOptions start{o.terminal, env("TERMINAL"), env("DVORMEL"), env("USUAR"), env("EQUIP")};
  const std::string& number = start.terminal_env.empty() ? start.terminal : start.terminal_env;
  if (!number.empty() && !shell::terminal_number(number))
    return usage("número de terminal inválido: " + number + " (use de 00 a 99)");

  core::Clock clock;
  if (!o.hoje.empty()) {
    auto when = core::parse_hoje(o.hoje);
    if (!when) return usage("data inválida em --hoje: " + o.hoje + " (use dd/mm/aaaa ou dd/mm/aaaa-hh:mm:ss)");
    clock = core::Clock::starting_at(*when);
  }

  std::unique_ptr<screen::Backend> backend;
  screen::HeadlessBackend* headless = nullptr;
  if (o.headless) {
    if (o.keys.empty() || o.dump.empty()) return usage("--headless precisa de --keys e --dump");
    std::ifstream in(o.keys, std::ios::binary);
    if (!in) return usage("não foi possível ler " + o.keys);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    auto steps = screen::parse_key_script(text.str(), &error);
    if (!error.empty()) return usage(o.keys + ": " + error);
    std::error_code ec;
    std::filesystem::create_directories(o.dump, ec);
    if (!std::filesystem::is_directory(o.dump)) return usage("não foi possível criar a pasta " + o.dump);
    auto h = std::make_unique<screen::HeadlessBackend>(screen::KeyScript(std::move(steps)), o.dump);
    headless = h.get();
    backend = std::move(h);
  } else {
    auto size = screen::terminal_size();
    if (!size) return usage("é preciso um terminal (ou use --headless)");
    if (size->rows < screen::kMinTermRows || size->cols < screen::kMinTermCols) {
      std::cerr << "vormel: terminal de " << size->cols << "x" << size->rows << "; use pelo menos "
                << screen::kMinTermCols << " colunas por " << screen::kMinTermRows << " linhas.\n";
      return 2;
    }
    backend = std::make_unique<screen::TerminalBackend>();
  }

  try {
    shell::Application app(*backend, clock);
    return app.MAIN(start);
  } catch (const screen::ScriptExhausted&) {
    if (headless) headless->dump("final");
    return 3;
  }
}
