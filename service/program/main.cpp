// tolvane-service: the selected text, handed to Agent Tolvane's quick-entry panel.

#include "service/tolvaneservice.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return tolvaneservice::run(app.arguments());
}
