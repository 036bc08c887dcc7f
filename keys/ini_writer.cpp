#include "keys/ini_writer.h"

#ifdef _WIN32

#include <windows.h>

bool WriteIniValue(const QString& path, const QString& section, const QString& key,
                   const QString& value) {
    return WritePrivateProfileStringW(reinterpret_cast<LPCWSTR>(section.utf16()),
                                      reinterpret_cast<LPCWSTR>(key.utf16()),
                                      reinterpret_cast<LPCWSTR>(value.utf16()),
                                      reinterpret_cast<LPCWSTR>(path.utf16())) != 0;
}

#else

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <vector>

namespace {

struct Line {
    QByteArray text;  // without its line end
    QByteArray end;   // "\r\n", "\n" or empty for a last line without one
};

const QByteArray kNewLine = "\r\n";

std::vector<Line> SplitLines(const QByteArray& bytes) {
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            lines.push_back({bytes.mid(start), {}});
            break;
        }
        qsizetype textEnd = newline > start && bytes[newline - 1] == '\r' ? newline - 1 : newline;
        lines.push_back(
            {bytes.mid(start, textEnd - start), bytes.mid(textEnd, newline + 1 - textEnd)});
        start = newline + 1;
    }
    return lines;
}

bool SameName(const QByteArray& raw, const QString& name) {
    return QString::fromLocal8Bit(raw.trimmed()).compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// The name of a "[name]" line, or a null array for any other line.
QByteArray SectionName(const QByteArray& line) {
    QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('[')) return {};
    qsizetype close = trimmed.indexOf(']');
    if (close < 0) return {};
    QByteArray name = trimmed.mid(1, close - 1);
    return name.isNull() ? QByteArray("") : name;
}

bool IsKeyLine(const QByteArray& line, const QString& key) {
    QByteArray trimmed = line.trimmed();
    if (trimmed.startsWith(';')) return false;
    qsizetype equals = trimmed.indexOf('=');
    return equals >= 0 && SameName(trimmed.left(equals), key);
}

void EnsureLineEnd(std::vector<Line>& lines, size_t index) {
    if (lines[index].end.isEmpty()) lines[index].end = kNewLine;
}

void SetValue(std::vector<Line>& lines, const QByteArray& section, const QString& sectionName,
              const QByteArray& entry, const QString& key) {
    size_t header = 0;
    while (header < lines.size()) {
        QByteArray name = SectionName(lines[header].text);
        if (!name.isNull() && SameName(name, sectionName)) break;
        ++header;
    }
    if (header == lines.size()) {
        if (!lines.empty()) EnsureLineEnd(lines, lines.size() - 1);
        lines.push_back({"[" + section + "]", kNewLine});
        lines.push_back({entry, kNewLine});
        return;
    }
    size_t lastFilled = header;
    for (size_t i = header + 1; i < lines.size() && SectionName(lines[i].text).isNull(); ++i) {
        if (IsKeyLine(lines[i].text, key)) {
            lines[i].text = entry;
            return;
        }
        if (!lines[i].text.trimmed().isEmpty()) lastFilled = i;
    }
    EnsureLineEnd(lines, lastFilled);
    lines.insert(lines.begin() + lastFilled + 1, {entry, kNewLine});
}

bool IsPlainName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains(u'[') && !name.contains(u']') &&
           !name.contains(u'=') && !name.contains(u'\n') && !name.contains(u'\r');
}

}  // namespace

bool WriteIniValue(const QString& path, const QString& section, const QString& key,
                   const QString& value) {
    if (!IsPlainName(section) || !IsPlainName(key) || value.contains(u'\n') ||
        value.contains(u'\r'))
        return false;

    QByteArray old;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return false;  // never overwrite what we can't read
        old = existing.readAll();
        existing.close();
    }

    std::vector<Line> lines = SplitLines(old);
    SetValue(lines, section.toLocal8Bit(), section, key.toLocal8Bit() + "=" + value.toLocal8Bit(),
             key);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    for (const Line& line : lines) {
        file.write(line.text);
        file.write(line.end);
    }
    return file.commit();
}

#endif
