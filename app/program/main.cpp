// Tolvane, the main program.

#include "app/startup/programentry.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return programentry::runTolvane(app);
}
