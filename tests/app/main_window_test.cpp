// The main window as it opens and as the operator ends it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

#include "app/kestrune_dlg.h"
#include "burn/burn_procedure.h"
#include "keys/customer_key.h"
#include "loops/loops.h"
#include "res/resource.h"
#include "tests/app/ui_test_support.h"
#include "token/token_api.h"

namespace {

QTreeView* LogList(CKestruneDlg& dlg) {
    return static_cast<QTreeView*>(dlg.Control(IDC_LOG_LIST));
}
QStandardItemModel* LogModel(CKestruneDlg& dlg) {
    return static_cast<QStandardItemModel*>(LogList(dlg)->model());
}

QStringList Headings(CKestruneDlg& dlg) {
    QStringList headings;
    QStandardItemModel* model = LogModel(dlg);
    for (int c = 0; c < model->columnCount(); ++c)
        headings << model->headerData(c, Qt::Horizontal).toString();
    return headings;
}

// The IDs of the controls that Tab visits, in order.
QList<int> TabOrder(CKestruneDlg& dlg) {
    QList<int> ids;
    QWidget* widget = &dlg;
    do {
        widget = widget->nextInFocusChain();
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(&dlg) ||
            !widget->isEnabled())
            continue;
        QWidget* control = widget;
        while (control && ControlIdOf(control) == kNoId) control = control->parentWidget();
        if (control && (ids.isEmpty() || ids.back() != ControlIdOf(control)))
            ids << ControlIdOf(control);
    } while (widget != &dlg);
    return ids;
}

// What the operator sees of every control, for comparing before and after.
QStringList Snapshot(CKestruneDlg& dlg) {
    QStringList state;
    for (QWidget* w : dlg.Controls().inOrder) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        auto* edit = qobject_cast<QLineEdit*>(w);
        state << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(ControlIdOf(w))
                     .arg(ControlText(w))
                     .arg(w->isVisibleTo(&dlg))
                     .arg(w->isEnabled())
                     .arg(button && button->isChecked())
                     .arg(edit ? edit->cursorPosition() : -1);
    }
    state << QString::number(LogModel(dlg)->rowCount());
    return state;
}

class StartedWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        dlg.OnInitDialog();
        dlg.show();
    }
    RecordingLoader loader;
    CKestruneDlg dlg{loader.Make()};
};

