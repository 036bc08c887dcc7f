// A modal dialog other than the main window, built from its template (the about box, the key
// dialog), whose commands go to its logic.
#pragma once

#include "app/template_dialog.h"
#include "app/window_ops.h"

class ModalTemplateDialog : public TemplateDialog, public DialogWindow {
  public:
    // logic may be null: then OK (button or Enter) ends the dialog.
    ModalTemplateDialog(const DialogTemplate& dialog, DialogLogic* logic, const QIcon& icon,
                        QWidget* owner);

    // Runs the modal loop: IDOK or IDCANCEL.
    int DoModal();

    QString GetText(int id) override;
    void SetText(int id, const QString& text) override;
    void MessageBox(const QString& text) override;
    void EndDialog(int result) override;

  protected:
    void OnCommand(int id) override;
    void OnEnterKey() override;

  private:
    DialogLogic* logic_;
};

// Runs the dialog of templateId modally; IDCANCEL when the template does not exist.
int RunTemplateDialog(int templateId, DialogLogic* logic, const QIcon& icon, QWidget* owner);
