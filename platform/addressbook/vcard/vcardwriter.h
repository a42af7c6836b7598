#pragma once

#include <QByteArray>
#include <QStringList>

class Person;

// A person as a vCard 3.0 in the one layout every reader of our cards relies on: lines end
// CR LF and are never folded; the four opening lines, then nickname, organisation, job title,
// e-mails, phones, addresses, web addresses, birthday, instant messaging, related names, other
// dates, the company marker, note, photo, groups, and the unique identifier right before the
// end. Standard labels are type parameters; any other label, and every address, related name
// and date, is a grouped item ("itemN.") with its label line.
namespace vcardwriter {

struct Options
{
    bool includePhoto = true;
    bool includeNote = false;
};

QByteArray write(const Person &person, const QStringList &groupNames, const Options &options);

} // namespace vcardwriter
