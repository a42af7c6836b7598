#include "abtoolcommands.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include "platform/addressbook/vcard/vcardparser.h"

#include <QDate>
#include <QFile>
#include <QSaveFile>

#include <functional>

namespace abtoolcommands {
namespace {

using Command = std::function<int(AddressBook &, const QStringList &, Streams)>;

struct CommandEntry
{
    const char *name;
    int argumentCount; // -N: at least N
    const char *help;
    Command run;
};

int fail(Streams streams, const QString &message)
{
    streams.err << "abtool: " << message << Qt::endl;
    return 1;
}

int saved(AddressBook &book, Streams streams)
{
    return book.save() ? 0 : fail(streams, QStringLiteral("the address book could not be saved"));
}

QString displayName(const RecordPtr &record)
{
    if (record->recordClass() == RecordClass::Group)
        return record->valueForProperty(kABGroupNameProperty).toString();
    QStringList parts;
    for (const QString &property : {kABFirstNameProperty, kABLastNameProperty}) {
        const QString part = record->valueForProperty(property).toString();
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.isEmpty() ? record->valueForProperty(kABOrganizationProperty).toString()
                           : parts.join(u' ');
}

// A group by its unique identifier or, failing that, by its name.
GroupPtr findGroup(AddressBook &book, const QString &key)
{
    if (GroupPtr group = book.groupForUniqueId(key))
        return group;
    for (const GroupPtr &group : book.groups()) {
        if (group->valueForProperty(kABGroupNameProperty).toString() == key)
            return group;
    }
    return nullptr;
}

int importCards(AddressBook &book, const QStringList &arguments, Streams streams)
{
    QFile file(arguments.at(0));
    if (!file.open(QIODevice::ReadOnly))
        return fail(streams, QStringLiteral("cannot read %1").arg(arguments.at(0)));
    const QByteArray data = vcardparser::withoutByteOrderMark(file.readAll());
    int count = 0;
    int number = 0;
    for (const QByteArrayView card : vcardparser::splitCards(data)) {
        ++number;
        QString error;
        QStringList skipped;
        const PersonPtr person =
            Person::fromVCardRepresentation(card.toByteArray(), &error, &skipped);
        if (!person) {
            streams.err << "abtool: card " << number << " was skipped: " << error << Qt::endl;
            continue;
        }
        for (const QString &value : std::as_const(skipped))
            streams.err << "abtool: card " << number << ": " << value << " and was left out"
                        << Qt::endl;
        book.addRecord(person);
        streams.out << person->uniqueId() << Qt::endl;
        ++count;
    }
    if (count == 0)
        return fail(streams, QStringLiteral("no card could be read"));
    return saved(book, streams);
}

int exportCards(AddressBook &book, const QStringList &arguments, Streams streams)
{
    QList<PersonPtr> persons;
    if (arguments.size() == 1) {
        persons = book.people();
    } else {
        for (const QString &uniqueId : arguments.mid(1)) {
            const PersonPtr person = book.personForUniqueId(uniqueId);
            if (!person)
                return fail(streams, QStringLiteral("no person %1").arg(uniqueId));
            persons.append(person);
        }
    }
    // Written beside the file and put in its place only when whole: a full disk must neither cut
    // the export short nor destroy the previous one.
    const QString &path = arguments.at(0);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(streams, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    for (const PersonPtr &person : persons) {
        const QByteArray card = person->vCardRepresentation();
        if (file.write(card) != card.size())
            return fail(streams, QStringLiteral("cannot write %1: %2; it is left as it was")
                                     .arg(path, file.errorString()));
    }
    if (!file.commit())
        return fail(streams, QStringLiteral("cannot write %1: %2; it is left as it was")
                                 .arg(path, file.errorString()));
    return 0;
}

int list(AddressBook &book, const QStringList &, Streams streams)
{
    for (const PersonPtr &person : book.people())
        streams.out << person->uniqueId() << '\t' << displayName(person) << Qt::endl;
    for (const GroupPtr &group : book.groups())
        streams.out << group->uniqueId() << '\t' << displayName(group) << Qt::endl;
    return 0;
}

int show(AddressBook &book, const QStringList &arguments, Streams streams)
{
    const RecordPtr record = book.recordForUniqueId(arguments.at(0));
    if (!record)
        return fail(streams, QStringLiteral("no record %1").arg(arguments.at(0)));
    if (const PersonPtr person = book.personForUniqueId(arguments.at(0))) {
        streams.out << QString::fromUtf8(person->vCardRepresentation());
        return 0;
    }
    const GroupPtr group = std::static_pointer_cast<Group>(record);
    streams.out << "Group: " << displayName(group) << Qt::endl;
    for (const PersonPtr &member : group->members())
        streams.out << member->uniqueId() << '\t' << displayName(member) << Qt::endl;
    for (const GroupPtr &subgroup : group->subgroups())
        streams.out << subgroup->uniqueId() << '\t' << displayName(subgroup) << Qt::endl;
    return 0;
}

// The text of the command line as a value of the property's type.
QVariant valueOfType(PropertyType type, const QString &text)
{
    switch (type) {
    case PropertyType::String:
        return text;
    case PropertyType::Integer: {
        bool ok = false;
        const int number = text.toInt(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    case PropertyType::DateComponents:
        return QDate::fromString(text, Qt::ISODate);
    default:
        return {};
    }
}

// Every named record gets the value, all in one save: another program sees one change notice.
int setField(AddressBook &book, const QStringList &arguments, Streams streams)
{
    const QStringList uniqueIds = arguments.mid(0, arguments.size() - 2);
    const QString &property = arguments.at(arguments.size() - 2);
    const QString &text = arguments.last();
    for (const QString &uniqueId : uniqueIds) {
        const RecordPtr record = book.recordForUniqueId(uniqueId);
        if (!record)
            return fail(streams, QStringLiteral("no record %1").arg(uniqueId));
        const QVariant value =
            valueOfType(book.typeOfProperty(record->recordClass(), property), text);
        if (!record->setValueForProperty(value, property))
            return fail(streams, QStringLiteral("%1 cannot be set to \"%2\"").arg(property, text));
    }
    return saved(book, streams);
}

// A new group holding the named people and groups, made in one save.
int addGroup(AddressBook &book, const QStringList &arguments, Streams streams)
{
    const GroupPtr group = Group::create();
    group->setValueForProperty(arguments.at(0), kABGroupNameProperty);
    if (!book.addRecord(group))
        return fail(streams, QStringLiteral("the group could not be made"));
    for (const QString &uniqueId : arguments.mid(1)) {
        bool added = false;
        if (const PersonPtr person = book.personForUniqueId(uniqueId))
            added = group->addMember(person);
        else if (const GroupPtr subgroup = book.groupForUniqueId(uniqueId))
            added = group->addSubgroup(subgroup);
        if (!added)
            return fail(streams, QStringLiteral("no record %1").arg(uniqueId));
    }
    const int status = saved(book, streams);
    if (status == 0)
        streams.out << group->uniqueId() << Qt::endl;
    return status;
}

int changeMembership(AddressBook &book, const QStringList &arguments, Streams streams, bool add)
{
    const GroupPtr group = findGroup(book, arguments.at(0));
    if (!group)
        return fail(streams, QStringLiteral("no group %1").arg(arguments.at(0)));
    const RecordPtr record = book.recordForUniqueId(arguments.at(1));
    if (!record)
        return fail(streams, QStringLiteral("no record %1").arg(arguments.at(1)));
    bool done = false;
    if (const PersonPtr person = book.personForUniqueId(arguments.at(1)))
        done = add ? group->addMember(person) : group->removeMember(person);
    else if (const GroupPtr subgroup = book.groupForUniqueId(arguments.at(1)))
        done = add ? group->addSubgroup(subgroup) : group->removeSubgroup(subgroup);
    if (!done)
        return fail(streams, QStringLiteral("the group was not changed"));
    return saved(book, streams);
}

int remove(AddressBook &book, const QStringList &arguments, Streams streams)
{
    if (!book.removeRecord(book.recordForUniqueId(arguments.at(0))))
        return fail(streams, QStringLiteral("no record %1").arg(arguments.at(0)));
    return saved(book, streams);
}

int setMe(AddressBook &book, const QStringList &arguments, Streams streams)
{
    if (!book.setMe(book.personForUniqueId(arguments.at(0))))
        return fail(streams, QStringLiteral("no person %1").arg(arguments.at(0)));
    return saved(book, streams);
}

int backup(AddressBook &book, const QStringList &arguments, Streams streams)
{
    if (!book.exportArchive(arguments.at(0)))
        return fail(streams, QStringLiteral("the backup could not be written"));
    return 0;
}

int restore(AddressBook &book, const QStringList &arguments, Streams streams)
{
    if (!book.restoreArchive(arguments.at(0)))
        return fail(streams, book.errorString());
    return 0;
}

const CommandEntry kCommands[] = {
    {"import", 1, "import FILE.vcf            add every card of the file", importCards},
    {"export", -1, "export FILE.vcf [UID...]   write the persons (all of them) as vCards",
     exportCards},
    {"list", 0, "list                       the unique identifier and name of every record", list},
    {"show", 1, "show UID                   one person as a vCard, or one group", show},
    {"set", -3, "set UID... PROPERTY VALUE  set a text, number or date property of each record",
     setField},
    {"add-group", -1, "add-group NAME [UID...]    make a group holding the records; prints its UID",
     addGroup},
    {"add-to-group", 2, "add-to-group GROUP UID     GROUP is a unique identifier or a name",
     [](AddressBook &book, const QStringList &arguments, Streams streams) {
         return changeMembership(book, arguments, streams, true);
     }},
    {"remove-from-group", 2, "remove-from-group GROUP UID",
     [](AddressBook &book, const QStringList &arguments, Streams streams) {
         return changeMembership(book, arguments, streams, false);
     }},
    {"delete", 1, "delete UID                 remove a person or a group", remove},
    {"set-me", 1, "set-me UID                 make the person the Me record", setMe},
    {"backup", 1, "backup FILE                copy the whole address book to a file", backup},
    {"restore", 1, "restore FILE               replace the address book with a backup", restore},
};

} // namespace

QString usage()
{
    QString text = QStringLiteral("usage: abtool [--db DATABASE] COMMAND ARGUMENTS\n");
    for (const CommandEntry &command : kCommands)
        text += QStringLiteral("  ") + QString::fromLatin1(command.help) + u'\n';
    return text;
}

int run(AddressBook &book, const QStringList &arguments, Streams streams)
{
    if (arguments.isEmpty())
        return fail(streams, usage());
    for (const CommandEntry &command : kCommands) {
        if (arguments.first() != QLatin1String(command.name))
            continue;
        const QStringList rest = arguments.mid(1);
        if ((command.argumentCount >= 0 && rest.size() != command.argumentCount) ||
            (command.argumentCount < 0 && rest.size() < -command.argumentCount))
            return fail(streams, usage());
        return command.run(book, rest, streams);
    }
    return fail(streams, usage());
}

} // namespace abtoolcommands
