// Brasmid: the token-operations library. Five C entry points; each call names the reader and
// carries the customer key as 32 hex digits. 0 is success; see docs/token-protocol.md for the
// other results.
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <type_traits>

#include "token/token_api.h"
#include "tokenlib/card_link.h"
#include "tokenlib/protocol.h"
#include "tokenlib/secure_channel.h"
#include "tokenlib/time_text.h"

#ifdef _WIN32
#define BRASMID_EXPORT extern "C" __declspec(dllexport)
#define BRASMID_CALL __cdecl
#else
#define BRASMID_EXPORT extern "C" __attribute__((visibility("default")))
#define BRASMID_CALL
#endif

using namespace token_protocol;

namespace {

constexpr int kOk = 0;
constexpr int kBadArgument = -1;
constexpr int kNoToken = -2;      // the reader could not be reached, holds no token, or broke off
constexpr int kBadResponse = -3;  // a short or malformed answer, or a token that failed the key
constexpr int kNoSession = -4;    // no CardVerify with this reader and key before

// An authenticated session with the token on one reader, as the host keeps it between calls.
struct HostSession {
    Block customerKey;
    Block sessionKey;
    uint32_t counter = 0;
    ~HostSession() {
        Wipe(customerKey);
        Wipe(sessionKey);
    }
};

// Calls for one reader run one at a time; calls for different readers run side by side.
struct ReaderSlot {
    std::mutex lock;
    std::optional<HostSession> session;
};

ReaderSlot& SlotFor(const std::string& reader) {
    static std::mutex tableLock;
    static std::map<std::string, std::unique_ptr<ReaderSlot>> slots;
    std::lock_guard<std::mutex> guard(tableLock);
    std::unique_ptr<ReaderSlot>& slot = slots[reader];
    if (!slot) slot = std::make_unique<ReaderSlot>();
    return *slot;
}

bool ParseKey(const char* text, Block& key) {
    if (!text || std::strlen(text) != 32) return false;
    for (size_t i = 0; i < 16; ++i) {
        int value = 0;
        for (size_t j = 0; j < 2; ++j) {
            char c = text[2 * i + j];
            int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
            if (digit < 0) return false;
            value = value * 16 + digit;
        }
        key[i] = static_cast<uint8_t>(value);
    }
    return true;
}

Bytes Command(uint8_t cla, uint8_t ins, const Bytes& data, bool expectData) {
    Bytes apdu = {cla, ins, 0x00, 0x00};
    if (!data.empty()) {
        apdu.push_back(static_cast<uint8_t>(data.size()));
        apdu.insert(apdu.end(), data.begin(), data.end());
    }
    if (expectData) apdu.push_back(0x00);
    return apdu;
}

// Sends a command; kOk only for status word 9000, else the status word or a failure result.
int Exchange(CardLink& link, const Bytes& apdu, Bytes& data) {
    uint16_t sw = 0;
    int result = link.Transmit(apdu, data, sw);
    if (result != kOk) return result;
    return sw == kSwOk ? kOk : sw;
}

int OpenAndSelect(CardLink& link, const char* reader) {
    if (!link.Open(reader)) return kNoToken;
    Bytes aid(std::begin(kAid), std::end(kAid));
    Bytes select = {kClaIso, kInsSelect, 0x04, 0x00, static_cast<uint8_t>(aid.size())};
    select.insert(select.end(), aid.begin(), aid.end());
    Bytes data;
    return Exchange(link, select, data);
}

Block RandomBlock() {
    std::random_device random;
    Block block;
    for (size_t i = 0; i < block.size(); i += 4) {
        uint32_t word = random();
        std::memcpy(block.data() + i, &word, 4);
    }
    return block;
}

int Verify(const char* reader, const char* keyText) {
    Block key;
    if (!reader || !ParseKey(keyText, key)) return kBadArgument;
    ReaderSlot& slot = SlotFor(reader);
    std::lock_guard<std::mutex> guard(slot.lock);
    slot.session.reset();
    CardLink link;
    int result = OpenAndSelect(link, reader);
    if (result != kOk) return result;

    Bytes nonce;
    result = Exchange(link, {kClaIso, kInsGetChallenge, 0x00, 0x00, kNonceLength}, nonce);
    if (result != kOk) return result;
    if (nonce.size() != kNonceLength) return kBadResponse;
    Block tokenNonce;
    std::memcpy(tokenNonce.data(), nonce.data(), kNonceLength);

    Authentication auth = Authenticate(key, tokenNonce, RandomBlock());
    Bytes answer;
    result = Exchange(link, Command(kClaProprietary, kInsExternalAuthenticate, auth.request, true),
                      answer);
    if (result == kOk && (answer.size() != kBlock ||
                          !std::equal(answer.begin(), answer.end(), auth.expected.begin()))) {
        result = kBadResponse;  // not a token that knows the key
    }
    if (result == kOk) slot.session.emplace(HostSession{key, auth.sessionKey, 0});
    Wipe(key);
    Wipe(auth.sessionKey);
    return result;
}

// Runs one secured command in the session that the last CardVerify opened.
int Secured(const char* reader, const char* keyText, uint8_t ins, const Bytes& payload) {
    Block key;
    if (!reader || !ParseKey(keyText, key)) return kBadArgument;
    ReaderSlot& slot = SlotFor(reader);
    std::lock_guard<std::mutex> guard(slot.lock);
    bool sameKey = slot.session && slot.session->customerKey == key;
    Wipe(key);
    if (!sameKey) return kNoSession;
    // The token ends its session on any refusal, so the host forgets it first.
    HostSession session = std::move(*slot.session);
    slot.session.reset();

    CardLink link;
    int result = OpenAndSelect(link, reader);
    if (result != kOk) return result;
    uint32_t counter = session.counter + 1;
    Bytes data = WrapCommand(session.sessionKey, counter, kClaSecured, ins, payload);
    Bytes answer;
    result = Exchange(link, Command(kClaSecured, ins, data, true), answer);
    if (result != kOk) return result;
    Block expected = ResponseMac(session.sessionKey, counter, kClaSecured, ins);
    if (answer.size() != kBlock || !std::equal(answer.begin(), answer.end(), expected.begin())) {
        return kBadResponse;
    }
    session.counter = counter;
    slot.session.emplace(std::move(session));
    return kOk;
}

}  // namespace