TEST_F(StartedWindow, OpensWithEveryControlInItsInitialState) {
    struct Expected {
        int id;
        QString text;
        bool visible;
        bool enabled;
    };
    const Expected table[] = {
        {IDC_SELECT_SEEDS_FILE, "📂 select seeds file...", false, true},
        {IDC_SEEDS_FILE_PATH, "", false, true},
        {IDC_SERIAL, "", true, true},
        {IDC_TIME, "", true, true},
        {IDC_TOTAL, "0", true, true},
        {IDC_SUCCESS, "0", true, true},
        {IDC_FAIL, "0", true, true},
        {IDC_BURN_SEED, "🔥 BURN SEED", true, true},
        {IDC_STATUS, "", false, true},
        {IDC_CLEAR_LOG, "clear log", true, true},
        {IDC_READERS, "", true, true},
        {IDC_CONNECT, "🔌connect", true, true},
        {IDC_SEAL, "Seal", false, true},
        {IDC_CURRENT_TIME, "🔄 current time", true, true},
        {IDC_SET_TIME, "🕐 SET TIME", true, true},
        {IDC_LOG_CAPTION, "log", true, true},
        {IDC_CLOCK_CAPTION, "syncing time", true, true},
        {IDC_SEED, "", true, true},
        {IDC_CLEAR_SEED, "⌫ clear", true, true},
        {IDC_RANDOM_SEED, "🔂 random", true, true},
        {IDC_SAVE_CSV, "save as CSV* file", true, true},
        {IDC_RANDOM_AFTER_BURN, "random seed after each successful burn", true, true},
        {IDC_ONLINE_DOCS, "🔗 online documentation", true, true},
        {IDC_TEST_SEED, "🔗 test current seed", true, true},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.id);
        QWidget* control = dlg.Control(e.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ControlText(control), e.text);
        EXPECT_EQ(control->isVisible(), e.visible);
        EXPECT_EQ(control->isEnabled(), e.enabled);
    }
    for (int id : {IDC_SAVE_CSV, IDC_RANDOM_AFTER_BURN}) EXPECT_FALSE(dlg.IsChecked(id)) << id;
    EXPECT_EQ(dlg.ComboCount(IDC_READERS), 0);
    EXPECT_EQ(dlg.ComboSelected(IDC_READERS), -1);
    EXPECT_EQ(LogModel(dlg)->rowCount(), 0);

    // The proposed CSV name: five digits and ".csv", in the disabled edit.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]{5}\\.csv$"))
                    .match(dlg.GetText(IDC_CSV_NAME))
                    .hasMatch())
        << dlg.GetText(IDC_CSV_NAME).toStdString();
    EXPECT_FALSE(dlg.Control(IDC_CSV_NAME)->isEnabled());

    // The texts without an ID, in template order.
    const QStringList statics = {
        "",  // frame
        "Current Serial Number:",
        "Time:",
        "Total:",
        "Success:",
        "Fail:",
        "NFC Device:",
        "",  // frame
        "UTC Time:",
        "⚠ click 'Connect' after selecting the NFC device ",
        "⚠ please note that the connection capability either in the NFC modules or in  tokens is "
        "may be not completely stable, so you may need to retry with placing the token in a "
        "slightly different position. ",
        "enter the seed in base32 format",
        "",  // frame
        "click on 'current time' button to get the token synced with this computer's system "
        "time. \n⚠ warning: with certain token models setting time will clear the seed as well",
        "If ACR122 NFC module is used, after placing the token on the NFC antenna surface, the "
        "LED indicator should turn green for some time and the serial number should appear in "
        "the section below. ",
        "* will save successfully burnt token data in a CSV file for Azure MFA",
        "Note! Buttons with 🔗 symbol launch Internet URLs",
    };
    QStringList shown;
    for (QWidget* w : dlg.Controls().inOrder)
        if (ControlIdOf(w) == kNoId) shown << ControlText(w);
    EXPECT_EQ(shown, statics);

    EXPECT_EQ(TabOrder(dlg), (QList<int>{IDC_LOG_LIST, IDC_BURN_SEED, IDC_CLEAR_LOG, IDC_READERS,
                                         IDC_UTC_TIME, IDC_CURRENT_TIME, IDC_SET_TIME, IDC_SEED,
                                         IDC_CONNECT, IDC_CLEAR_SEED, IDC_RANDOM_SEED, IDC_SAVE_CSV,
                                         IDC_RANDOM_AFTER_BURN, IDC_ONLINE_DOCS, IDC_TEST_SEED}));
}

TEST_F(StartedWindow, IsAFixedWindowWithTitleIconMenuAndCaptionLabels) {
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("TAMREK Ondrel 0.0.1β"));
    EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize());
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dlg.windowFlags() & Qt::WindowMinimizeButtonHint);
    for (int size : {16, 24, 32, 48})
        EXPECT_TRUE(dlg.windowIcon().availableSizes().contains(QSize(size, size))) << size;

    // Menu "About": "About Ondrel", then below a separator the about item.
    const QList<QAction*> popups = dlg.MenuBar()->actions();
    ASSERT_EQ(popups.size(), 1);
    EXPECT_EQ(popups[0]->text(), QStringLiteral("About"));
    QStringList items;
    for (QAction* action : popups[0]->menu()->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(items, (QStringList{"About Ondrel", "-", "about TAMREK Ondrel"}));

    for (int id : {IDC_LOG_CAPTION, IDC_CLOCK_CAPTION}) {
        SCOPED_TRACE(id);
        QWidget* caption = dlg.Control(id);
        EXPECT_DOUBLE_EQ(caption->font().pointSizeF(), 14.25);
        EXPECT_EQ(caption->palette().color(QPalette::WindowText), QColor(0, 0, 0));
        EXPECT_EQ(caption->palette().color(QPalette::Window), QColor(240, 240, 240));
    }
    // Controls are placed by dialog units: the seed edit spans 221 of the window's 395.
    EXPECT_NEAR(dlg.Control(IDC_SEED)->width() * 395.0 / dlg.Client()->width(), 221, 1);
}

