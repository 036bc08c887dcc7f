// The Windows system menu. Kept apart: <windows.h> macros clash with the program's own names.
#include <windows.h>

#include <QWidget>

#include "app/system_menu.h"

bool AppendSystemMenuItem(QWidget* window, int command, const QString& text) {
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window->winId()), FALSE);
    if (!menu) return false;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command),
                reinterpret_cast<const wchar_t*>(text.utf16()));
    return true;
}

int SystemCommandOf(const void* nativeMessage) {
    const MSG* message = static_cast<const MSG*>(nativeMessage);
    return message->message == WM_SYSCOMMAND ? static_cast<int>(message->wParam) : 0;
}
