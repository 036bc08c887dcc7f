// A fresh, empty current working directory for one test; the old one comes back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class InWorkingFolder : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    static QByteArray ReadFile(const QString& name);  // "<missing>" when there is none
    static void WriteFile(const QString& name, const QByteArray& bytes);

  private:
    QString previous_;
    QTemporaryDir folder_;
};
