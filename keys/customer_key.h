// The customer key that authenticates to tokens: its built-in default, the key dialog, the INI file.
#pragma once

#include <QString>

#include "app/dialog_state.h"
#include "app/window_ops.h"

// The working key as 32 hex digits; empty until start-up derives it.
extern SharedText g_customerKey;

// Derives g_customerKey from the built-in default (after SetStorageKey). Returns 1.
int LoadDefaultCustomerKey();
// Writes the key's encipherment to the INI file beside the program. Returns 1 when written, 0
// when the key is not 32 hex digits or the file could not be written.
int SaveCustomerKey(QString key);

// The key dialog (template 130): its accept and cancel logic.
class CInputCustomerKey : public DialogLogic {
public:
    QString m_strKey;
    void OnCommand(int id, DialogWindow& dialog) override;
};

// Menu command 32771 "About Ondrel": runs the key dialog.
void OnInputCustomerKey(Dialog& dlg);
