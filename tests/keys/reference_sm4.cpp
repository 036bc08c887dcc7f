#include "tests/keys/reference_sm4.h"

#include <openssl/evp.h>

#include <cstring>

#include "keys/sm4.h"

QByteArray StorageKeyBytes() {
    QByteArray key(16, '\0');
    std::memcpy(key.data(), g_storageKey, 16);
    return key;
}

namespace {

QByteArray Crypt(const QByteArray& hex, bool encipher) {
    const QByteArray input = QByteArray::fromHex(hex);
    const QByteArray key = StorageKeyBytes();
    QByteArray output(input.size() + 16, '\0');
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    EVP_CipherInit_ex(context, EVP_sm4_ecb(), nullptr,
                      reinterpret_cast<const unsigned char*>(key.constData()), nullptr,
                      encipher ? 1 : 0);
    EVP_CIPHER_CTX_set_padding(context, 0);
    int written = 0, last = 0;
    EVP_CipherUpdate(context, reinterpret_cast<unsigned char*>(output.data()), &written,
                     reinterpret_cast<const unsigned char*>(input.constData()), int(input.size()));
    EVP_CipherFinal_ex(context, reinterpret_cast<unsigned char*>(output.data()) + written, &last);
    EVP_CIPHER_CTX_free(context);
    return output.left(written + last).toHex().toUpper();
}

}  // namespace

QByteArray ReferenceEncipher(const QByteArray& hex) {
    return Crypt(hex, true);
}
QByteArray ReferenceDecipher(const QByteArray& hex) {
    return Crypt(hex, false);
}