TEST_F(StartedWindow, AboutItemOpensTheAboutBoxWhichEnterCloses) {
    QAction* about = dlg.MenuBar()->actions()[0]->menu()->actions().constLast();
    QString title;
    QStringList texts;
    OnModal([&](QWidget* w) { return w != &dlg; },
            [&](QWidget* box) {
                title = box->windowTitle();
                for (QLabel* label : box->findChildren<QLabel*>())
                    if (!label->text().isEmpty()) texts << label->text();
                QTest::keyClick(box, Qt::Key_Return);
            });
    about->trigger();
    EXPECT_EQ(title, QStringLiteral("TAMREK Ondrel"));
    EXPECT_TRUE(texts.contains(QStringLiteral("TAMREK Ondrel 0.0.1")));
    EXPECT_TRUE(texts.contains(QStringLiteral("for second generation Tamrek programmable tokens")));
    EXPECT_EQ(texts.size(), 3);  // and a line of our own
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(StartedWindow, ClearLogEmptiesTheListAndNothingElse) {
    dlg.ListInsertRow(IDC_LOG_LIST, 0, {"0123456789", "Success"});
    dlg.ListInsertRow(IDC_LOG_LIST, 0, {"0123456790", "Fail"});
    dlg.SetInt(IDC_TOTAL, 2);
    dlg.SetInt(IDC_SUCCESS, 1);
    dlg.SetInt(IDC_FAIL, 1);
    g_totalCount = 2;

    static_cast<QAbstractButton*>(dlg.Control(IDC_CLEAR_LOG))->click();

    EXPECT_EQ(LogModel(dlg)->rowCount(), 0);
    EXPECT_EQ(Headings(dlg), (QStringList{"Serial Number", "State"}));
    EXPECT_EQ(dlg.GetText(IDC_TOTAL), QStringLiteral("2"));
    EXPECT_EQ(dlg.GetText(IDC_SUCCESS), QStringLiteral("1"));
    EXPECT_EQ(dlg.GetText(IDC_FAIL), QStringLiteral("1"));
    EXPECT_EQ(g_totalCount.load(), 2);
}

TEST_F(StartedWindow, RefreshShowsTheMembersAndChangesNothingElse) {
    // The reader monitor would clear the serial and time between our steps (no readers here).
    StopLoops(dlg.dlg());
    dlg.SetText(IDC_SEED, QStringLiteral("JBSWY3DPEHPK3PXP"));
    const QStringList before = Snapshot(dlg);
    dlg.PostUpdateView();
    QCoreApplication::processEvents();
    EXPECT_EQ(Snapshot(dlg), before);

    dlg.state().m_strSerial.Set(QStringLiteral("<b>2101234567</b>"));
    dlg.state().m_strTime.Set(QStringLiteral("2026/12/11/15/00/00"));
    dlg.PostUpdateView();
    EXPECT_EQ(dlg.GetText(IDC_SERIAL), QString());  // posted, not sent
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg.GetText(IDC_SERIAL), QStringLiteral("<b>2101234567</b>"));
    EXPECT_EQ(static_cast<QLabel*>(dlg.Control(IDC_SERIAL))->textFormat(), Qt::PlainText);
    EXPECT_EQ(dlg.GetText(IDC_TIME), QStringLiteral("2026/12/11/15/00/00"));
}

