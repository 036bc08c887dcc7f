#include "app/kestrune_dlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QMenuBar>
#include <QTreeView>

#include "app/about_dlg.h"
#include "app/message_map.h"
#include "app/system_menu.h"
#include "burn/burn_procedure.h"
#include "burn/burn_records.h"
#include "burn/token_clock.h"
#include "keys/customer_key.h"
#include "keys/sm4.h"
#include "loops/loops.h"
#include "res/app_icon.h"
#include "res/resource.h"
#include "seeds/random_text.h"
#include "seeds/seed_source.h"
#include "token/reader_access.h"
#include "token/token_library.h"

namespace {

const QEvent::Type kUpdateViewEvent = static_cast<QEvent::Type>(CKestruneDlg::kUpdateViewEventType);
const QEvent::Type kServeRequestsEvent = static_cast<QEvent::Type>(QEvent::User + 1);

constexpr char kLoadLibraryFailed[] = "Load library failed";

struct BoundText {
    SharedText DialogState::*member;
    int id;
};
// The data exchange of the main window, in its order.
constexpr BoundText kBoundTexts[] = {
    {&DialogState::m_strSeedFile, IDC_SEEDS_FILE_PATH},
    {&DialogState::m_strSerial, IDC_SERIAL},
    {&DialogState::m_strTime, IDC_TIME},
    {&DialogState::m_strStatus, IDC_STATUS},
};

}  // namespace

TokenLibraryLoader TokenLibraryLoader::Real() {
    return {&LoadTokenLibrary, &ResolveTokenApi, &UnloadTokenLibrary};
}

CKestruneDlg::CKestruneDlg(TokenLibraryLoader loader)
    : TemplateDialog(*FindDialogTemplate(IDD_KESTRUNE_DIALOG), LoadAppIcon(), nullptr),
      m_hIcon(LoadAppIcon()),
      loader_(std::move(loader)),
      requests_([this] { QCoreApplication::postEvent(this, new QEvent(kServeRequestsEvent)); }) {
    m_listLog = static_cast<QTreeView*>(Control(IDC_LOG_LIST));
    m_comboReaders = static_cast<QComboBox*>(Control(IDC_READERS));
}

CKestruneDlg::~CKestruneDlg() {
    OnDestroy();
}

int CKestruneDlg::DoModal() {
    OnInitDialog();
    return exec();
}

bool CKestruneDlg::OnInitDialog() {
    // 1. The members' (still empty) texts into their controls.
    OnUpdateView();
    // 2. The about item, 3. the icons, 4. Seal hidden.
    AddAboutItem();
    setWindowIcon(m_hIcon);
    Hide(IDC_SEAL);
    // 5. A proposed CSV file name, 6. the current UTC time, 7. no reader connection.
    SetText(IDC_CSV_NAME, QString::fromStdString(RandomDigits()) + QStringLiteral(".csv"));
    FillUtcTime(dlg_);
    ReleaseReader();
    // 8. The token library and the burn state; without the library the rest is skipped.
    state_.m_hTokenLib = loader_.load();
    if (!state_.m_hTokenLib) {
        MessageBox(QString::fromUtf8(kLoadLibraryFailed));
    } else {
        loader_.resolve(state_.m_hTokenLib, g_tokenApi);
        SetStorageKey();
        ListInsertColumn(IDC_LOG_LIST, 0, QStringLiteral("Serial Number"), 280);
        ListInsertColumn(IDC_LOG_LIST, 1, QStringLiteral("State"), 180);
        g_totalCount = 0;
        g_successCount = 0;
        g_failCount = 0;
        state_.m_strStatus.Set(QString());
        state_.m_bBurning = 0;
        g_seedSource = kSeedSourceNone;
        g_readPending = 1;
        g_burnPending = 1;
        g_watchState = 0;
        LoadDefaultCustomerKey();
        OpenLogFile(dlg_);
    }
    // 9. The reader monitor, 10. the focus on the first control that takes it.
    StartReaderMonitor(dlg_);
    FocusFirstControl();
    return true;
}

void CKestruneDlg::AddAboutItem() {
    const QString text = QString::fromUtf8(LoadResString(IDS_ABOUTBOX));
    if (text.isEmpty()) return;
    if (AppendSystemMenuItem(this, IDM_ABOUTBOX, text)) return;
    // No system menu of the application's own here: the item ends the "About" pop-up instead.
    if (!MenuBar() || MenuBar()->actions().isEmpty()) return;
    QMenu* popup = MenuBar()->actions().constLast()->menu();
    if (!popup) return;
    popup->addSeparator();
    popup->addAction(text, this, [this] { OnSysCommand(IDM_ABOUTBOX); });
}

void CKestruneDlg::OnSysCommand(int command) {
    if ((command & 0xFFF0) == IDM_ABOUTBOX) CAboutDlg(m_hIcon, this).DoModal();
    // Every other system command is the window system's own.
}

bool CKestruneDlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const int command = SystemCommandOf(message);
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        OnSysCommand(command);
        *result = 0;
        return true;
    }
    return TemplateDialog::nativeEvent(eventType, message, result);
}

void CKestruneDlg::OnUpdateView() {
    for (const BoundText& bound : kBoundTexts) {
        const QString text = (state_.*bound.member).Get();
        // Unchanged controls are left alone, so a refresh without news changes nothing.
        if (GetText(bound.id) != text) SetText(bound.id, text);
    }
}

void CKestruneDlg::OnCommand(int id) {
    if (CommandHandler handler = FindCommandHandler(id)) handler(dlg_);
}

bool CKestruneDlg::event(QEvent* event) {
    if (event->type() == kServeRequestsEvent) {
        ServePendingRequests();
        return true;
    }
    if (event->type() == kUpdateViewEvent) {
        if (!destroyed_) OnUpdateView();
        return true;
    }
    return TemplateDialog::event(event);
}

void CKestruneDlg::done(int result) {
    if (destroyed_) return;
    // OK copies the bound controls back into their members before the window closes.
    if (result == IDOK)
        for (const BoundText& bound : kBoundTexts) (state_.*bound.member).Set(GetText(bound.id));
    TemplateDialog::done(result);
    OnDestroy();
}

void CKestruneDlg::OnDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    // The loops end first, served while they finish their passes; a request still pending is
    // answered, any later one refused, so no thread is left waiting for a window that is gone.
    StopLoops(dlg_);
    ServePendingRequests();
    requests_.Close();
    CloseLogFile();
    if (state_.m_hTokenLib) loader_.unload(state_.m_hTokenLib);
    state_.m_hTokenLib = nullptr;
}
