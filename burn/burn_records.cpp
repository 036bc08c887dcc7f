#include "burn/burn_records.h"

#include <QStringList>

#include "res/resource.h"

void AddLogRow(Dialog& dlg, const QString& serial, bool success) {
    const QString state =
        success ? QStringLiteral("Successful operation") : QStringLiteral("Operation failed");
    dlg.ui.ListInsertRow(IDC_LOG_LIST, 0, QStringList{serial, state});
}

std::string ModelForSerial(const std::string& serial) {
    struct Model {
        const char* prefix;
        const char* label;
    };
    static constexpr Model kModels[] = {
        {"4172031", "K710"},    {"4172033", "K711"},    {"4172020", "Pebble2"},
        {"4172021", "Pebble3"}, {"4172029", "Pebble3"}, {"4172032", "Cardlet1"},
    };
    constexpr size_t kPrefixLength = 7;
    if (serial.size() >= kPrefixLength)
        for (const Model& model : kModels)
            if (serial.compare(0, kPrefixLength, model.prefix) == 0) return model.label;
    return "Tamrek Programmable Token";
}
