#include "app/template_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

// The system's large icon size, at which icon controls show the application icon.
constexpr int kIconPixels = 32;

QLabel* MakeLabel(const ControlTemplate& c, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(c.text), parent);
    // Plain text: serial numbers and status lines must never be taken for markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | ((c.style & kCentred) ? Qt::AlignHCenter : Qt::AlignLeft));
    // Static texts let clicks through to what lies below, as frames do.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel* MakeCaptionLabel(const ControlTemplate& c, QWidget* parent) {
    QLabel* label = MakeLabel(c, parent);
    label->setWordWrap(false);
    label->setFont(DialogFont(kCaptionLabelStyle.family, kCaptionLabelStyle.pointSize));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(kCaptionLabelStyle.textRgb));
    palette.setColor(QPalette::Window, QColor::fromRgb(kCaptionLabelStyle.backRgb));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

QWidget* MakeListView(QWidget* parent) {
    auto* view = new QTreeView(parent);
    auto* model = new QStandardItemModel(0, 0, view);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->header()->setStretchLastSection(false);
    view->header()->setSectionsMovable(false);
    view->header()->setDefaultAlignment(Qt::AlignCenter);
    return view;
}

QWidget* MakeComboBox(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // Entries come only from the program, never from Enter in the edit field.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    return combo;
}

QWidget* MakeControl(const ControlTemplate& c, QWidget* parent, const QIcon& icon) {
    const QString text = QString::fromUtf8(c.text);
    switch (c.kind) {
        case ControlKind::PushButton: {
            auto* button = new QPushButton(text, parent);
            // Enter is the dialog's to handle: it clicks a focused button, else it means OK.
            button->setAutoDefault(false);
            button->setDefault(c.style & kDefaultButton);
            // Flat buttons keep their frame: under visual styles they are drawn themed as well.
            return button;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(text, parent);
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(text, parent);
            edit->setReadOnly(c.style & kReadOnly);
            edit->setFrame(c.style & kBorder);
            if (c.maxLength > 0) edit->setMaxLength(c.maxLength);
            return edit;
        }
        case ControlKind::Label:
            return MakeLabel(c, parent);
        case ControlKind::CaptionLabel:
            return MakeCaptionLabel(c, parent);
        case ControlKind::GroupBox: {
            auto* frame = new QGroupBox(text, parent);
            frame->setAttribute(Qt::WA_TransparentForMouseEvents);
            frame->setFocusPolicy(Qt::NoFocus);
            return frame;
        }
        case ControlKind::ListView:
            return MakeListView(parent);
        case ControlKind::ComboBox:
            return MakeComboBox(parent);
        case ControlKind::Icon: {
            auto* label = new QLabel(parent);
            label->setPixmap(icon.pixmap(kIconPixels, kIconPixels));
            return label;
        }
    }
    return nullptr;
}

}  // namespace

TemplateControls BuildTemplateControls(const DialogTemplate& dialog, QWidget* client,
                                       const QIcon& icon) {
    TemplateControls controls;
    controls.units = BaseUnitsOf(client->font());
    controls.clientSize = QSize(DialogUnitsToPixelsX(controls.units, dialog.width),
                                DialogUnitsToPixelsY(controls.units, dialog.height));
    for (const ControlTemplate& c : dialog.controls) {
        QWidget* widget = MakeControl(c, client, icon);
        QRect geometry = DialogUnitsToPixels(controls.units, c.x, c.y, c.width, c.height);
        if (c.kind == ControlKind::ComboBox) {
            // The template's height includes the drop-down list; the field has the font's height.
            geometry.setHeight(qMin(geometry.height(), widget->sizeHint().height()));
        } else if (c.kind == ControlKind::GroupBox) {
            // A frame's line runs half a character below its top, where a caption would sit.
            geometry.setTop(geometry.top() + controls.units.y / 2);
        } else if (c.kind == ControlKind::Icon) {
            geometry.setSize(QSize(kIconPixels, kIconPixels));
        }
        widget->setGeometry(geometry);
        widget->setProperty(kControlIdProperty, c.id);
        if (c.style & kHidden) widget->setHidden(true);
        if (c.style & kDisabled) widget->setEnabled(false);
        if (c.id != kNoId) controls.byId[c.id] = widget;
        controls.inOrder.push_back(widget);
    }
    // The first control of a template lies on top; frames lie below everything.
    for (auto it = controls.inOrder.rbegin(); it != controls.inOrder.rend(); ++it) (*it)->raise();
    for (QWidget* widget : controls.inOrder)
        if (qobject_cast<QGroupBox*>(widget)) widget->lower();
    return controls;
}

int ControlIdOf(const QWidget* widget) {
    const QVariant id = widget ? widget->property(kControlIdProperty) : QVariant();
    return id.isValid() ? id.toInt() : kNoId;
}

QString ControlText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (auto* combo = qobject_cast<const QComboBox*>(control)) return combo->currentText();
    if (auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
    return {};
}

void SetControlText(QWidget* control, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        combo->setEditText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        frame->setTitle(text);
    }
}
