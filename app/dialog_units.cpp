#include "app/dialog_units.h"

#include <QFontMetrics>
#include <QStringList>

namespace {

// Rounded a * b / c, as MulDiv computes it.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

QFont DialogFont(const char* family, double pointSize) {
    QFont font;
    // "MS Shell Dlg" is a Windows alias for Microsoft Sans Serif or Tahoma; elsewhere a sans font
    // of similar width stands in for it.
    QStringList families{QString::fromUtf8(family)};
    if (families.front().startsWith(QLatin1String("MS Shell Dlg")))
        families << QStringLiteral("MS Shell Dlg 2") << QStringLiteral("Tahoma")
                 << QStringLiteral("Microsoft Sans Serif");
    families << QStringLiteral("Segoe UI") << QStringLiteral("Liberation Sans")
             << QStringLiteral("Arimo") << QStringLiteral("DejaVu Sans");
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

BaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

int DialogUnitsToPixelsX(const BaseUnits& units, int x) {
    return MulDiv(x, units.x, 4);
}
int DialogUnitsToPixelsY(const BaseUnits& units, int y) {
    return MulDiv(y, units.y, 8);
}

QRect DialogUnitsToPixels(const BaseUnits& units, int x, int y, int width, int height) {
    const int left = DialogUnitsToPixelsX(units, x);
    const int top = DialogUnitsToPixelsY(units, y);
    // Right and bottom edges are converted as positions, so adjacent controls stay adjacent.
    return QRect(left, top, DialogUnitsToPixelsX(units, x + width) - left,
                 DialogUnitsToPixelsY(units, y + height) - top);
}
