// Loading the token-operations library by bare name, and the text conversion its entry points use.
#pragma once

#include <QByteArray>
#include <QString>

#include "token/token_api.h"

// Loads Brasmid.dll (Windows) or libBrasmid.so: the program's own folder first, then the
// system's library search. Null when it cannot be loaded.
void* LoadTokenLibrary();

// Clears api, then resolves the five entry points by name; a missing export stays null.
void ResolveTokenApi(void* library, TokenApi& api);

// Unloads the library and sets the handle to null; harmless with null.
void UnloadTokenLibrary(void*& library);

// Wide text to the 8-bit ANSI/locale text that the entry points take, and back.
QByteArray ToAnsi(const QString& text);
QString FromAnsi(const char* text);

// Safe calls: a missing entry point makes the operation fail (-1) instead of being called.
int CallCardReadSnAndTime(const QString& reader, char* serial, int* serialLen, char* time,
                          int* timeLen);
int CallCardVerify(const QString& reader, const QString& key);
int CallCardSetTime(const QString& reader, const QString& key, const QString& utcTime);
int CallCardBurnSeed(const QString& reader, const QString& key, unsigned char* seed, int seedLen);
int CallCardSeal(const QString& reader, const QString& key);
