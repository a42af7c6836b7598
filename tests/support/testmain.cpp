// Every test program starts here: a fresh temporary HOME (and XDG folders inside it) so that no
// test reads or writes anything of the user's, and an application object for the event loop.

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void pointHomeAt(const QString &home)
{
    const QByteArray root = home.toUtf8();
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/.config");
    qputenv("XDG_DATA_HOME", root + "/.local/share");
    qputenv("XDG_STATE_HOME", root + "/.local/state");
    qputenv("XDG_CACHE_HOME", root + "/.cache");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return EXIT_FAILURE;
    pointHomeAt(home.path());

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
