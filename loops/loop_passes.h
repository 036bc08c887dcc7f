// What the loop threads run, and the texts and pacing they share.
#pragma once

#include <QString>
#include <chrono>

#include "app/dialog_state.h"

inline constexpr std::chrono::milliseconds kPassPause{50};
inline const QString kEndMarker = QStringLiteral("[E]");
inline const QString kSelectReaderStatus = QStringLiteral("Please select a card reader.");
inline const QString kSelectReaderMessage = QStringLiteral("Please select a card reader!");
inline const QString kConnectDoneMessage = QStringLiteral("Successful operation!");

// One pass of the token watch loop; false when it found the stop request and ended the loop.
bool TokenWatchPass(Dialog& dlg);