BRASMID_EXPORT int BRASMID_CALL CardReadSnAndTime(const char* reader, char* serial, int* serialLen,
                                                  char* time, int* timeLen) {
    if (!reader || !serial || !serialLen || !time || !timeLen || *serialLen < 1 || *timeLen < 1) {
        return kBadArgument;
    }
    serial[0] = '\0';
    time[0] = '\0';
    ReaderSlot& slot = SlotFor(reader);
    std::lock_guard<std::mutex> guard(slot.lock);
    CardLink link;
    int result = OpenAndSelect(link, reader);
    if (result != kOk) return result;
    Bytes info;
    result = Exchange(link, Command(kClaProprietary, kInsReadInfo, {}, true), info);
    if (result != kOk) return result;

    // serial length, serial, clock (8 bytes, big-endian seconds), flags
    if (info.empty()) return kBadResponse;
    size_t length = info[0];
    if (length < 1 || length > kMaxSerialLength || info.size() != 1 + length + 8 + 1) {
        return kBadResponse;
    }
    std::string serialText(info.begin() + 1, info.begin() + 1 + static_cast<long>(length));
    if (serialText.find('\0') != std::string::npos) return kBadResponse;
    int64_t clock = 0;
    for (size_t i = 0; i < 8; ++i) clock = clock * 256 + info[1 + length + i];
    std::string clockText = FormatTimeText(clock);
    if (clockText.empty()) return kBadResponse;
    if (serialText.size() + 1 > static_cast<size_t>(*serialLen) ||
        clockText.size() + 1 > static_cast<size_t>(*timeLen)) {
        return kBadArgument;
    }
    std::memcpy(serial, serialText.c_str(), serialText.size() + 1);
    std::memcpy(time, clockText.c_str(), clockText.size() + 1);
    *serialLen = static_cast<int>(serialText.size());
    *timeLen = static_cast<int>(clockText.size());
    return kOk;
}

BRASMID_EXPORT int BRASMID_CALL CardVerify(const char* reader, const char* key) {
    return Verify(reader, key);
}

BRASMID_EXPORT int BRASMID_CALL CardSetTime(const char* reader, const char* key,
                                            const char* utcTime) {
    int64_t seconds = 0;
    if (!ParseTimeText(utcTime, seconds)) return kBadArgument;
    Bytes payload;
    for (int shift = 56; shift >= 0; shift -= 8) {
        payload.push_back(static_cast<uint8_t>(static_cast<uint64_t>(seconds) >> shift));
    }
    return Secured(reader, key, kInsSetClock, payload);
}

BRASMID_EXPORT int BRASMID_CALL CardBurnSeed(const char* reader, const char* key,
                                             unsigned char* seed, int seedLen) {
    if (!seed || seedLen < 1 || seedLen > static_cast<int>(kMaxSeedLength)) return kBadArgument;
    Bytes payload(seed, seed + seedLen);
    int result = Secured(reader, key, kInsWriteSeed, payload);
    std::fill(payload.begin(), payload.end(), 0);
    return result;
}

BRASMID_EXPORT int BRASMID_CALL CardSeal(const char* reader, const char* key) {
    return Secured(reader, key, kInsSeal, {});
}

// The exports keep exactly the program's declarations.
static_assert(std::is_same_v<decltype(&CardReadSnAndTime), PFN_CardReadSnAndTime>);
static_assert(std::is_same_v<decltype(&CardVerify), PFN_CardVerify>);
static_assert(std::is_same_v<decltype(&CardSetTime), PFN_CardSetTime>);
static_assert(std::is_same_v<decltype(&CardBurnSeed), PFN_CardBurnSeed>);
static_assert(std::is_same_v<decltype(&CardSeal), PFN_CardSeal>);
