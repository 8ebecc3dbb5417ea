// tav-server: many tables of the game for players over WebSocket, and the
// page a browser plays them from on the same port.
//   tav-server --listen 127.0.0.1:8080 [--data DIR] [--tls-cert F --tls-key F]
#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "net/lobby.h"
#include "server/entropy.h"
#include "server/journal.h"
#include "server/lobby_service.h"
#include "server/options.h"
#include "server/transport.h"

#ifndef TAV_VERSION
#define TAV_VERSION "0"
#endif

namespace {

using namespace tav;

// One line on stderr with the time: what journald or a terminal shows.
void log_line(std::string_view line) {
    const std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::gmtime(&now));
    std::fprintf(stderr, "%s %.*s\n", stamp, static_cast<int>(line.size()), line.data());
}

// The journal as the transport keeps entries: a failure throws, and the
// transport stops before sending anything it could not keep.
class JournalKeeper final : public server::Keeper {
public:
    explicit JournalKeeper(server::Journal& journal) : journal_(journal) {}
    void append(const std::vector<net::JournalEntry>& entries) override { check(journal_.append(entries)); }
    void commit() override { check(journal_.commit()); }
    void forget(const std::string& table) override { check(journal_.forget(table)); }

private:
    void check(bool ok) const {
        if (!ok) throw std::runtime_error(journal_.error());
    }
    server::Journal& journal_;
};

int serve(const server::ServerCommand& command) {
    net::LobbyOptions limits;
    limits.messages_per_second = command.message_rate;
    limits.message_burst = 2.0 * command.message_rate;
    net::Lobby lobby(limits, [] { return server::crypto_random(); });
    std::unique_ptr<server::Journal> journal;
    std::unique_ptr<JournalKeeper> keeper;
    if (!command.data.empty()) {
        journal = std::make_unique<server::Journal>(command.data);
        if (!journal->ok()) {
            log_line("cannot open the journal in " + command.data + ": " + journal->error());
            return 1;
        }
        const std::vector<net::JournalEntry> entries = journal->load();
        if (!journal->error().empty()) {
            log_line("cannot read the journal: " + journal->error());
            return 1;
        }
        const net::Lobby::Restored restored = lobby.restore(entries, server::wall_clock());
        // A table whose entries do not replay is left out; the others serve on.
        if (!restored.error.empty()) log_line("some tables could not be restored: " + restored.error);
        // The restored players' seats are dropped as of now: kept like any change.
        if (!journal->append(restored.journal) || !journal->commit()) {
            log_line("cannot write the journal: " + journal->error());
            return 1;
        }
        log_line(std::to_string(restored.tables) + " tables restored from the journal");
        keeper = std::make_unique<JournalKeeper>(*journal);
    }
    server::TransportOptions options;
    options.address = command.listen.address;
    options.port = command.listen.port;
    options.tls_cert = command.tls_cert;
    options.tls_key = command.tls_key;
    options.stop_on_signals = true;
    server::LobbyService service(lobby);
    server::Transport transport(options, service, keeper.get(), log_line);
    const std::string bound = transport.listen();
    std::printf("listening on %s\n", bound.c_str());
    std::fflush(stdout);
    if (!transport.run()) return 1;
    log_line("stopped");
    return 0;
}

// Thousands of connections need as many open files as the system lets this
// process have.
void raise_open_files() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const server::ServerCommand command = server::parse_server_command(arguments, TAV_VERSION);
    switch (command.action) {
        case server::ServerCommand::Action::help:
        case server::ServerCommand::Action::version: std::fputs(command.text.c_str(), stdout); return 0;
        case server::ServerCommand::Action::refuse: std::fputs(command.text.c_str(), stderr); return 2;
        case server::ServerCommand::Action::serve: break;
    }
    raise_open_files();
    try {
        return serve(command);
    } catch (const std::exception& e) {
        log_line(std::string("tav-server: ") + e.what());
        return 1;
    }
}
