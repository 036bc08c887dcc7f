// The reader monitor pass against scripted listings, one step after the other on one window.
#include <gtest/gtest.h>

#include "loops/loops.h"
#include "res/resource.h"
#include "tests/loops/scripted_stack.h"
#include "tests/support/fake_window.h"

namespace {

constexpr int kKeep = -2;  // leave the operator's selection as it is

struct Step {
    const char* what;
    int selectBefore;  // entry the operator selects before the pass, -1 none, kKeep
    int listResult;
    QString listing;
    QStringList entries;  // the reader list after the pass
    int selected;
    bool displayCleared;  // serial and time emptied
    bool flagsSet;        // both per-placement flags set to 1
    bool statusCleared;   // otherwise left as it was
};

const Step kSteps[] = {
    {"first reader appears", kKeep, 0, "Alpha[E]", {"Alpha"}, -1, false, false, true},
    {"new reader appended, selection stays",
     0,
     0,
     "Alpha[E]Beta[E]",
     {"Alpha", "Beta"},
     0,
     false,
     false,
     true},
    {"a name listed twice is inserted once",
     kKeep,
     0,
     "Beta[E]Alpha[E]Beta[E]",
     {"Alpha", "Beta"},
     0,
     false,
     false,
     true},
    {"removed reader goes with its selection", 1, 0, "Alpha[E]", {"Alpha"}, -1, false, false, true},
    {"three readers listed",
     kKeep,
     0,
     "Alpha[E]Reader[E]Gamma[E]",
     {"Alpha", "Reader", "Gamma"},
     -1,
     false,
     false,
     true},
    {"a selection follows its entry when an earlier one goes",
     2,
     0,
     "Reader[E]Gamma[E]",
     {"Reader", "Gamma"},
     1,
     false,
     false,
     true},
    {"a removed name inside a longer one stays",
     kKeep,
     0,
     "Reader 2[E]Gamma[E]",
     {"Reader", "Gamma", "Reader 2"},
     1,
     false,
     false,
     true},
    {"a name containing the marker splits",
     kKeep,
     0,
     "Reader 2[E]Gamma[E]Ek [E] One[E]",
     {"Reader", "Gamma", "Reader 2", "Ek ", " One"},
     1,
     false,
     false,
     true},
    {"no empty entry from a marker at a name's end",
     kKeep,
     0,
     "Gamma[E]Ek[E][E]",
     {"Gamma", "Ek"},
     0,
     false,
     false,
     true},
    {"failed listing empties the list and the display only",
     kKeep,
     -1,
     "",
     {},
     -1,
     true,
     false,
     false},
    {"readers come back after a failure",
     kKeep,
     0,
     "Alpha[E]Beta[E]",
     {"Alpha", "Beta"},
     -1,
     false,
     false,
     true},
    {"empty listing empties the list and sets both flags", kKeep, 0, "", {}, -1, true, true, true},
};

TEST(ReaderMonitor, KeepsTheReaderListInStepWithTheListing) {
    ScriptedPcsc readers;
    FakeDialog d;
    g_readerName.Set("Chosen");

    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.what);
        if (step.selectBefore != kKeep) d.ui.SelectComboEntry(IDC_READERS, step.selectBefore);
        d.state.m_strSerial.Set("SERIAL");
        d.state.m_strTime.Set("TIME");
        d.state.m_strStatus.Set("STATUS");
        g_readPending = 0;
        g_burnPending = 0;
        const int updatesBefore = d.ui.updatesPosted();
        readers.SetListing(step.listResult, step.listing);

        EXPECT_EQ(ReaderMonitorThread(d.dlg), 0);

        EXPECT_EQ(d.ui.control(IDC_READERS).combo, step.entries);
        EXPECT_EQ(d.ui.ComboSelected(IDC_READERS), step.selected);
        EXPECT_EQ(d.state.m_strSerial.Get(), step.displayCleared ? "" : "SERIAL");
        EXPECT_EQ(d.state.m_strTime.Get(), step.displayCleared ? "" : "TIME");
        EXPECT_EQ(g_readPending.load(), step.flagsSet ? 1 : 0);
        EXPECT_EQ(g_burnPending.load(), step.flagsSet ? 1 : 0);
        EXPECT_EQ(d.state.m_strStatus.Get(), step.statusCleared ? "" : "STATUS");
        EXPECT_EQ(g_readerName.Get(), "Chosen");
        EXPECT_GT(d.ui.updatesPosted(), updatesBefore);
    }
    g_readerName.Set(QString());
}

}  // namespace
