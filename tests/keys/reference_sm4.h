// SM4-ECB from OpenSSL under the program's storage key: an independent check of what the program
// stores and derives.
#pragma once

#include <QByteArray>

// The storage key's 16 bytes as the program holds them (after SetStorageKey).
QByteArray StorageKeyBytes();
// Hex text in, upper-case hex text out; whole 16-byte blocks.
QByteArray ReferenceEncipher(const QByteArray& hex);
QByteArray ReferenceDecipher(const QByteArray& hex);
