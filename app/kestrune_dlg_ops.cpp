// The window operations of the main window. Each runs on the UI thread: called there, directly;
// called from another thread, as a synchronous request that the UI thread serves from its event
// loop (or from ServePendingRequests while it waits). Once the window is gone they are refused
// and give a neutral result.
#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QStandardItemModel>
#include <QThread>
#include <QTreeView>
#include <QUrl>

#include "app/file_filter.h"
#include "app/kestrune_dlg.h"
#include "app/message_boxes.h"
#include "app/modal_dialog.h"

namespace {

QStandardItemModel* ListModel(QWidget* control) {
    auto* view = qobject_cast<QTreeView*>(control);
    return view ? qobject_cast<QStandardItemModel*>(view->model()) : nullptr;
}

}  // namespace

bool CKestruneDlg::OnUiThread() const {
    return QThread::currentThread() == thread();
}

template <typename R, typename Work>
R CKestruneDlg::Serve(R neutral, Work work) {
    if (OnUiThread()) return requests_.IsClosed() ? neutral : work();
    R result = neutral;
    requests_.RunAndWait([&] { result = work(); });
    return result;
}

template <typename Work>
void CKestruneDlg::Serve(Work work) {
    if (OnUiThread()) {
        if (!requests_.IsClosed()) work();
        return;
    }
    requests_.RunAndWait(work);
}

QString CKestruneDlg::GetText(int id) {
    return Serve(QString(), [&] { return ControlText(Control(id)); });
}

void CKestruneDlg::SetText(int id, const QString& text) {
    Serve([&] {
        if (QWidget* control = Control(id)) SetControlText(control, text);
    });
}

void CKestruneDlg::SetInt(int id, int value) {
    SetText(id, QString::number(value));
}

bool CKestruneDlg::IsChecked(int id) {
    return Serve(false, [&] {
        auto* button = qobject_cast<QAbstractButton*>(Control(id));
        return button && button->isChecked();
    });
}

void CKestruneDlg::SetChecked(int id, bool checked) {
    Serve([&] {
        if (auto* button = qobject_cast<QAbstractButton*>(Control(id))) button->setChecked(checked);
    });
}

void CKestruneDlg::Enable(int id, bool enabled) {
    Serve([&] {
        if (QWidget* control = Control(id)) control->setEnabled(enabled);
    });
}

void CKestruneDlg::Hide(int id) {
    Serve([&] {
        if (QWidget* control = Control(id)) control->hide();
    });
}

int CKestruneDlg::ComboCount(int id) {
    return Serve(0, [&] {
        auto* combo = qobject_cast<QComboBox*>(Control(id));
        return combo ? combo->count() : 0;
    });
}

QString CKestruneDlg::ComboText(int id, int index) {
    return Serve(QString(), [&] {
        auto* combo = qobject_cast<QComboBox*>(Control(id));
        return combo && index >= 0 && index < combo->count() ? combo->itemText(index) : QString();
    });
}

void CKestruneDlg::ComboInsert(int id, int index, const QString& text) {
    Serve([&] {
        auto* combo = qobject_cast<QComboBox*>(Control(id));
        if (!combo) return;
        if (index < 0 || index > combo->count()) index = combo->count();
        // Inserting selects nothing: Qt would select the first entry of an empty box.
        const bool noneSelected = combo->currentIndex() == -1;
        const QString typed = combo->currentText();
        combo->insertItem(index, text);
        if (noneSelected && combo->currentIndex() != -1) {
            combo->setCurrentIndex(-1);
            combo->setEditText(typed);
        }
    });
}

void CKestruneDlg::ComboDelete(int id, int index) {
    Serve([&] {
        auto* combo = qobject_cast<QComboBox*>(Control(id));
        if (!combo || index < 0 || index >= combo->count()) return;
        // Deleting the selected entry leaves none selected, not its neighbour.
        const bool wasSelected = combo->currentIndex() == index;
        combo->removeItem(index);
        if (wasSelected) combo->setCurrentIndex(-1);
    });
}

int CKestruneDlg::ComboSelected(int id) {
    return Serve(-1, [&] {
        auto* combo = qobject_cast<QComboBox*>(Control(id));
        return combo ? combo->currentIndex() : -1;
    });
}

void CKestruneDlg::ListInsertColumn(int id, int column, const QString& heading, int widthPixels) {
    Serve([&] {
        QStandardItemModel* model = ListModel(Control(id));
        if (!model) return;
        if (column < 0 || column > model->columnCount()) column = model->columnCount();
        model->insertColumn(column);
        auto* header = new QStandardItem(heading);
        header->setTextAlignment(Qt::AlignCenter);
        model->setHorizontalHeaderItem(column, header);
        static_cast<QTreeView*>(Control(id))->setColumnWidth(column, widthPixels);
    });
}

void CKestruneDlg::ListInsertRow(int id, int row, const QStringList& cells) {
    Serve([&] {
        QStandardItemModel* model = ListModel(Control(id));
        if (!model) return;
        if (row < 0 || row > model->rowCount()) row = model->rowCount();
        // Cells beyond the list's columns are dropped, as a report list does.
        QList<QStandardItem*> items;
        for (int column = 0; column < model->columnCount(); ++column) {
            auto* item = new QStandardItem(column < cells.size() ? cells[column] : QString());
            item->setTextAlignment(Qt::AlignCenter);
            items << item;
        }
        if (items.isEmpty())
            model->insertRow(row);
        else
            model->insertRow(row, items);
    });
}

void CKestruneDlg::ListDeleteAll(int id) {
    Serve([&] {
        if (QStandardItemModel* model = ListModel(Control(id)))
            model->removeRows(0, model->rowCount());
    });
}

void CKestruneDlg::MessageBox(const QString& text) {
    Serve([&] { ShowSystemModalMessage(text); });
}

void CKestruneDlg::AppMessageBox(const QString& text) {
    Serve([&] { ShowAppMessage(this, text); });
}

QString CKestruneDlg::OpenFileDialog(const QString& filter) {
    return Serve(QString(), [&] {
        return QFileDialog::getOpenFileName(this, QString(), QString(), ConvertFileFilter(filter));
    });
}

int CKestruneDlg::RunModalDialog(int templateId, DialogLogic* logic) {
    return Serve(int(IDCANCEL),
                 [&] { return RunTemplateDialog(templateId, logic, m_hIcon, this); });
}

void CKestruneDlg::OpenUrl(const QString& url) {
    Serve([&] { QDesktopServices::openUrl(QUrl(url)); });
}

void CKestruneDlg::PostUpdateView() {
    // Only ever posted, from whichever thread; dropped once the window is gone.
    requests_.IfOpen([this] {
        QCoreApplication::postEvent(this,
                                    new QEvent(static_cast<QEvent::Type>(kUpdateViewEventType)));
    });
}

void CKestruneDlg::ServePendingRequests() {
    if (OnUiThread()) requests_.ServePending();
}
