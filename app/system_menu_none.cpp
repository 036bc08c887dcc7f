// Platforms without an application system menu: the window's own menu carries the item.
#include "app/system_menu.h"

bool AppendSystemMenuItem(QWidget*, int, const QString&) {
    return false;
}

int SystemCommandOf(const void*) {
    return 0;
}
