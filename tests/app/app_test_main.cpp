// Runs the widget tests on the offscreen platform, in a scratch folder of their own, since
// start-up opens its log file in the current folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("TamrekOndrel"));
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path())) return 2;
    return RUN_ALL_TESTS();
}
