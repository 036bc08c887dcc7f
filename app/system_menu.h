// The window's system menu, where the platform gives an application one (Windows).
#pragma once

#include <QString>

class QWidget;

// Appends a separator and an item with this command to the window's system menu. False where
// the application has no system menu of its own.
bool AppendSystemMenuItem(QWidget* window, int command, const QString& text);

// The command of a system-command message from the window system, 0 for any other message.
int SystemCommandOf(const void* nativeMessage);
