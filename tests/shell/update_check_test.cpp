// The update page: its marker, the verdict, and a real exchange with a server on this
// machine.
#include "shell/update_check.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "console_fixture.h"
#include "core/cp850.h"

namespace vormel::shell {
namespace {

TEST(UpdatePage, MarkerVersionAndDate) {
  struct Case {
    std::string reply;
    bool found;
    std::string version, date;
  };
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
  for (const Case& c : {
           Case{head + "<p>VM16 Lib2  10/06/16</p>", true, "Lib2 ", "10/06/16"},
           Case{"VM16xABCDEy01/01/17", true, "ABCDE", "01/01/17"},          // no header: the whole reply
           Case{head + "VM15 VM16 V1.0  03/05/16 VM16 zzzzz 99/99/99", true, "V1.0 ", "03/05/16"},  // the first
           Case{head + "<p>nada aqui</p>", false, "", ""},
           Case{head + "VM16 Lib2  10/06/", false, "", ""},                     // cut short
           Case{"HTTP/1.1 200 OK\r\nX-Tag: VM16 Lib2  10/06/16\r\n\r\nok", false, "", ""},  // only in the header
           Case{"", false, "", ""},
       }) {
    SCOPED_TRACE(c.reply);
    auto p = find_published(c.reply);
    ASSERT_EQ(p.has_value(), c.found);
    if (!p) continue;
    EXPECT_EQ(p->version, c.version);
    EXPECT_EQ(p->date, c.date);
  }
}

TEST(UpdatePage, WhatToSay) {
  struct Case {
    std::string page;
    UpdateVerdict verdict;
  };
  for (const Case& c : {Case{"VM16 Lib2  10/06/16", UpdateVerdict::NewVersion},
                        Case{"VM16 Lib2  01/01/17", UpdateVerdict::NewVersion},
                        Case{"VM16 Lib   03/05/16", UpdateVerdict::UpToDate},
                        Case{"VM16 Lib0  01/04/16", UpdateVerdict::UpToDate},   // older than this one
                        Case{"VM16 Lib2  32/13/16", UpdateVerdict::NoReading},  // not a date
                        Case{"sem marca", UpdateVerdict::NoReading}}) {
    SCOPED_TRACE(c.page);
    EXPECT_EQ(decide_update(c.page, "03/05/16").verdict, c.verdict);
  }
  auto q = update_question(Published{"Lib2\x07", "10/06/16"}, "Lib  ");
  ASSERT_EQ(q.size(), 2u);
  EXPECT_EQ(core::cp850::to_utf8(q[0]), "Aviso! Existe a versão Lib2? diferente da sua Lib  ");
  EXPECT_EQ(core::cp850::to_utf8(q[1]), "Atualização feita em 10/06/16. Deseja atualizar agora?");
}

TEST(UpdateServerSetting, HostAndPort) {
  auto s = parse_update_server(" atualiza.exemplo.com.br ");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->host, "atualiza.exemplo.com.br");
  EXPECT_EQ(s->port, 80);
  s = parse_update_server("127.0.0.1:8080");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->host, "127.0.0.1");
  EXPECT_EQ(s->port, 8080);
  for (const char* bad : {"", "   ", "host:", "host:0", "host:70000", "host:8x", ":80", "a b", "http://host"})
    EXPECT_FALSE(parse_update_server(bad)) << bad;
  EXPECT_EQ(update_request(UpdateServer{"h", 80}),
            "GET / HTTP/1.1\r\nHost: h\r\nUser-Agent: Programa VORMEL\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(update_request(UpdateServer{"h", 8080}).substr(16, 15), "Host: h:8080\r\nU");
}

// A server on 127.0.0.1 that answers one connection: reads the request up to its blank
// line, sends the reply in small pieces, then closes (or keeps the connection a while).
class OneShotServer {
 public:
  OneShotServer(std::string reply, int hold_ms = 0) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    EXPECT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&addr), len), 0);
    EXPECT_EQ(::listen(listener_, 1), 0);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this, reply = std::move(reply), hold_ms] {
      int fd = ::accept(listener_, nullptr, nullptr);
      if (fd < 0) return;
      char buffer[1024];
      while (request_.find("\r\n\r\n") == std::string::npos) {
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request_.append(buffer, static_cast<size_t>(n));
      }
      for (size_t at = 0; at < reply.size(); at += 700) {
        ::send(fd, reply.data() + at, std::min<size_t>(700, reply.size() - at), MSG_NOSIGNAL);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      if (hold_ms) std::this_thread::sleep_for(std::chrono::milliseconds(hold_ms));
      ::close(fd);
    });
  }
  ~OneShotServer() {
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
  }
  UpdateServer server() const { return UpdateServer{"127.0.0.1", port_}; }
  const std::string& request() const { return request_; }  // after the exchange

 private:
  int listener_ = -1;
  int port_ = 0;
  std::string request_;
  std::thread thread_;
};

