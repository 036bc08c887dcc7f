#include "tests/burn/working_folder.h"

#include <QDir>
#include <QFile>

void InWorkingFolder::SetUp() {
    ASSERT_TRUE(folder_.isValid());
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder_.path()));
}

void InWorkingFolder::TearDown() {
    QDir::setCurrent(previous_);
}

QByteArray InWorkingFolder::ReadFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void InWorkingFolder::WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
