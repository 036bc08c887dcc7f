#include "token/token_library.h"

TokenApi g_tokenApi = {};

void* LoadTokenLibrary() { return nullptr; }
void ResolveTokenApi(void*, TokenApi& api) { api = {}; }
void UnloadTokenLibrary(void*& library) { library = nullptr; }

QByteArray ToAnsi(const QString& text) { return text.toLocal8Bit(); }
QString FromAnsi(const char* text) { return QString::fromLocal8Bit(text); }

int CallCardReadSnAndTime(const QString&, char*, int*, char*, int*) { return -1; }
int CallCardVerify(const QString&, const QString&) { return -1; }
int CallCardSetTime(const QString&, const QString&, const QString&) { return -1; }
int CallCardBurnSeed(const QString&, const QString&, unsigned char*, int) { return -1; }
int CallCardSeal(const QString&, const QString&) { return -1; }
