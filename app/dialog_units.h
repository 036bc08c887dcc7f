// Dialog units to pixels, through the base units of the dialog's font: a horizontal unit is a
// quarter of the font's average character width, a vertical unit an eighth of its height.
#pragma once

#include <QFont>
#include <QRect>

struct BaseUnits {
    int x;  // average character width in pixels
    int y;  // character height in pixels
};

// The dialog font: the template's family at its point size, else the closest sans font, so that
// the layout, scaled by its base units, keeps its arrangement under other fonts.
QFont DialogFont(const char* family, double pointSize);

BaseUnits BaseUnitsOf(const QFont& font);

// Rounds as the dialog manager does (to the nearest pixel).
int DialogUnitsToPixelsX(const BaseUnits& units, int x);
int DialogUnitsToPixelsY(const BaseUnits& units, int y);
QRect DialogUnitsToPixels(const BaseUnits& units, int x, int y, int width, int height);
