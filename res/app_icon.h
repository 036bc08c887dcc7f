// The application icon (resource 128): a programmable token with a flame, drawn at each size.
#pragma once

#include <QIcon>
#include <QPixmap>

// The sizes in pixels that the icon carries, as the window system asks for them.
inline constexpr int kAppIconSizes[] = {16, 24, 32, 48};

// One image of the icon, 32-bit colour with alpha.
QPixmap DrawAppIconPixmap(int size);
// The icon with an image for every size of kAppIconSizes.
QIcon LoadAppIcon();
