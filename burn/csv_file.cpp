// The CSV file for bulk import of hardware tokens into Azure MFA: one row per successful burn.
#include <QFile>

#include "burn/burn_records.h"
#include "res/resource.h"

namespace {

// Azure MFA's import takes this header row and a base32 secret in the third field.
const QByteArray kHeader = "upn,serial number,secret key,time interval,manufacturer,model";
// The operator replaces the placeholder user before the import.
const QByteArray kPlaceholderUser = "user@example.com";
const QByteArray kLineEnd = "\r\n";

}  // namespace

void AppendCsvRow(const QString& fileName, const QString& serial, const QString& base32Secret) {
    if (fileName.isEmpty()) return;
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    // A new file, or one left empty, needs the header before its first row.
    if (file.size() == 0) file.write(kHeader + kLineEnd);
    const QByteArray narrowSerial = serial.toLocal8Bit();
    const QByteArray model = QByteArray::fromStdString(ModelForSerial(narrowSerial.toStdString()));
    file.write(kPlaceholderUser + "," + narrowSerial + "," + base32Secret.toLocal8Bit() +
               ",30,Tamrek," + model + kLineEnd);
    file.close();
}

void AppendCsvRowIfTicked(Dialog& dlg, const QString& serial, const QString& base32Secret) {
    if (!dlg.ui.IsChecked(IDC_SAVE_CSV)) return;
    AppendCsvRow(dlg.ui.GetText(IDC_CSV_NAME), serial, base32Secret);
}
