#include <QApplication>
#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>

// GUI tests never need a display: test discovery runs this binary without CTest's
// environment, so the offscreen platform is the default here, not only in CTest.
namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns about every window feature it lacks (raising, size
// hints); those lines say nothing about the program and bury the test output.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith("This plugin does not support"))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

}

int main(int argc, char** argv)
{
    previousHandler = qInstallMessageHandler(quietHandler);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
