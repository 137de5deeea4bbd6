#include "shell/update_check.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "core/cp850.h"
#include "core/text.h"
#include "shell/settings.h"

extern char** environ;

namespace vormel::shell {

using namespace core::literals;

namespace {

constexpr std::string_view kMarker = "VM16";
constexpr const char* kShortcut = "zorn.url";

using Clock = std::chrono::steady_clock;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int ms_left(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for `events` on the socket; false on timeout or error.
bool wait_for(int fd, short events, int ms) {
  pollfd p{fd, events, 0};
  for (;;) {
    int r = ::poll(&p, 1, ms);
    if (r < 0 && errno == EINTR) continue;
    return r > 0;
  }
}

// A non-blocking connection to one address, within `ms`; -1 when it failed.
int connect_to(const addrinfo& ai, int ms) {
  int fd = ::socket(ai.ai_family, ai.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai.ai_protocol);
  if (fd < 0) return -1;
  if (::connect(fd, ai.ai_addr, ai.ai_addrlen) == 0) return fd;
  if (errno == EINPROGRESS && wait_for(fd, POLLOUT, ms)) {
    int error = 0;
    socklen_t len = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0) return fd;
  }
  ::close(fd);
  return -1;
}

bool send_all(int fd, const std::string& bytes, Clock::time_point deadline) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<size_t>(n);
    } else if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!wait_for(fd, POLLOUT, ms_left(deadline))) return false;
    } else {
      return false;
    }
  }
  return true;
}

void read_reply(int fd, const FetchLimits& limits, Clock::time_point deadline, std::string* reply) {
  char buffer[8192];
  while (reply->size() < limits.max_bytes) {
    int wait = std::min(limits.receive_ms, ms_left(deadline));
    if (wait <= 0 || !wait_for(fd, POLLIN, wait)) return;  // silence: keep what arrived
    ssize_t n = ::recv(fd, buffer, std::min(sizeof buffer, limits.max_bytes - reply->size()), 0);
    if (n > 0) reply->append(buffer, static_cast<size_t>(n));
    else if (n == 0) return;  // the server closed
    else if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) return;
  }
}

// "dd/mm/yy" as yymmdd; nullopt when it is not a date.
std::optional<int> date_key(std::string_view d) {
  if (d.size() != 8 || d[2] != '/' || d[5] != '/') return std::nullopt;
  auto two = [&](size_t at) -> int {
    if (!is_digit(d[at]) || !is_digit(d[at + 1])) return -1;
    return (d[at] - '0') * 10 + (d[at + 1] - '0');
  };
  int day = two(0), month = two(3), year = two(6);
  if (day < 1 || day > 31 || month < 1 || month > 12 || year < 0) return std::nullopt;
  return year * 10000 + month * 100 + day;
}

// Bytes from the network go on the screen: control characters become "?".
std::string shown(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  return out;
}

void ok_box(screen::Ui& ui, std::string_view text) { screen::AVISOSN(ui, text, 0); }

}  // namespace

std::optional<UpdateServer> parse_update_server(std::string_view setting) {
  std::string text = core::trim(setting);
  if (text.empty()) return std::nullopt;
  UpdateServer s;
  size_t colon = text.rfind(':');
  if (colon != std::string::npos) {
    std::string port = text.substr(colon + 1);
    if (port.empty() || port.size() > 5) return std::nullopt;
    for (char c : port)
      if (!is_digit(c)) return std::nullopt;
    s.port = std::stoi(port);
    if (s.port < 1 || s.port > 65535) return std::nullopt;
    text.resize(colon);
  }
  if (text.empty() || text.find_first_of(" /:\t\r\n") != std::string::npos) return std::nullopt;
  s.host = text;
  return s;
}

std::optional<UpdateServer> update_server_from_environment() {
  const char* value = std::getenv("VORMEL_ATUALIZA");
  return value ? parse_update_server(value) : std::nullopt;
}

std::string update_request(const UpdateServer& server) {
  std::string host = server.host;
  if (server.port != 80) host += ":" + std::to_string(server.port);
  // Connection: close, so the server ends the reply by closing instead of keeping the
  // connection open until the silence limit.
  return "GET / HTTP/1.1\r\nHost: " + host + "\r\nUser-Agent: Programa VORMEL\r\nConnection: close\r\n\r\n";
}

