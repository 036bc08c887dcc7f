// A window for tests: controls held in memory, every call served on the calling thread under one
// lock, and "next answer" seams for the message boxes, the file dialog and modal dialogs.
#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "app/dialog_state.h"
#include "app/window_ops.h"

class FakeWindow : public WindowOps {
public:
    struct Control {
        QString text;
        bool checked = false;
        bool enabled = true;
        bool visible = true;
        QStringList combo;  // combo box entries
        int selected = -1;  // combo box selection
        std::vector<std::pair<QString, int>> columns;  // list view: heading, width
        std::vector<QStringList> rows;                  // list view rows, top first
    };
    // A modal dialog's script: plays the operator on the dialog's logic and window. A dialog that
    // the script leaves open is closed as cancelled (Escape).
    using DialogScript = std::function<void(DialogLogic* logic, DialogWindow& window)>;

    QString GetText(int id) override;
    void SetText(int id, const QString& text) override;
    void SetInt(int id, int value) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    void Enable(int id, bool enabled) override;
    void Hide(int id) override;
    int ComboCount(int id) override;
    QString ComboText(int id, int index) override;
    void ComboInsert(int id, int index, const QString& text) override;
    void ComboDelete(int id, int index) override;
    int ComboSelected(int id) override;
    void ListInsertColumn(int id, int column, const QString& heading, int widthPixels) override;
    void ListInsertRow(int id, int row, const QStringList& cells) override;
    void ListDeleteAll(int id) override;
    void MessageBox(const QString& text) override;
    void AppMessageBox(const QString& text) override;
    QString OpenFileDialog(const QString& filter) override;
    int RunModalDialog(int templateId, DialogLogic* logic) override;
    void OpenUrl(const QString& url) override;
    void PostUpdateView() override;
    void ServePendingRequests() override {}

    // Test side.
    Control control(int id);                  // a copy of a control's state
    void SelectComboEntry(int id, int index);  // the operator picks an entry
    QStringList messages();                   // message boxes shown, in order
    QStringList appMessages();
    QStringList urls();
    QStringList fileDialogFilters();
    void NextFileDialogAnswer(const QString& path);
    void NextDialogScript(DialogScript script);
    // Called inside each message box, as if the operator read it (e.g. to block a thread there).
    void OnMessageBox(std::function<void(const QString&)> hook);
    int updatesPosted() const { return updates_.load(); }

private:
    mutable std::mutex mutex_;
    std::map<int, Control> controls_;
    QStringList messages_, appMessages_, urls_, filters_;
    std::deque<QString> fileAnswers_;
    std::deque<DialogScript> dialogScripts_;
    std::function<void(const QString&)> messageHook_;
    std::atomic<int> updates_{0};
};

// A fake window with its state record, ready to pass to the logic as a Dialog.
struct FakeDialog {
    FakeWindow ui;
    DialogState state;
    Dialog dlg{ui, state};
};
