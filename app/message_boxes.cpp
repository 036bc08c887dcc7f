#include "app/message_boxes.h"

#include <QCoreApplication>
#include <QMessageBox>

void ShowSystemModalMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kMessageCaption), text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ShowAppMessage(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
