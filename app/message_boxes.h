// The two kinds of message box of the program, with an OK button each.
#pragma once

#include <QString>

class QWidget;

// The caption of every message of the program but one.
inline constexpr char kMessageCaption[] = "Tamrek Ondrel";

// Without owner window, modal for the whole application and kept on top, captioned
// "Tamrek Ondrel".
void ShowSystemModalMessage(const QString& text);
// Owned by the main window, captioned with the application's title, with a warning icon.
void ShowAppMessage(QWidget* owner, const QString& text);
