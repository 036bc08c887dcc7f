#include "tokensim/simulator.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

namespace {

// A T=1 answer-to-reset without historical bytes, as contactless cards give through PC/SC.
const Bytes kAtr = {0x3B, 0x80, 0x80, 0x01, 0x01};
constexpr int kRetryMs = 50;

int ListenOn(int port, int& boundPort) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 8) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    boundPort = ntohs(address.sin_port);
    return fd;
}

struct ControlClient {
    int fd;
    std::string pending;
};

}  // namespace

Simulator::Simulator(SimulatorOptions options)
    : options_(std::move(options)), card_(options_.token), placed_(options_.placed) {}

int Simulator::Run() {
    int controlPort = 0;
    int listener = ListenOn(options_.controlPort, controlPort);
    if (listener < 0) {
        std::fprintf(stderr, "tokensim: cannot listen on control port %d\n", options_.controlPort);
        return 1;
    }
    std::printf("control %d\n", controlPort);
    std::fflush(stdout);

    std::vector<ControlClient> clients;
    auto lastAttempt = std::chrono::steady_clock::now() - std::chrono::seconds(1);
    while (!quit_) {
        if (placed_ && !link_.Connected() &&
            std::chrono::steady_clock::now() - lastAttempt >= std::chrono::milliseconds(kRetryMs)) {
            lastAttempt = std::chrono::steady_clock::now();
            if (link_.TryConnect(options_.readerHost, options_.readerPort)) ++events_["connects"];
        }
        std::vector<pollfd> fds;
        fds.push_back({listener, POLLIN, 0});
        for (const ControlClient& c : clients) fds.push_back({c.fd, POLLIN, 0});
        if (link_.Connected()) fds.push_back({link_.Fd(), POLLIN, 0});
        if (poll(fds.data(), fds.size(), kRetryMs) < 0 && errno != EINTR) return 1;

        if (link_.Connected() && (fds.back().revents & (POLLIN | POLLHUP | POLLERR))) {
            Bytes payload;
            if (link_.ReadFrame(payload)) {
                OnReaderMessage(payload);
            } else {
                card_.PowerOff();  // the reader went away
            }
        }
        for (size_t i = 0; i < clients.size(); ++i) {
            if (!(fds[i + 1].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buffer[512];
            ssize_t n = recv(clients[i].fd, buffer, sizeof buffer, 0);
            if (n <= 0) {
                close(clients[i].fd);
                clients[i].fd = -1;
                continue;
            }
            clients[i].pending.append(buffer, static_cast<size_t>(n));
            size_t end;
            while ((end = clients[i].pending.find('\n')) != std::string::npos) {
                std::string line = clients[i].pending.substr(0, end);
                clients[i].pending.erase(0, end + 1);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                std::string reply = Control(line) + "\n";
                send(clients[i].fd, reply.data(), reply.size(), MSG_NOSIGNAL);
            }
        }
        std::erase_if(clients, [](const ControlClient& c) { return c.fd < 0; });
        if (fds[0].revents & POLLIN) {
            int fd = accept(listener, nullptr, nullptr);
            if (fd >= 0) clients.push_back({fd, {}});
        }
    }
    for (ControlClient& c : clients) close(c.fd);
    close(listener);
    return 0;
}

void Simulator::OnReaderMessage(const Bytes& payload) {
    if (payload.size() == 1) {
        switch (payload[0]) {
            case 0x00:
                ++events_["poweroff"];
                card_.PowerOff();
                return;
            case 0x01:
                ++events_["poweron"];
                return;
            case 0x02:
                ++events_["reset"];
                card_.PowerOff();
                return;
            case 0x04:
                ++events_["atr"];
                link_.WriteFrame(kAtr);
                return;
            default:
                break;  // not a control code: answered as a (too short) command
        }
    }
    if (dropOn_ != "none" && TokenCard::CommandName(payload) == dropOn_) {
        dropOn_ = "none";
        Lift();  // lifted in the middle of the command: no answer
        return;
    }
    Bytes response = card_.Process(payload);
    if (delayMs_ > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delayMs_));
    link_.WriteFrame(response);
}

void Simulator::Lift() {
    placed_ = false;
    link_.Close();
    card_.PowerOff();
    ++events_["lifts"];
}

std::string Simulator::Status() const {
    int64_t now = HostUtcNow();
    const TokenConfig& token = card_.Config();
    std::ostringstream out;
    out << "placed=" << (placed_ ? 1 : 0) << " connected=" << (link_.Connected() ? 1 : 0)
        << " serial=" << token.serial << " clock=" << card_.ClockAt(now)
        << " code=" << card_.CodeAt(now)
        << " seed=" << (token.seed.empty() ? "none" : ToHex(token.seed))
        << " sealed=" << (token.sealed ? 1 : 0) << " session=" << (card_.InSession() ? 1 : 0)
        << " model=" << (token.setClockClearsSeed ? "clears-seed" : "keeps-seed");
    for (const char* name :
         {"select", "read", "challenge", "auth", "burn", "settime", "seal", "other"}) {
        auto found = card_.Counters().find(name);
        out << " " << name << "=" << (found == card_.Counters().end() ? 0 : found->second);
    }
    for (const char* name : {"atr", "poweron", "poweroff", "reset", "connects", "lifts"}) {
        auto found = events_.find(name);
        out << " " << name << "=" << (found == events_.end() ? 0 : found->second);
    }
    return out.str();
}

std::string Simulator::Control(const std::string& line) {
    std::istringstream in(line);
    std::string command;
    std::string what;
    std::string value;
    in >> command >> what >> value;
    int64_t now = HostUtcNow();
    if (command == "status") return Status();
    if (command == "code") return card_.CodeAt(now);
    if (command == "clock") return std::to_string(card_.ClockAt(now));
    if (command == "serial") return card_.Config().serial;
    if (command == "seed") return card_.Config().seed.empty() ? "none" : ToHex(card_.Config().seed);
    if (command == "sealed") return card_.Config().sealed ? "1" : "0";
    if (command == "place") {
        ++events_["places"];
        placed_ = true;
        return "ok";
    }
    if (command == "lift") {
        if (placed_) Lift();
        return "ok";
    }
    if (command == "set") return Set(what, value);
    if (command == "drop-on") {
        static const char* names[] = {"none", "select", "read",    "challenge",
                                      "auth", "burn",   "settime", "seal"};
        for (const char* name : names) {
            if (what == name) {
                dropOn_ = what;
                return "ok";
            }
        }
        return "error unknown command name";
    }
    if (command == "delay") {
        try {
            delayMs_ = std::stoi(what);
        } catch (...) {
            return "error delay needs milliseconds";
        }
        return "ok";
    }
    if (command == "reset-counters") {
        card_.Counters().clear();
        events_.clear();
        return "ok";
    }
    if (command == "quit") {
        quit_ = true;
        return "ok";
    }
    return "error unknown command";
}

std::string Simulator::Set(const std::string& what, const std::string& value) {
    TokenConfig& token = card_.Config();
    if (what == "serial") {
        if (value.empty() || value.size() > 31) return "error serial must have 1 to 31 characters";
        token.serial = value;
    } else if (what == "key") {
        Bytes key;
        if (!ParseHex(value, key) || key.size() != 16) return "error key must be 32 hex digits";
        token.customerKey = key;
    } else if (what == "offset") {
        try {
            token.clockOffset = std::stoll(value);
        } catch (...) {
            return "error offset must be seconds";
        }
    } else if (what == "seed") {
        Bytes seed;
        if (value == "none") {
            seed.clear();
        } else if (!ParseHex(value, seed) || seed.empty() || seed.size() > 96) {
            return "error seed must be 1 to 96 bytes of hex";
        }
        token.seed = seed;
    } else if (what == "sealed") {
        if (value != "0" && value != "1") return "error sealed must be 0 or 1";
        token.sealed = value == "1";
    } else if (what == "model") {
        if (value != "clears-seed" && value != "keeps-seed") {
            return "error model must be clears-seed or keeps-seed";
        }
        token.setClockClearsSeed = value == "clears-seed";
    } else {
        return "error unknown setting";
    }
    return "ok";
}
