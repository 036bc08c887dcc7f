#include "app/modal_dialog.h"

#include "app/message_boxes.h"
#include "res/resource.h"

ModalTemplateDialog::ModalTemplateDialog(const DialogTemplate& dialog, DialogLogic* logic,
                                         const QIcon& icon, QWidget* owner)
    : TemplateDialog(dialog, icon, owner), logic_(logic) {
    setWindowModality(Qt::ApplicationModal);
}

int ModalTemplateDialog::DoModal() {
    FocusFirstControl();
    return exec();
}

QString ModalTemplateDialog::GetText(int id) {
    return ControlText(Control(id));
}

void ModalTemplateDialog::SetText(int id, const QString& text) {
    if (QWidget* control = Control(id)) SetControlText(control, text);
}

void ModalTemplateDialog::MessageBox(const QString& text) {
    ShowSystemModalMessage(text);
}

void ModalTemplateDialog::EndDialog(int result) {
    done(result);
}

void ModalTemplateDialog::OnCommand(int id) {
    if (logic_)
        logic_->OnCommand(id, *this);
    else if (id == IDOK)
        accept();
}

void ModalTemplateDialog::OnEnterKey() {
    OnCommand(IDOK);
}

int RunTemplateDialog(int templateId, DialogLogic* logic, const QIcon& icon, QWidget* owner) {
    const DialogTemplate* dialog = FindDialogTemplate(templateId);
    if (!dialog) return IDCANCEL;
    ModalTemplateDialog modal(*dialog, logic, icon, owner);
    return modal.DoModal();
}
