#pragma once

#include <QString>

// What the main program knew of itself the moment it started, kept for the life of the process:
// the path of its preferences file and whether that file was new. It is taken before anything
// writes a preference, since every write is on disk at once and would make the file.
namespace launchfacts {

struct Facts
{
    QString preferencesFilePath;
    bool preferencesFileNew = false;
};

// Takes the facts now; a later call takes them again.
void capture();
// The facts taken, taken now when nothing took them yet.
const Facts &current();

} // namespace launchfacts
