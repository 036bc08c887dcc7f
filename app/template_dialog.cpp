#include "app/template_dialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>

TemplateDialog::TemplateDialog(const DialogTemplate& dialog, const QIcon& icon, QWidget* parent)
    : QDialog(parent), client_(new QWidget(this)) {
    Qt::WindowFlags flags = (parent ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                            Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
    if (dialog.style & kSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (dialog.style & kMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(QString::fromUtf8(dialog.title));
    setWindowIcon(icon);
    // The 3-D face colour of the dialog manager, which the caption labels' background matches.
    QPalette face = palette();
    face.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(face);
    setFont(DialogFont(dialog.fontFamily, dialog.pointSize));

    controls_ = BuildTemplateControls(dialog, client_, icon);
    for (QWidget* widget : controls_.inOrder) {
        const int id = ControlIdOf(widget);
        if (id == kNoId) continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
    }
    if (dialog.menuId != 0) BuildMenu(dialog.menuId);
    FitWindow();
}

QWidget* TemplateDialog::Control(int id) const {
    auto it = controls_.byId.find(id);
    return it == controls_.byId.end() ? nullptr : it->second;
}

void TemplateDialog::BuildMenu(int menuId) {
    const MenuTemplate* menu = FindMenu(menuId);
    if (!menu) return;
    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);  // part of the window, as the template has it
    for (const MenuPopupTemplate& popup : menu->popups) {
        QMenu* pop = menuBar_->addMenu(QString::fromUtf8(popup.text));
        for (const MenuItemTemplate& item : popup.items) {
            const int command = item.command;
            pop->addAction(QString::fromUtf8(item.text), this,
                           [this, command] { OnCommand(command); });
        }
    }
}

void TemplateDialog::FitWindow() {
    // The template's size is the client area; a menu bar sits above it.
    const int menuHeight = menuBar_ ? menuBar_->sizeHint().height() : 0;
    if (menuBar_) menuBar_->setGeometry(0, 0, controls_.clientSize.width(), menuHeight);
    client_->setGeometry(QRect(QPoint(0, menuHeight), controls_.clientSize));
    setFixedSize(controls_.clientSize.width(), controls_.clientSize.height() + menuHeight);
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->key() == Qt::Key_Enter && event->modifiers() == Qt::KeypadModifier);
    if (enter && plain) {
        auto* button = qobject_cast<QPushButton*>(focusWidget());
        if (button && button->isVisible() && button->isEnabled()) {
            button->click();
            return;
        }
        // A default button takes Enter; without one, Enter is the dialog's OK.
        for (QWidget* widget : controls_.inOrder) {
            auto* candidate = qobject_cast<QPushButton*>(widget);
            if (candidate && candidate->isDefault() && !candidate->isHidden()) {
                if (candidate->isEnabled()) candidate->click();
                return;
            }
        }
        OnEnterKey();
        return;
    }
    QDialog::keyPressEvent(event);  // Escape cancels
}

void TemplateDialog::FocusFirstControl() {
    for (QWidget* widget : controls_.inOrder) {
        if (!widget->isHidden() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
