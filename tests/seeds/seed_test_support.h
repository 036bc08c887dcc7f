// Helpers shared by the seed tests: a clean seed state and files in a scratch folder.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <string>

using SeedMap = std::map<std::u16string, std::u16string>;

// Start-up state of the seed sources: empty map, no source, no library.
void ResetSeedState();

class ScratchFolder {
  public:
    ScratchFolder();
    // Writes the bytes to name inside the folder and returns the full path.
    QString Write(const QString& name, const QByteArray& bytes) const;
    // Copies a file into the folder under name and returns the full path.
    QString Copy(const QString& from, const QString& name) const;
    QString Path(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
};
