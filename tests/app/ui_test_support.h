// Helpers for driving live widgets: answering modal windows from inside their modal loop,
// waiting for a condition while events run, and token library loaders for start-up.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "app/kestrune_dlg.h"

// Once a modal window that matches is up (checked from the event loop), act on it. A test
// that waits in vain fails after a few seconds and the modal window is closed, so nothing hangs.
void OnModal(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> act);
// The same for the next message box.
void OnMessageBox(std::function<void(QWidget*)> act);

// Runs events until done() holds or the time is up; returns done().
bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// A loader whose library is found (at a fixed address) and that counts what start-up and
// shut-down do with it.
struct RecordingLoader {
    int loads = 0;
    int resolves = 0;
    int unloads = 0;
    void* unloadedHandle = nullptr;
    bool found = true;
    TokenLibraryLoader Make();
};
void* FakeLibraryHandle();
