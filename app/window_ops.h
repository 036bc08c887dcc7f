// The operations that the logic below the window needs of a dialog window. The Qt dialog
// implements them for the operator; tests implement them with a fake. Every operation may be
// called from any thread: from a background thread it is a synchronous request that the UI thread
// serves, except PostUpdateView, which is only ever posted.
#pragma once

#include <QString>
#include <QStringList>

// The logic of a modal dialog other than the main window (the key dialog): it sees the commands
// of its controls and works on them through DialogWindow.
class DialogWindow {
public:
    virtual ~DialogWindow() = default;
    virtual QString GetText(int id) = 0;
    virtual void SetText(int id, const QString& text) = 0;
    // A system-modal message box captioned "Tamrek Ondrel" with an OK button.
    virtual void MessageBox(const QString& text) = 0;
    // Ends the modal dialog with IDOK or IDCANCEL.
    virtual void EndDialog(int result) = 0;
};

class DialogLogic {
public:
    virtual ~DialogLogic() = default;
    // A command of the dialog: a button's ID, or IDOK for the Enter key. A command that the
    // logic does not end the dialog for keeps it open.
    virtual void OnCommand(int id, DialogWindow& dialog) = 0;
};

class WindowOps {
public:
    virtual ~WindowOps() = default;

    // Text of a control by ID (edit, label, button, check box).
    virtual QString GetText(int id) = 0;
    virtual void SetText(int id, const QString& text) = 0;
    // A label showing a signed decimal number.
    virtual void SetInt(int id, int value) = 0;

    virtual bool IsChecked(int id) = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual void Enable(int id, bool enabled) = 0;
    virtual void Hide(int id) = 0;

    // Combo box; entries keep the order in which they were inserted.
    virtual int ComboCount(int id) = 0;
    virtual QString ComboText(int id, int index) = 0;
    virtual void ComboInsert(int id, int index, const QString& text) = 0;
    virtual void ComboDelete(int id, int index) = 0;
    // Index of the selected entry, -1 when none.
    virtual int ComboSelected(int id) = 0;

    // List view in report mode; columns are centred.
    virtual void ListInsertColumn(int id, int column, const QString& heading, int widthPixels) = 0;
    virtual void ListInsertRow(int id, int row, const QStringList& cells) = 0;
    virtual void ListDeleteAll(int id) = 0;

    // System-modal message box without owner window, captioned "Tamrek Ondrel", OK button.
    virtual void MessageBox(const QString& text) = 0;
    // The application's own message box (OK button, the application's title as caption).
    virtual void AppMessageBox(const QString& text) = 0;
    // Open-file dialog with an MFC-style filter ("Name|*.ext|...||"); empty text when cancelled.
    virtual QString OpenFileDialog(const QString& filter) = 0;
    // Runs a modal dialog from its template in res/; returns IDOK or IDCANCEL. The window ends it
    // as cancelled on Escape and the close box without asking the logic; every other command
    // (its buttons, IDOK for the Enter key) goes to the logic, which ends it with EndDialog.
    // Without logic (the about box) IDOK ends it as well.
    virtual int RunModalDialog(int templateId, DialogLogic* logic) = 0;
    // Hands a link to the default web browser; the result is not examined.
    virtual void OpenUrl(const QString& url) = 0;

    // Posts WM_UPDATE_VIEW: the UI thread later copies the bound members into their controls.
    virtual void PostUpdateView() = 0;
    // On the UI thread while it waits for a background thread: serves the synchronous requests
    // pending from background threads, so that the thread waited for can go on. Elsewhere a no-op.
    virtual void ServePendingRequests() = 0;
};