TEST_F(StartedWindow, ClicksAndTheMenuReachTheirHandlers) {
    auto click = [&](int id) { static_cast<QAbstractButton*>(dlg.Control(id))->click(); };
    click(IDC_RANDOM_SEED);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z2-7]{32}$"))
                    .match(dlg.GetText(IDC_SEED))
                    .hasMatch());
    click(IDC_CLEAR_SEED);
    EXPECT_EQ(dlg.GetText(IDC_SEED), QString());
    click(IDC_SAVE_CSV);  // toggles itself, then its handler enables the CSV name
    EXPECT_TRUE(dlg.IsChecked(IDC_SAVE_CSV));
    EXPECT_TRUE(dlg.Control(IDC_CSV_NAME)->isEnabled());

    // "About Ondrel" opens the key dialog; Enter there meets the hidden, empty key field.
    const QString keyBefore = g_customerKey.Get();
    QString dialogTitle, message;
    bool openAfterMessage = false;
    OnModal([&](QWidget* w) { return w != &dlg; },
            [&](QWidget* keyDialog) {
                dialogTitle = keyDialog->windowTitle();
                OnMessageBox([&, keyDialog](QWidget* box) {
                    message = static_cast<QMessageBox*>(box)->text();
                    QTest::keyClick(box, Qt::Key_Return);
                    OnModal([keyDialog](QWidget* w) { return w == keyDialog; },
                            [&](QWidget* w) {
                                openAfterMessage = w->isVisible();
                                QTest::keyClick(w, Qt::Key_Escape);
                            });
                });
                QTest::keyClick(keyDialog, Qt::Key_Return);
            });
    dlg.MenuBar()->actions()[0]->menu()->actions()[0]->trigger();
    EXPECT_EQ(dialogTitle, QStringLiteral("About Ondrel"));
    EXPECT_EQ(message, QStringLiteral("Key must be 16 bytes!"));
    EXPECT_TRUE(openAfterMessage);
    EXPECT_EQ(g_customerKey.Get(), keyBefore);
    EXPECT_EQ(keyBefore.size(), 32);  // start-up derived the working key
}

// Start-up with and without the token library.

TEST(StartUp, WithTheLibraryResolvesItAndSetsUpTheBurnState) {
    g_readPending = 0;
    g_burnPending = 0;
    g_watchState = 1;
    g_totalCount = 7;
    RecordingLoader loader;
    {
        CKestruneDlg dlg(loader.Make());
        dlg.OnInitDialog();
        EXPECT_EQ(loader.resolves, 1);
        EXPECT_EQ(dlg.state().m_hTokenLib, FakeLibraryHandle());
        EXPECT_EQ(Headings(dlg), (QStringList{"Serial Number", "State"}));
        for (int column : {0, 1})
            EXPECT_EQ(
                LogModel(dlg)->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                int(Qt::AlignCenter));
        EXPECT_EQ(LogList(dlg)->columnWidth(0), 280);
        EXPECT_EQ(LogList(dlg)->columnWidth(1), 180);
        EXPECT_EQ(g_readPending.load(), 1);
        EXPECT_EQ(g_burnPending.load(), 1);
        EXPECT_EQ(g_watchState.load(), 0);
        EXPECT_EQ(g_totalCount.load(), 0);
        dlg.reject();
        EXPECT_EQ(loader.unloads, 1);
        EXPECT_EQ(loader.unloadedHandle, FakeLibraryHandle());
        EXPECT_EQ(dlg.state().m_hTokenLib, nullptr);
    }
    EXPECT_EQ(loader.unloads, 1);  // once, not again when the window object goes
}

TEST(StartUp, WithOurLibraryResolvesItsFiveEntryPointsAndFreesItAtTheEnd) {
    CKestruneDlg dlg;  // the real loader: libBrasmid.so lies beside the test program
    g_tokenApi = {};
    dlg.OnInitDialog();
    ASSERT_NE(dlg.state().m_hTokenLib, nullptr);
    EXPECT_NE(g_tokenApi.CardReadSnAndTime, nullptr);
    EXPECT_NE(g_tokenApi.CardVerify, nullptr);
    EXPECT_NE(g_tokenApi.CardSetTime, nullptr);
    EXPECT_NE(g_tokenApi.CardBurnSeed, nullptr);
    EXPECT_NE(g_tokenApi.CardSeal, nullptr);
    EXPECT_EQ(Headings(dlg), (QStringList{"Serial Number", "State"}));
    dlg.reject();
    EXPECT_EQ(dlg.state().m_hTokenLib, nullptr);
}

