// The window operations on the live widgets: they behave as the fake window that the logic's
// tests use, and the boxes and modal dialogs are what the logic expects.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

#include "app/file_filter.h"
#include "app/kestrune_dlg.h"
#include "res/resource.h"
#include "tests/app/ui_test_support.h"
#include "tests/support/fake_window.h"

namespace {

// One step of a script that runs on the real window and on the fake alike.
using Step = std::function<void(WindowOps& ops, std::function<void(int)> operatorSelects)>;

QString ComboState(WindowOps& ops) {
    QStringList entries;
    for (int i = 0; i < ops.ComboCount(IDC_READERS); ++i) entries << ops.ComboText(IDC_READERS, i);
    return entries.join(QLatin1Char(',')) +
           QStringLiteral(" selected %1").arg(ops.ComboSelected(IDC_READERS));
}

TEST(WindowOps, ComboBoxBehavesAsTheFakeWindowDoes) {
    const std::vector<Step> script = {
        [](WindowOps& o, auto) { o.ComboInsert(IDC_READERS, 0, "B"); },
        [](WindowOps& o, auto) { o.ComboInsert(IDC_READERS, 0, "A"); },
        [](WindowOps& o, auto) { o.ComboInsert(IDC_READERS, 99, "D"); },  // beyond the end
        [](WindowOps&, auto select) { select(1); },
        [](WindowOps& o, auto) { o.ComboInsert(IDC_READERS, 0, "Z"); },  // selection moves along
        [](WindowOps& o, auto) { o.ComboDelete(IDC_READERS, 7); },       // no such entry
        [](WindowOps& o, auto) { o.ComboDelete(IDC_READERS, 0); },
        [](WindowOps& o, auto) { o.ComboDelete(IDC_READERS, 1); },  // the selected one
        [](WindowOps& o, auto) { o.ComboInsert(IDC_READERS, -1, "E"); },
    };
    RecordingLoader loader;
    CKestruneDlg dlg(loader.Make());
    FakeWindow fake;
    auto* combo = static_cast<QComboBox*>(dlg.Control(IDC_READERS));
    for (size_t i = 0; i < script.size(); ++i) {
        script[i](dlg, [&](int index) { combo->setCurrentIndex(index); });
        script[i](fake, [&](int index) { fake.SelectComboEntry(IDC_READERS, index); });
        EXPECT_EQ(ComboState(dlg), ComboState(fake)) << "after step " << i;
    }
    EXPECT_EQ(ComboState(dlg), QStringLiteral("A,D,E selected -1"));
}

TEST(WindowOps, LogListBehavesAsTheFakeWindowDoes) {
    RecordingLoader loader;
    CKestruneDlg dlg(loader.Make());
    FakeWindow fake;
    for (WindowOps* ops : {static_cast<WindowOps*>(&dlg), static_cast<WindowOps*>(&fake)}) {
        ops->ListInsertColumn(IDC_LOG_LIST, 0, "State", 180);
        ops->ListInsertColumn(IDC_LOG_LIST, 0, "Serial Number", 280);
        ops->ListInsertRow(IDC_LOG_LIST, 0, {"0000000001", "Fail"});
        ops->ListInsertRow(IDC_LOG_LIST, 0, {"0000000002", "Success"});
        ops->ListInsertRow(IDC_LOG_LIST, 5, {"0000000003", "Success"});  // beyond the end
    }
    auto* view = static_cast<QTreeView*>(dlg.Control(IDC_LOG_LIST));
    auto* model = static_cast<QStandardItemModel*>(view->model());
    const FakeWindow::Control expected = fake.control(IDC_LOG_LIST);
    ASSERT_EQ(model->columnCount(), int(expected.columns.size()));
    for (int c = 0; c < model->columnCount(); ++c) {
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), expected.columns[c].first);
        EXPECT_EQ(view->columnWidth(c), expected.columns[c].second);
    }
    ASSERT_EQ(model->rowCount(), int(expected.rows.size()));
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c) {
            EXPECT_EQ(model->item(r, c)->text(), expected.rows[r][c]) << r << "," << c;
            EXPECT_EQ(model->item(r, c)->textAlignment(), Qt::AlignCenter);
        }

    // Cells beyond the columns are dropped rather than growing the list.
    dlg.ListInsertRow(IDC_LOG_LIST, 0, {"0000000004", "Fail", "extra"});
    EXPECT_EQ(model->columnCount(), 2);
    dlg.ListDeleteAll(IDC_LOG_LIST);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(model->columnCount(), 2);
}

