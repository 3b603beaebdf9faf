#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// GUI tests never need a display: test discovery runs this binary without CTest's
// environment, so the offscreen platform is the default here, not only in CTest.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
