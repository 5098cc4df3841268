// Widget tests: one QApplication for the whole run, on the platform named by
// QT_QPA_PLATFORM (offscreen under ctest).
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(vemt);  // the icons live in the editor's static library
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
