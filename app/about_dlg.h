// The about box (template 100), opened from the system menu's about item.
#pragma once

#include <QIcon>

class QWidget;

class CAboutDlg {
  public:
    CAboutDlg(const QIcon& icon, QWidget* owner) : icon_(icon), owner_(owner) {}
    // Runs the box until OK, Enter, Escape or the close box: IDOK or IDCANCEL.
    int DoModal();

  private:
    QIcon icon_;
    QWidget* owner_;
};
