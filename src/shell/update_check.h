// The check for a newer program version (INTER): one HTTP request to the update server,
// whose page carries "VM16", the published version and its date.
//
// The server is named by the environment variable VORMEL_ATUALIZA, "host[:port]" (port
// 80 when not given). When it is empty there is no check.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "screen/ui.h"
#include "shell/globals.h"
#include "storage/database.h"

namespace vormel::shell {

struct UpdateServer {
  std::string host;
  int port = 80;
};
// "host[:port]"; nullopt when empty or not of that form.
std::optional<UpdateServer> parse_update_server(std::string_view setting);
// The server of VORMEL_ATUALIZA; nullopt when none is set.
std::optional<UpdateServer> update_server_from_environment();

// The request sent: GET / with the server's name and the program's user agent.
std::string update_request(const UpdateServer& server);

struct FetchLimits {
  int connect_ms = 5000;   // per address tried
  int receive_ms = 5000;   // silence that ends the reading
  int total_ms = 15000;    // the whole exchange
  size_t max_bytes = 64 * 1024;
};
struct FetchResult {
  bool connected = false;  // false: no connection could be made
  std::string reply;       // what arrived until the server closed, a limit, or an error
};
// Connects, sends the request and reads the reply.
FetchResult fetch_update_page(const UpdateServer& server, const FetchLimits& limits = {});

// What the page publishes: after the first "VM16" of the reply's body, the 5 characters
// from offset 5 (version) and the 8 from offset 11 (date, dd/mm/yy). Nullopt when the
// marker is missing or the text after it is too short.
struct Published {
  std::string version, date;
};
std::optional<Published> find_published(std::string_view reply);

enum class UpdateVerdict { NoReading, UpToDate, NewVersion };
struct UpdateDecision {
  UpdateVerdict verdict = UpdateVerdict::NoReading;
  Published published;
};
// A newer date than this version's is an update; the same or an older one is not. A
// date that cannot be read counts as no reading.
UpdateDecision decide_update(std::string_view reply, std::string_view CULTIMAVER);
// The two lines of the question for a new version.
std::vector<std::string> update_question(const Published& published, std::string_view VERSAO);

enum class UpdateOutcome { Continue, EndProgram };
// INTER: mode 0 at start (quiet when there is nothing new), 1 asked by the user.
// EndProgram: the user chose to update and the download page was opened; the caller
// ends the program. Answering No to keeping the check at start makes VER_ATUAL "N"
// (g.DEFINE and the DEFINE record).
UpdateOutcome INTER(screen::Ui& ui, Globals& g, storage::Database& db, int mode);
// The same against a given server (nullopt: none set).
UpdateOutcome INTER(screen::Ui& ui, Globals& g, storage::Database& db, int mode,
                    const std::optional<UpdateServer>& server, const FetchLimits& limits = {});

// Opens the internet shortcut "zorn.url" of the current folder with the desktop's
// handler (xdg-open), without waiting. False when there is no such file or no handler.
bool open_update_page();

}  // namespace vormel::shell
