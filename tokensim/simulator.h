// The simulator process: one token, its link to a virtual reader, and a line-based control port
// through which tests and the bench lay the token on, lift it and read its state.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tokensim/token_card.h"
#include "tokensim/vpcd_link.h"

struct SimulatorOptions {
    std::string readerHost = "127.0.0.1";
    int readerPort = 0;
    int controlPort = 0;  // 0: any free port, printed at start
    bool placed = false;
    TokenConfig token;
};

class Simulator {
  public:
    explicit Simulator(SimulatorOptions options);
    // Serves the reader and the control port until "quit". Returns the exit status.
    int Run();
    // One control line in, one reply line out (no line end).
    std::string Control(const std::string& line);

  private:
    void OnReaderMessage(const Bytes& payload);
    std::string Status() const;
    std::string Set(const std::string& what, const std::string& value);
    void Lift();

    SimulatorOptions options_;
    TokenCard card_;
    VpcdLink link_;
    bool placed_;
    bool quit_ = false;
    std::string dropOn_ = "none";  // command whose arrival lifts the token without an answer
    int delayMs_ = 0;
    std::map<std::string, uint64_t> events_;  // control codes, placements, lifts
};
