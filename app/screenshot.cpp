// Draws the main window as it opens into a PNG: screenshot [output.png] [--about|--key].
// Runs on Qt's offscreen platform unless another is chosen.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/kestrune_dlg.h"
#include "app/modal_dialog.h"
#include "res/app_icon.h"
#include "res/resource.h"

namespace {

// Start-up as with the token library present, without loading one: the log list gets its
// columns.
TokenLibraryLoader PretendLoaded() {
    static int token;
    return {[] { return static_cast<void*>(&token); }, [](void*, TokenApi& api) { api = {}; },
            [](void*& library) { library = nullptr; }};
}

bool Save(QWidget& window, const QString& path) {
    window.show();
    QApplication::processEvents();
    return window.grab().save(path);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString path = QStringLiteral("docs/main-window.png");
    int templateId = IDD_KESTRUNE_DIALOG;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--about"))
            templateId = IDD_ABOUTBOX;
        else if (arg == QLatin1String("--key"))
            templateId = IDD_INPUT_CUSTOMER_KEY;
        else
            path = arg;
    }

    // Start-up opens its log file in the current folder: keep it out of the working tree.
    path = QFileInfo(path).absoluteFilePath();
    QTemporaryDir scratch;
    if (scratch.isValid()) QDir::setCurrent(scratch.path());

    bool saved = false;
    if (templateId == IDD_KESTRUNE_DIALOG) {
        CKestruneDlg dialog(PretendLoaded());
        dialog.OnInitDialog();
        saved = Save(dialog, path);
        dialog.reject();
    } else {
        ModalTemplateDialog dialog(*FindDialogTemplate(templateId), nullptr, LoadAppIcon(),
                                   nullptr);
        saved = Save(dialog, path);
    }
    if (!saved) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
