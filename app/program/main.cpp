// Tolvane, the main program.

#include "app/startup/programentry.h"
#include "app/windows/windowfactory.h"
#include "loader/window/datamoverwindowcontroller.h"

#include <QApplication>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    windowfactory::setMaker(WindowController::Kind::DataMover,
                            [] { return std::make_unique<DataMoverWindowController>(); });
    return programentry::runTolvane(app);
}
