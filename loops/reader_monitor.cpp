// The reader monitor pass: keeps the reader list in step with the attached readers.
#include "loops/loop_passes.h"
#include "loops/loops.h"
#include "res/resource.h"
#include "token/reader_access.h"

namespace {

void ClearTokenDisplay(DialogState& state) {
    state.m_strSerial.Set(QString());
    state.m_strTime.Set(QString());
}

void EmptyReaderList(WindowOps& ui) {
    for (int i = ui.ComboCount(IDC_READERS) - 1; i >= 0; --i) ui.ComboDelete(IDC_READERS, i);
}

bool IsListed(WindowOps& ui, const QString& name) {
    for (int i = 0; i < ui.ComboCount(IDC_READERS); ++i)
        if (ui.ComboText(IDC_READERS, i) == name) return true;
    return false;
}

// Stale entries first: an entry stays while its text occurs anywhere in the listing. Then every
// listed name not yet in the list is appended, so entries keep their order and the selection.
void SyncReaderList(WindowOps& ui, QString listing) {
    for (int i = ui.ComboCount(IDC_READERS) - 1; i >= 0; --i)
        if (!listing.contains(ui.ComboText(IDC_READERS, i))) ui.ComboDelete(IDC_READERS, i);

    for (qsizetype end = listing.indexOf(kEndMarker); end >= 0; end = listing.indexOf(kEndMarker)) {
        const QString name = listing.left(end);
        listing.remove(0, end + kEndMarker.size());
        // A name split off by a stray marker can be empty: an empty entry names no reader.
        if (!name.isEmpty() && !IsListed(ui, name))
            ui.ComboInsert(IDC_READERS, ui.ComboCount(IDC_READERS), name);
    }
}

}  // namespace

int ReaderMonitorThread(Dialog& dlg) {
    QString listing;
    if (Readers().List(listing) != 0) {
        EmptyReaderList(dlg.ui);
        ClearTokenDisplay(dlg.state);
    } else {
        if (listing.isEmpty()) {
            ClearTokenDisplay(dlg.state);
            g_readPending.store(1);
            g_burnPending.store(1);
            dlg.ui.PostUpdateView();
        } else if (dlg.ui.ComboSelected(IDC_READERS) == -1) {
            dlg.state.m_strStatus.Set(kSelectReaderStatus);
            dlg.ui.PostUpdateView();
        }
        SyncReaderList(dlg.ui, listing);
        dlg.state.m_strStatus.Set(QString());
    }
    dlg.ui.PostUpdateView();
    return 0;
}
