// One simulated token: its state and its answers to the token protocol's commands.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "tokensim/sim_crypto.h"

struct TokenConfig {
    std::string serial = "41720310001234";
    Bytes customerKey;        // 16 bytes
    int64_t clockOffset = 0;  // seconds added to the host's UTC clock
    Bytes seed;               // empty: no seed burnt
    bool sealed = false;
    bool setClockClearsSeed = false;  // the token model whose seed goes when its clock is set
};

class TokenCard {
  public:
    explicit TokenCard(TokenConfig config) : config_(std::move(config)) {}

    // Answers one command APDU with response data and status word.
    Bytes Process(const Bytes& apdu);
    // Power off and reset: the selection, a pending challenge and the session are gone.
    void PowerOff();

    int64_t ClockAt(int64_t hostTime) const { return hostTime + config_.clockOffset; }
    // The six digits the display shows at the token's clock, or "none" without a seed.
    std::string CodeAt(int64_t hostTime) const;
    bool InSession() const { return session_.has_value(); }

    TokenConfig& Config() { return config_; }
    const TokenConfig& Config() const { return config_; }
    // Commands answered, by name (select, read, challenge, auth, burn, settime, seal, other).
    std::map<std::string, uint64_t>& Counters() { return counters_; }
    const std::map<std::string, uint64_t>& Counters() const { return counters_; }

    // The counter name of the command in apdu (for the drop-on option).
    static std::string CommandName(const Bytes& apdu);

  private:
    struct Session {
        Bytes key;
        uint32_t counter = 0;
    };
    Bytes Dispatch(uint8_t cla, uint8_t ins, uint8_t p1, uint8_t p2, const Bytes& data);
    Bytes ExternalAuthenticate(const Bytes& data);
    Bytes Secured(uint8_t cla, uint8_t ins, uint8_t p1, uint8_t p2, const Bytes& data);
    uint16_t Apply(uint8_t ins, const Bytes& payload);

    TokenConfig config_;
    bool selected_ = false;
    std::optional<Bytes> challenge_;
    std::optional<Session> session_;
    std::map<std::string, uint64_t> counters_;
};

int64_t HostUtcNow();