TEST(WindowOps, TextsCheckBoxesAndStatesByControlId) {
    RecordingLoader loader;
    CKestruneDlg dlg(loader.Make());
    dlg.show();
    dlg.SetText(IDC_READERS, QStringLiteral("typed reader"));
    EXPECT_EQ(dlg.GetText(IDC_READERS), QStringLiteral("typed reader"));
    dlg.SetInt(IDC_FAIL, -3);
    EXPECT_EQ(dlg.GetText(IDC_FAIL), QStringLiteral("-3"));
    dlg.SetChecked(IDC_SAVE_CSV, true);
    EXPECT_TRUE(dlg.IsChecked(IDC_SAVE_CSV));
    dlg.Enable(IDC_CSV_NAME, true);
    EXPECT_TRUE(dlg.Control(IDC_CSV_NAME)->isEnabled());
    dlg.Hide(IDC_BURN_SEED);
    EXPECT_FALSE(dlg.Control(IDC_BURN_SEED)->isVisible());
    // An ID that the window does not have is ignored.
    dlg.SetText(4242, QStringLiteral("x"));
    EXPECT_EQ(dlg.GetText(4242), QString());
    EXPECT_EQ(dlg.ComboSelected(4242), -1);
}

TEST(WindowOps, MessageBoxesHaveTheirCaptionOwnerAndModality) {
    struct Case {
        const char* name;
        std::function<void(CKestruneDlg&)> show;
        QString caption;
        bool owned;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        {"message box", [](CKestruneDlg& d) { d.MessageBox("CardVerify failed!"); },
         "Tamrek Ondrel", false, QMessageBox::NoIcon},
        {"application message box", [](CKestruneDlg& d) { d.AppMessageBox("Seed too short"); },
         "TamrekOndrel", true, QMessageBox::Warning},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingLoader loader;
        CKestruneDlg dlg(loader.Make());
        dlg.show();
        QString caption;
        bool owned = !c.owned;
        Qt::WindowModality modality = Qt::NonModal;
        QMessageBox::Icon icon = QMessageBox::Critical;
        OnMessageBox([&](QWidget* w) {
            auto* box = static_cast<QMessageBox*>(w);
            caption = box->windowTitle();
            owned = box->parentWidget() == &dlg;
            modality = box->windowModality();
            icon = box->icon();
            QTest::keyClick(box, Qt::Key_Return);
        });
        c.show(dlg);
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(owned, c.owned);
        EXPECT_EQ(modality, Qt::ApplicationModal);
        EXPECT_EQ(icon, c.icon);
    }
}

// The logic of a modal dialog, as the key dialog's: records commands, accepts on IDOK.
class RecordingLogic : public DialogLogic {
  public:
    QList<int> commands;
    QString keyText;
    void OnCommand(int id, DialogWindow& dialog) override {
        commands << id;
        if (id == IDOK) {
            keyText = dialog.GetText(IDC_KEY_EDIT);
            dialog.EndDialog(IDOK);
        }
    }
};

TEST(WindowOps, KeyDialogHidesItsKeyControlsAndHandsEnterToItsLogic) {
    struct Case {
        const char* name;
        Qt::Key key;
        int result;
        QList<int> commands;
    };
    const Case cases[] = {
        {"Enter goes to the logic", Qt::Key_Return, IDOK, {IDOK}},
        {"Escape cancels without the logic", Qt::Key_Escape, IDCANCEL, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingLoader loader;
        CKestruneDlg dlg(loader.Make());
        dlg.show();
        RecordingLogic logic;
        QString title;
        int maxLength = 0;
        bool keyControlsHidden = false;
        OnModal([&](QWidget* w) { return w != &dlg; },
                [&](QWidget* w) {
                    title = w->windowTitle();
                    auto* edit = w->findChild<QLineEdit*>();
                    maxLength = edit ? edit->maxLength() : 0;
                    keyControlsHidden = edit && !edit->isVisible();
                    for (auto* button : w->findChildren<QAbstractButton*>())
                        keyControlsHidden = keyControlsHidden && !button->isVisible();
                    QTest::keyClick(w, c.key);
                });
        EXPECT_EQ(dlg.RunModalDialog(IDD_INPUT_CUSTOMER_KEY, &logic), c.result);
        EXPECT_EQ(logic.commands, c.commands);
        EXPECT_EQ(title, QStringLiteral("About Ondrel"));
        EXPECT_EQ(maxLength, 32);
        EXPECT_TRUE(keyControlsHidden);
    }
}

TEST(FileFilter, PipeFiltersBecomeQtFilters) {
    const std::pair<QString, QString> cases[] = {
        {"Txt Files (*.txt)|*.txt|Dll Files(*.dll)|*.dll|All Files (*.*)|*.*||",
         "Txt Files (*.txt);;Dll Files (*.dll);;All Files (*.*)"},
        {"Seeds|*.txt;*.csv||", "Seeds (*.txt *.csv)"},
        {"|*.txt||", "*.txt (*.txt)"},
        {"Txt Files (*.txt)|*.txt", "Txt Files (*.txt)"},  // without the closing "||"
        {"", ""},
    };
    for (const auto& [pipe, qt] : cases)
        EXPECT_EQ(ConvertFileFilter(pipe), qt) << pipe.toStdString();
}

}  // namespace
