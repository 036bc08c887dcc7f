#include "app/file_filter.h"

#include <QRegularExpression>
#include <QStringList>

QString ConvertFileFilter(const QString& pipeFilter) {
    // Pairs of description and patterns; the list ends at the first empty field ("||").
    const QStringList fields = pipeFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < fields.size(); i += 2) {
        QString description = fields[i].trimmed();
        const QString patterns = fields[i + 1].trimmed();
        if (description.isEmpty() && patterns.isEmpty()) break;
        if (patterns.isEmpty()) continue;
        // Qt takes the patterns from the parentheses, so a description's own copy is replaced.
        static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)$"));
        description.remove(trailingPatterns);
        if (description.isEmpty()) description = patterns;
        QString qtPatterns = patterns;
        qtPatterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << description + QStringLiteral(" (") + qtPatterns.simplified() + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}