FetchResult fetch_update_page(const UpdateServer& server, const FetchLimits& limits) {
  FetchResult result;
  const auto deadline = Clock::now() + std::chrono::milliseconds(limits.total_ms);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(server.host.c_str(), std::to_string(server.port).c_str(), &hints, &found) != 0) return result;
  int fd = -1;
  for (addrinfo* ai = found; ai && fd < 0 && ms_left(deadline) > 0; ai = ai->ai_next)
    fd = connect_to(*ai, std::min(limits.connect_ms, ms_left(deadline)));
  ::freeaddrinfo(found);
  if (fd < 0) return result;
  result.connected = true;
  if (send_all(fd, update_request(server), deadline)) read_reply(fd, limits, deadline, &result.reply);
  ::close(fd);
  return result;
}

std::optional<Published> find_published(std::string_view reply) {
  // The marker is looked for in the page, past the reply's header when there is one.
  size_t body = reply.find("\r\n\r\n");
  size_t at = reply.find(kMarker, body == std::string_view::npos ? 0 : body + 4);
  if (at == std::string_view::npos || reply.size() < at + 19) return std::nullopt;
  return Published{std::string(reply.substr(at + 5, 5)), std::string(reply.substr(at + 11, 8))};
}

UpdateDecision decide_update(std::string_view reply, std::string_view CULTIMAVER) {
  UpdateDecision d;
  auto published = find_published(reply);
  if (!published) return d;
  auto theirs = date_key(published->date);
  if (!theirs) return d;
  d.published = *published;
  auto ours = date_key(CULTIMAVER);
  d.verdict = !ours || *theirs > *ours ? UpdateVerdict::NewVersion : UpdateVerdict::UpToDate;
  return d;
}

std::vector<std::string> update_question(const Published& p, std::string_view VERSAO) {
  return {std::string("Aviso! Existe a versão "_cp) + shown(p.version) + " diferente da sua " + std::string(VERSAO),
          std::string("Atualização feita em "_cp) + shown(p.date) + ". Deseja atualizar agora?"};
}

UpdateOutcome INTER(screen::Ui& ui, Globals& g, storage::Database& db, int mode) {
  return INTER(ui, g, db, mode, update_server_from_environment());
}

UpdateOutcome INTER(screen::Ui& ui, Globals& g, storage::Database& db, int mode,
                    const std::optional<UpdateServer>& server, const FetchLimits& limits) {
  if (!server) {
    // No update server is set: nothing to ask; the user who asked is told so.
    if (mode == 1) ok_box(ui, "Nao foi possivel saber se ha atualizacao!");
    return UpdateOutcome::Continue;
  }
  screen::MENS(ui, 0, "Verificando se existe atualização...."_cp);
  ui.con.present();
  FetchResult r = fetch_update_page(*server, limits);
  if (!r.connected) {
    ok_box(ui, "Erro no acesso a Internet");
    if (core::cp850::upper(core::trim(g.DEFINE.text("VER_ATUAL"))) == "S" &&
        !screen::AVISOSN(ui, "Continua a fazer essa verificação sempre na entrada?"_cp, 1).yes) {
      g.DEFINE.set_text("VER_ATUAL", "N");
      write_define(db, g, {"VER_ATUAL"});
    }
    ok_box(ui, "Nao foi possivel saber se ha atualizacao!");
    screen::MENS(ui, 0);
    return UpdateOutcome::Continue;
  }
  UpdateDecision d = decide_update(r.reply, g.CULTIMAVER);
  switch (d.verdict) {
    case UpdateVerdict::NoReading:
      if (mode == 1) ok_box(ui, "Não houve leitura sobre a atualização!"_cp);
      break;
    case UpdateVerdict::UpToDate:
      if (mode == 1) ok_box(ui, "Não existe atualização no momento!"_cp);
      break;
    case UpdateVerdict::NewVersion:
      if (screen::AVISOSN(ui, update_question(d.published, g.VERSAO), 1).yes) {
        ok_box(ui, "Saindo do programa para a nova atualização"_cp);
        open_update_page();
        screen::MENS(ui, 0);
        return UpdateOutcome::EndProgram;
      }
      break;
  }
  screen::MENS(ui, 0);
  return UpdateOutcome::Continue;
}

bool open_update_page() {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(kShortcut, ec)) return false;
  // The handler's output must not land on the program's screen.
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
#ifdef POSIX_SPAWN_SETSID
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);  // it outlives the program
#endif
  char program[] = "xdg-open";
  char shortcut[] = "zorn.url";
  char* argv[] = {program, shortcut, nullptr};
  pid_t pid = 0;
  int r = posix_spawnp(&pid, program, &files, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&files);
  return r == 0;
}

}  // namespace vormel::shell