TEST(StartUp, WithoutTheLibraryReportsItBeforeTheWindowAndOpensItWithoutColumns) {
    g_readPending = 0;
    g_totalCount = 7;
    RecordingLoader loader;
    loader.found = false;
    CKestruneDlg dlg(loader.Make());

    QString text, title;
    bool ownerless = false, windowShown = true;
    QStringList headingsShown{"not looked at"};
    OnMessageBox([&](QWidget* w) {
        auto* box = static_cast<QMessageBox*>(w);
        text = box->text();
        title = box->windowTitle();
        ownerless = box->parentWidget() == nullptr;
        windowShown = dlg.isVisible();
        OnModal([&](QWidget* modal) { return modal == &dlg; },
                [&](QWidget*) {
                    headingsShown = Headings(dlg);
                    QTest::keyClick(&dlg, Qt::Key_Escape);
                });
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);

    EXPECT_EQ(text, QStringLiteral("Load library failed"));
    EXPECT_EQ(title, QStringLiteral("Tamrek Ondrel"));
    EXPECT_TRUE(ownerless);
    EXPECT_FALSE(windowShown);
    EXPECT_EQ(headingsShown, QStringList());
    // The rest of the library step is skipped: nothing resolved, the burn state untouched.
    EXPECT_EQ(loader.resolves, 0);
    EXPECT_EQ(g_readPending.load(), 0);
    EXPECT_EQ(g_totalCount.load(), 7);
    EXPECT_EQ(loader.unloads, 0);
}

// Ending the window with the keyboard and the close box.

TEST(EndingTheWindow, EnterOutsidePushButtonsEscapeAndCloseBoxEndIt) {
    struct Case {
        const char* name;
        std::function<void(CKestruneDlg&)> act;
        int result;
    };
    const Case cases[] = {
        {"Enter in the seed edit",
         [](CKestruneDlg& d) { QTest::keyClick(d.Control(IDC_SEED), Qt::Key_Return); }, IDOK},
        {"keypad Enter on a check box",
         [](CKestruneDlg& d) {
             QTest::keyClick(d.Control(IDC_SAVE_CSV), Qt::Key_Enter, Qt::KeypadModifier);
         },
         IDOK},
        {"Escape", [](CKestruneDlg& d) { QTest::keyClick(d.Control(IDC_SEED), Qt::Key_Escape); },
         IDCANCEL},
        {"close box", [](CKestruneDlg& d) { d.close(); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingLoader loader;
        CKestruneDlg dlg(loader.Make());
        OnModal([&](QWidget* w) { return w == &dlg; }, [&](QWidget*) { c.act(dlg); });
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(loader.unloads, 1);  // shut-down ran
    }
}

TEST(EndingTheWindow, EnterOnAFocusedPushButtonClicksItInstead) {
    RecordingLoader loader;
    CKestruneDlg dlg(loader.Make());
    bool stillOpen = false;
    int rowsAfter = -1;
    OnModal([&](QWidget* w) { return w == &dlg; },
            [&](QWidget*) {
                dlg.ListInsertRow(IDC_LOG_LIST, 0, {"0123456789", "Success"});
                QWidget* clearLog = dlg.Control(IDC_CLEAR_LOG);
                clearLog->setFocus();
                QTest::keyClick(clearLog, Qt::Key_Return);
                stillOpen = dlg.isVisible();
                rowsAfter = LogModel(dlg)->rowCount();
                dlg.reject();
            });
    dlg.DoModal();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(rowsAfter, 0);
}

TEST(EndingTheWindow, OkCopiesTheBoundControlsBackIntoTheirMembers) {
    RecordingLoader loader;
    CKestruneDlg dlg(loader.Make());
    dlg.SetText(IDC_SERIAL, QStringLiteral("2101234567"));
    dlg.accept();
    EXPECT_EQ(dlg.state().m_strSerial.Get(), QStringLiteral("2101234567"));
}

}  // namespace
