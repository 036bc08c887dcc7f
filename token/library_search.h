// Where the token library is looked for: the program's own folder first, then the system's
// library search. Split out so that tests can load from a folder of their choice.
#pragma once

#include <string>

// The file name of the token library on this platform.
const char* TokenLibraryFileName();
// The folder of the running program, without a trailing separator; empty when unknown.
std::string ProgramFolder();
// Loads fileName from folder, else by bare name through the system's search. Null when neither.
void* LoadLibraryFrom(const std::string& folder, const char* fileName);
