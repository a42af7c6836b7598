#pragma once

#include <QStringList>
#include <QTextStream>

class AddressBook;

// The commands of the address book tool, each working on one book and saving it once.
// Every command returns the program's exit code; results go to `out`, failures to `err`.
namespace abtoolcommands {

struct Streams
{
    QTextStream &out;
    QTextStream &err;
};

// Runs the command named by the first argument; the usage text for an unknown one.
int run(AddressBook &book, const QStringList &arguments, Streams streams);

QString usage();

} // namespace abtoolcommands
