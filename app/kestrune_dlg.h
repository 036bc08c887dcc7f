// The main window (template 102): its controls, its dialog state record, start-up and
// shut-down, and the window operations that the handlers and the background loops use.
#pragma once

#include <QEvent>
#include <QIcon>
#include <functional>

#include "app/dialog_state.h"
#include "app/template_dialog.h"
#include "app/ui_requests.h"
#include "app/window_ops.h"
#include "token/token_api.h"

class QComboBox;
class QTreeView;

// How start-up loads, resolves and shut-down unloads the token library; tests replace it.
struct TokenLibraryLoader {
    std::function<void*()> load;
    std::function<void(void*, TokenApi&)> resolve;
    std::function<void(void*&)> unload;

    static TokenLibraryLoader Real();
};

class CKestruneDlg : public TemplateDialog, public WindowOps {
  public:
    // The Qt event that carries WM_UPDATE_VIEW.
    static constexpr int kUpdateViewEventType = QEvent::User + WM_UPDATE_VIEW;

    explicit CKestruneDlg(TokenLibraryLoader loader = TokenLibraryLoader::Real());
    ~CKestruneDlg() override;

    // Start-up, then the modal loop until Enter, Escape or the close box: IDOK or IDCANCEL.
    int DoModal();
    // Start-up; DoModal runs it before the window is shown.
    bool OnInitDialog();
    // The about item of the system menu opens the about box; others are the platform's.
    void OnSysCommand(int command);
    // WM_UPDATE_VIEW: copies the four bound members into their controls.
    void OnUpdateView();
    // Stops the loops, then closes the log file and unloads the token library; runs once, when
    // the window ends or at the latest when it is destroyed.
    void OnDestroy();

    Dialog& dlg() { return dlg_; }
    DialogState& state() { return state_; }
    // Requests of background threads waiting for the UI thread (for tests).
    int PendingRequestCount() const { return requests_.PendingCount(); }

    // WindowOps.
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
    void ServePendingRequests() override;

    void done(int result) override;

  protected:
    void OnCommand(int id) override;
    bool event(QEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    void AddAboutItem();
    bool OnUiThread() const;
    // Runs work on the UI thread (as a synchronous request from other threads) and returns its
    // result, or neutral once the window is gone or the request was refused.
    template <typename R, typename Work>
    R Serve(R neutral, Work work);
    template <typename Work>
    void Serve(Work work);

    QIcon m_hIcon;
    QTreeView* m_listLog = nullptr;
    QComboBox* m_comboReaders = nullptr;
    DialogState state_;
    Dialog dlg_{*this, state_};
    TokenLibraryLoader loader_;
    UiRequests requests_;
    bool destroyed_ = false;
};
