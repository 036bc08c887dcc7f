// The folder that holds the program's executable, where its INI file lies.
#pragma once

#include <QString>

// The executable's folder, without a trailing separator: the application's folder when an
// application object exists, else the folder of the running executable.
QString ProgramFolder();

// Makes ProgramFolder() answer with folder instead (tests); an empty folder restores the real one.
void OverrideProgramFolder(const QString& folder);
