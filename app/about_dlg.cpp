#include "app/about_dlg.h"

#include "app/modal_dialog.h"
#include "res/resource.h"

int CAboutDlg::DoModal() {
    return RunTemplateDialog(IDD_ABOUTBOX, nullptr, icon_, owner_);
}
