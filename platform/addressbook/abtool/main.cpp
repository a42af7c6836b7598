// The address book tool: what the desktop's address book application did for the system, from
// the command line. It works on the same database as every other program and announces its
// saves like any of them.

#include "abtoolcommands.h"

#include "platform/addressbook/addressbook.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("abtool"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() >= 2 && arguments.first() == QStringLiteral("--db")) {
        AddressBook::setDatabasePath(arguments.at(1));
        arguments = arguments.mid(2);
    }
    AddressBook *book = AddressBook::shared();
    if (!book->isOpen()) {
        err << "abtool: " << book->errorString() << Qt::endl;
        AddressBook::closeShared();
        return 1;
    }
    const int status = abtoolcommands::run(*book, arguments, {out, err});
    // Closing writes the book's log into its file: a copy of the file alone is then whole.
    AddressBook::closeShared();
    return status;
}