std::string page(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\n\r\n" + body;
}

TEST(UpdateExchange, PageWithTheMarkerReadToTheEnd) {
  // The marker comes after several pieces, well past what a single read would give.
  std::string body = std::string(5000, '.') + "VM16 Lib2  10/06/16" + std::string(100, '.');
  OneShotServer server(page(body));
  FetchResult r = fetch_update_page(server.server());
  ASSERT_TRUE(r.connected);
  EXPECT_EQ(r.reply, page(body));
  EXPECT_EQ(decide_update(r.reply, "03/05/16").verdict, UpdateVerdict::NewVersion);
  EXPECT_EQ(server.request(), update_request(server.server()));
}

TEST(UpdateExchange, PageWithoutTheMarker) {
  OneShotServer server(page("<html>em manutencao</html>"));
  FetchResult r = fetch_update_page(server.server());
  ASSERT_TRUE(r.connected);
  EXPECT_EQ(decide_update(r.reply, "03/05/16").verdict, UpdateVerdict::NoReading);
}

TEST(UpdateExchange, ReplyIsCutAtTheLimitAndSilenceEndsIt) {
  FetchLimits limits;
  limits.max_bytes = 3000;
  OneShotServer big(page(std::string(10000, 'x')));
  EXPECT_EQ(fetch_update_page(big.server(), limits).reply.size(), 3000u);
  // A server that keeps the connection open: what arrived is kept.
  limits.receive_ms = 200;
  OneShotServer holding(page("VM16 Lib   03/05/16"), 600);
  FetchResult r = fetch_update_page(holding.server(), limits);
  EXPECT_EQ(decide_update(r.reply, "03/05/16").verdict, UpdateVerdict::UpToDate);
}

// A port that was just free: nothing listens there.
int free_port() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), len), 0);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  ::close(fd);
  return ntohs(addr.sin_port);
}

TEST(UpdateExchange, NoServerListening) {
  FetchResult r = fetch_update_page(UpdateServer{"127.0.0.1", free_port()});
  EXPECT_FALSE(r.connected);
  EXPECT_TRUE(r.reply.empty());
}

// The dialog's answer No to "keep checking" is stored in DEFINE.
using UpdateDialog = testing::ConsoleFixture;

TEST_F(UpdateDialog, RefusedConnectionCanStopTheCheckAtStart) {
  g.DEFINE.set_text("VER_ATUAL", "S");
  backend.keys = {core::Key::Enter, core::Key::ch('N'), core::Key::Enter};
  EXPECT_EQ(INTER(ui, g, db, 0, UpdateServer{"127.0.0.1", free_port()}), UpdateOutcome::Continue);
  EXPECT_TRUE(backend.keys.empty());
  EXPECT_TRUE(backend.showed("Erro no acesso a Internet"));
  EXPECT_TRUE(backend.showed("Nao foi possivel saber se ha atualizacao!"));
  EXPECT_EQ(g.DEFINE.text("VER_ATUAL"), "N");
  ASSERT_TRUE(db.ABERTURA(43));
  db.area(43).go_top();
  EXPECT_EQ(db.area(43).text("VER_ATUAL"), "N");
}

}  // namespace
}  // namespace vormel::shell
