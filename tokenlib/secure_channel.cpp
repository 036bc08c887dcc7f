#include "tokenlib/secure_channel.h"

#include "keys/sm4.h"
#include "tokenlib/protocol.h"

using namespace token_protocol;

namespace {

Block Encipher(const Block& key, const Block& input) {
    Block out;
    Sm4EcbWithKey(key.data(), false, input.data(), out.data(), kBlock);
    return out;
}

Bytes Concat(const Block& a, const Block& b) {
    Bytes out(a.begin(), a.end());
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

Block HeaderBlock(uint32_t counter, uint8_t cla, uint8_t ins) {
    Block h{};
    h[0] = cla;
    h[1] = ins;
    h[4] = static_cast<uint8_t>(counter >> 24);
    h[5] = static_cast<uint8_t>(counter >> 16);
    h[6] = static_cast<uint8_t>(counter >> 8);
    h[7] = static_cast<uint8_t>(counter);
    h[8] = 0x80;
    return h;
}

}  // namespace

Block Mac(const Block& key, const Bytes& data) {
    Block chain{};
    for (size_t at = 0; at + kBlock <= data.size(); at += kBlock) {
        for (size_t i = 0; i < kBlock; ++i) chain[i] ^= data[at + i];
        chain = Encipher(key, chain);
    }
    return chain;
}

Authentication Authenticate(const Block& customerKey, const Block& tokenNonce,
                            const Block& hostNonce) {
    Authentication a;
    Block hostCryptogram = Mac(customerKey, Concat(tokenNonce, hostNonce));
    a.request = Concat(hostNonce, hostCryptogram);
    a.expected = Mac(customerKey, Concat(hostNonce, tokenNonce));
    Bytes derivation = Concat(tokenNonce, hostNonce);
    derivation.insert(derivation.end(), kBlock, kSessionLabelByte);
    a.sessionKey = Mac(customerKey, derivation);
    return a;
}

Bytes WrapCommand(const Block& sessionKey, uint32_t counter, uint8_t cla, uint8_t ins,
                  const Bytes& payload) {
    Block header = HeaderBlock(counter, cla, ins);
    Bytes padded = payload;
    padded.push_back(0x80);
    while (padded.size() % kBlock != 0) padded.push_back(0x00);

    Bytes data;
    Block chain = Encipher(sessionKey, header);  // the IV
    for (size_t at = 0; at < padded.size(); at += kBlock) {
        for (size_t i = 0; i < kBlock; ++i) chain[i] ^= padded[at + i];
        chain = Encipher(sessionKey, chain);
        data.insert(data.end(), chain.begin(), chain.end());
    }
    Bytes macInput(header.begin(), header.end());
    macInput.insert(macInput.end(), data.begin(), data.end());
    Block mac = Mac(sessionKey, macInput);
    data.insert(data.end(), mac.begin(), mac.end());
    for (uint8_t& b : padded) b = 0;
    return data;
}

Block ResponseMac(const Block& sessionKey, uint32_t counter, uint8_t cla, uint8_t ins) {
    Block header = HeaderBlock(counter, cla, ins);
    Block answer{};
    answer[0] = 0x90;
    answer[1] = 0x00;
    answer[2] = 0x80;
    return Mac(sessionKey, Concat(header, answer));
}

void Wipe(Block& block) {
    volatile uint8_t* p = block.data();
    for (size_t i = 0; i < block.size(); ++i) p[i] = 0;
}
