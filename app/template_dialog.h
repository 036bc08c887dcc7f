// A fixed-size dialog built from a template in res/: its font, its controls, an optional menu
// bar, and the keys of a dialog: Enter clicks the focused push button or else means OK; Escape
// and the close box cancel. The result of the modal loop is IDOK or IDCANCEL (or what the
// command that ended it chose).
#pragma once

#include <QDialog>
#include <QIcon>

#include "app/template_controls.h"
#include "res/resource.h"
#include "res/templates.h"

class QMenuBar;

class TemplateDialog : public QDialog {
  public:
    TemplateDialog(const DialogTemplate& dialog, const QIcon& icon, QWidget* parent);

    // The control with this ID, null when the template has none.
    QWidget* Control(int id) const;
    const TemplateControls& Controls() const { return controls_; }
    QWidget* Client() const { return client_; }
    QMenuBar* MenuBar() const { return menuBar_; }

    void accept() override { done(IDOK); }
    void reject() override { done(IDCANCEL); }

  protected:
    // A click on a push button or check box of the template.
    virtual void OnCommand(int id) = 0;
    // Enter while no push button has the focus.
    virtual void OnEnterKey() { accept(); }

    void keyPressEvent(QKeyEvent* event) override;
    // The first visible, enabled control in tab order that takes the focus gets it.
    void FocusFirstControl();

  private:
    void BuildMenu(int menuId);
    void FitWindow();

    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    TemplateControls controls_;
};
