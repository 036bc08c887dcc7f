// The hardware-free test bench: our own pcscd with virtual readers of vsmartcard-vpcd, and token
// simulators that tests lay on those readers and lift again.
//
// Every pcscd binds /run/pcscd/pcscd.comm, so bench tests run one at a time (CTest's resource
// lock "pcscd"), and tools/test gives them a private /run when it runs as root.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// One simulator process playing one token on one virtual reader.
class TokenSimulator {
  public:
    TokenSimulator(pid_t pid, int controlPort, int readerPort);
    ~TokenSimulator();
    TokenSimulator(const TokenSimulator&) = delete;
    TokenSimulator& operator=(const TokenSimulator&) = delete;

    // One control line; the reply line without its end, or "error ..." when the link broke.
    // Safe from several threads.
    std::string Command(const std::string& line);
    bool Place() { return Command("place") == "ok"; }
    bool Lift() { return Command("lift") == "ok"; }
    bool Set(const std::string& what, const std::string& value) {
        return Command("set " + what + " " + value) == "ok";
    }
    // Lifts the token as soon as the named command (read, auth, burn, ...) arrives, unanswered.
    bool DropOn(const std::string& command) { return Command("drop-on " + command) == "ok"; }

    // The status line as key/value pairs: placed, connected, serial, clock, code, seed, sealed,
    // session, model, and counters (select, read, challenge, auth, burn, settime, seal, other,
    // atr, poweron, poweroff, reset, connects, lifts).
    std::map<std::string, std::string> Status();
    std::string Code() { return Status()["code"]; }
    int64_t Clock() { return std::stoll(Status()["clock"]); }
    std::string Seed() { return Status()["seed"]; }
    bool Sealed() { return Status()["sealed"] == "1"; }
    uint64_t Counter(const std::string& name) { return std::stoull(Status()[name]); }

    int ReaderPort() const { return readerPort_; }
    // Ends the process (quit, then a kill if it does not go).
    void Stop();

  private:
    pid_t pid_;
    int controlPort_;
    int readerPort_;
    std::mutex lock_;  // one request and its reply at a time
    int fd_ = -1;
};

class TokenBench {
  public:
    // Picks free ports for the readers; starts nothing yet.
    TokenBench();
    // Stops the simulators and the daemon.
    ~TokenBench();
    TokenBench(const TokenBench&) = delete;
    TokenBench& operator=(const TokenBench&) = delete;

    // Starts our pcscd with one vpcd line per friendly name; each line gives two readers,
    // "<name> 00 00" and "<name> 00 01". Waits until the daemon lists all of them.
    bool StartDaemon(const std::vector<std::string>& friendlyNames = {"Ondrel Bench A"});
    // Stops the daemon (simulators keep running and reconnect when it comes back).
    void StopDaemon();
    bool RestartDaemon(const std::vector<std::string>& friendlyNames);

    // The reader names of the last configuration, in configuration order.
    std::vector<std::string> ReaderNames() const;
    int ReaderPort(int reader) const { return basePort_ + reader; }

    // Starts a simulator for reader index `reader` (not yet laid on unless "--placed" is given).
    // Extra options are ondrel-tokensim's (--serial, --key, --offset, --seed, --sealed, --model).
    TokenSimulator* StartSimulator(int reader, const std::vector<std::string>& options = {});

    // Waits until the daemon reports a token on (or off) the reader; false on timeout.
    bool WaitCard(int reader, bool present, int timeoutMs = 5000);

    // Why the last start failed, for the test's failure message.
    const std::string& LastError() const { return error_; }
    // The folder of the running program, where the simulator and the token library lie.
    static std::string ProgramFolder();

  private:
    bool WaitForReaders(int timeoutMs);

    int basePort_ = 0;
    pid_t daemon_ = -1;
    std::string configDir_;
    std::vector<std::string> friendlyNames_;
    std::vector<std::unique_ptr<TokenSimulator>> simulators_;
    std::string error_;
};
