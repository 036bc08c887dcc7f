#include "tokensim/token_card.h"

#include <algorithm>
#include <chrono>

#include "tokenlib/protocol.h"

using namespace token_protocol;

namespace {

Bytes StatusOnly(uint16_t sw) {
    return {static_cast<uint8_t>(sw >> 8), static_cast<uint8_t>(sw)};
}

Bytes WithStatus(Bytes data, uint16_t sw) {
    data.push_back(static_cast<uint8_t>(sw >> 8));
    data.push_back(static_cast<uint8_t>(sw));
    return data;
}

Bytes Concat(const Bytes& a, const Bytes& b) {
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes HeaderBlock(uint8_t cla, uint8_t ins, uint8_t p1, uint8_t p2, uint32_t counter) {
    Bytes h(kBlock, 0);
    h[0] = cla;
    h[1] = ins;
    h[2] = p1;
    h[3] = p2;
    h[4] = static_cast<uint8_t>(counter >> 24);
    h[5] = static_cast<uint8_t>(counter >> 16);
    h[6] = static_cast<uint8_t>(counter >> 8);
    h[7] = static_cast<uint8_t>(counter);
    h[8] = 0x80;
    return h;
}

// Strips ISO/IEC 7816-4 padding; false when there is none.
bool Unpad(Bytes& data) {
    while (!data.empty() && data.back() == 0x00) data.pop_back();
    if (data.empty() || data.back() != 0x80) return false;
    data.pop_back();
    return true;
}

}  // namespace

int64_t HostUtcNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string TokenCard::CodeAt(int64_t hostTime) const {
    if (config_.seed.empty()) return "none";
    return TotpCode(config_.seed, ClockAt(hostTime));
}

void TokenCard::PowerOff() {
    selected_ = false;
    challenge_.reset();
    session_.reset();
}

std::string TokenCard::CommandName(const Bytes& apdu) {
    if (apdu.size() < 2) return "other";
    switch (apdu[1]) {
        case kInsSelect:
            return "select";
        case kInsReadInfo:
            return "read";
        case kInsGetChallenge:
            return "challenge";
        case kInsExternalAuthenticate:
            return "auth";
        case kInsWriteSeed:
            return "burn";
        case kInsSetClock:
            return "settime";
        case kInsSeal:
            return "seal";
        default:
            return "other";
    }
}

Bytes TokenCard::Process(const Bytes& apdu) {
    ++counters_[CommandName(apdu)];
    if (apdu.size() < 4) return StatusOnly(kSwWrongLength);
    Bytes data;
    if (apdu.size() > 5) {
        size_t lc = apdu[4];
        // Lc, the data, and at most one Le byte.
        if (lc == 0 || (apdu.size() != 5 + lc && apdu.size() != 6 + lc)) {
            return StatusOnly(kSwWrongLength);
        }
        data.assign(apdu.begin() + 5, apdu.begin() + 5 + static_cast<long>(lc));
    }
    return Dispatch(apdu[0], apdu[1], apdu[2], apdu[3], data);
}

Bytes TokenCard::Dispatch(uint8_t cla, uint8_t ins, uint8_t p1, uint8_t p2, const Bytes& data) {
    if (cla == kClaIso && ins == kInsSelect) {
        if (p1 != 0x04 || p2 != 0x00) return StatusOnly(kSwWrongP1P2);
        selected_ = data == Bytes(std::begin(kAid), std::end(kAid));
        return StatusOnly(selected_ ? kSwOk : kSwNotFound);
    }
    if (cla != kClaIso && cla != kClaProprietary && cla != kClaSecured) {
        return StatusOnly(kSwClaNotSupported);
    }
    bool known =
        (cla == kClaProprietary && (ins == kInsReadInfo || ins == kInsExternalAuthenticate)) ||
        (cla == kClaIso && ins == kInsGetChallenge) ||
        (cla == kClaSecured && (ins == kInsWriteSeed || ins == kInsSetClock || ins == kInsSeal));
    if (!known) return StatusOnly(kSwInsNotSupported);
    if (!selected_) return StatusOnly(kSwConditionsNotSatisfied);
    if (p1 != 0 || p2 != 0) return StatusOnly(kSwWrongP1P2);

    switch (ins) {
        case kInsReadInfo: {
            if (!data.empty()) return StatusOnly(kSwWrongLength);
            Bytes info;
            info.push_back(static_cast<uint8_t>(config_.serial.size()));
            info.insert(info.end(), config_.serial.begin(), config_.serial.end());
            uint64_t clock = static_cast<uint64_t>(ClockAt(HostUtcNow()));
            for (int shift = 56; shift >= 0; shift -= 8) {
                info.push_back(static_cast<uint8_t>(clock >> shift));
            }
            info.push_back(static_cast<uint8_t>((config_.seed.empty() ? 0 : kFlagSeeded) |
                                                (config_.sealed ? kFlagSealed : 0)));
            return WithStatus(info, kSwOk);
        }
        case kInsGetChallenge:
            if (!data.empty()) return StatusOnly(kSwWrongLength);
            session_.reset();
            challenge_ = RandomBytes(kNonceLength);
            return WithStatus(*challenge_, kSwOk);
        case kInsExternalAuthenticate:
            return ExternalAuthenticate(data);
        default:
            return Secured(cla, ins, p1, p2, data);
    }
}

Bytes TokenCard::ExternalAuthenticate(const Bytes& data) {
    std::optional<Bytes> challenge = std::move(challenge_);
    challenge_.reset();  // one attempt per challenge
    session_.reset();
    if (!challenge) return StatusOnly(kSwConditionsNotSatisfied);
    if (data.size() != 2 * kBlock) return StatusOnly(kSwWrongLength);
    Bytes hostNonce(data.begin(), data.begin() + kBlock);
    Bytes hostCryptogram(data.begin() + kBlock, data.end());
    const Bytes& key = config_.customerKey;
    if (Sm4CbcMac(key, Concat(*challenge, hostNonce)) != hostCryptogram) {
        return StatusOnly(kSwAuthenticationFailed);
    }
    Bytes label(kBlock, kSessionLabelByte);
    session_ = Session{Sm4CbcMac(key, Concat(Concat(*challenge, hostNonce), label)), 0};
    return WithStatus(Sm4CbcMac(key, Concat(hostNonce, *challenge)), kSwOk);
}

Bytes TokenCard::Secured(uint8_t cla, uint8_t ins, uint8_t p1, uint8_t p2, const Bytes& data) {
    if (!session_) return StatusOnly(kSwSecurityNotSatisfied);
    // Any refusal ends the session: the host has to authenticate again.
    Session session = *session_;
    session_.reset();
    if (data.size() < 2 * kBlock || data.size() % kBlock != 0) return StatusOnly(kSwWrongLength);
    uint32_t counter = session.counter + 1;
    Bytes header = HeaderBlock(cla, ins, p1, p2, counter);
    Bytes enciphered(data.begin(), data.end() - kBlock);
    Bytes mac(data.end() - kBlock, data.end());
    if (Sm4CbcMac(session.key, Concat(header, enciphered)) != mac) return StatusOnly(kSwWrongMac);
    Bytes payload = Sm4CbcDecrypt(session.key, Sm4Block(session.key, header), enciphered);
    if (!Unpad(payload)) return StatusOnly(kSwWrongData);
    uint16_t sw = Apply(ins, payload);
    if (sw != kSwOk) return StatusOnly(sw);
    session.counter = counter;
    session_ = session;
    Bytes answer = {0x90, 0x00, 0x80};
    answer.resize(kBlock, 0);
    return WithStatus(Sm4CbcMac(session.key, Concat(header, answer)), kSwOk);
}

uint16_t TokenCard::Apply(uint8_t ins, const Bytes& payload) {
    switch (ins) {
        case kInsWriteSeed:
            if (payload.empty() || payload.size() > kMaxSeedLength) return kSwWrongData;
            if (config_.sealed) return kSwSealed;
            config_.seed = payload;
            return kSwOk;
        case kInsSetClock: {
            if (payload.size() != 8) return kSwWrongData;
            uint64_t clock = 0;
            for (uint8_t b : payload) clock = (clock << 8) | b;
            if (clock > static_cast<uint64_t>(kLatestClock)) return kSwWrongData;
            config_.clockOffset = static_cast<int64_t>(clock) - HostUtcNow();
            if (config_.setClockClearsSeed) config_.seed.clear();
            return kSwOk;
        }
        case kInsSeal:
            if (!payload.empty()) return kSwWrongData;
            config_.sealed = true;
            return kSwOk;
        default:
            return kSwInsNotSupported;
    }
}
