#pragma once

#include <QString>

// A Google title split into the name parts the Address Book keeps.
namespace tolvane {

struct SplitTitle
{
    QString aFirst;
    QString aNick;
    QString aLast;

    friend bool operator==(const SplitTitle &, const SplitTitle &) = default;
};

// A nickname in double quotes comes out first; "Last, First" is read as such; otherwise the
// words: one is the first name, two are first and last name, three give a double first name
// when the preference abUpdatePresumeDoubleFirst is on, four or more the first two words as the
// first name and the rest as the last name. Every part is trimmed, and a quoted word alone is
// the nickname only.
SplitTitle unpackGoogleTitle(const QString &title);

} // namespace tolvane
