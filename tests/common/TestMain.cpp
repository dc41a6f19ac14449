#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#ifdef TALPEX_TEST_WIDGETS
#include <QApplication>
using Application = QApplication;
#else
// the core's tests draw (fonts, images, PDF) but never open a window
#include <QGuiApplication>
using Application = QGuiApplication;
#endif

int main(int argc, char** argv)
{
    // Test discovery runs the binary at build time without CTest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    // no test reads or writes the settings of the user who runs it (the frame's "Datenbankpfad")
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
