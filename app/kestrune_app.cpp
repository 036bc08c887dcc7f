#include "app/kestrune_app.h"

#include "app/kestrune_dlg.h"

CKestruneApp::CKestruneApp(int& argc, char** argv) : QApplication(argc, argv) {
    // The title of the application message box.
    setApplicationName(QStringLiteral("TamrekOndrel"));
}

bool CKestruneApp::InitInstance() {
    // Qt registers its widget classes itself and needs no control container for the caption
    // labels, which are ordinary labels here.
    {
        CKestruneDlg dialog;
        dialog.DoModal();
    }
    return false;
}
