// Every benchmark program starts here: a fresh temporary HOME with the XDG folders and the address
// book database inside it, set before anything reads a preference or opens the book, so that no
// benchmark reads or writes anything of the user's. The engine lays out browser rows, which needs
// a GUI application; the offscreen platform keeps it off any display.

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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
    qputenv("TOLVANE_AB_DB", root + "/AddressBook.sqlite");
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return EXIT_FAILURE;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
