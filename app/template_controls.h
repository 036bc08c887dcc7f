// Builds the controls of a dialog template as Qt widgets, and reads and writes their texts the
// same way whatever their kind.
#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>
#include <map>
#include <vector>

#include "app/dialog_units.h"
#include "res/templates.h"

// The widget property that holds a control's ID (kNoId for labels and frames).
inline constexpr char kControlIdProperty[] = "controlId";

struct TemplateControls {
    BaseUnits units{};
    QSize clientSize;
    std::map<int, QWidget*> byId;
    std::vector<QWidget*> inOrder;  // template (tab) order
};

// Creates every control of the template as a child of client, placed and sized in pixels.
TemplateControls BuildTemplateControls(const DialogTemplate& dialog, QWidget* client,
                                       const QIcon& icon);

// The control's ID, or kNoId.
int ControlIdOf(const QWidget* widget);

// Text of an edit, label, button, check box or of a combo box's edit field.
QString ControlText(const QWidget* control);
void SetControlText(QWidget* control, const QString& text);
