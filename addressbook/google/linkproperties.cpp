#include "addressbook/google/linkproperties.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace AddressBookTool {

namespace {

// What adding the properties of one record class says and logs.
struct SchemaTexts
{
    RecordClass recordClass;
    QString operation;
    QString found;
    QString added;
    QString identifierFailed;
    QString dataMaskFailed;
    QString versionFailed;
    QString asOfDateFailed;
};

const SchemaTexts &groupTexts()
{
    static const SchemaTexts texts{
        RecordClass::Group,
        QStringLiteral("addTolvaneGroupProperties"),
        QStringLiteral("ABGroup records - Custom Tolvane properties were found"),
        QStringLiteral("ABGroup records - Custom Tolvane properties were NOT found --> "
                       "successfully added"),
        QStringLiteral("ERROR: ABGroup records - Custom Tolvane properties were NOT found --> "
                       "Unable to add properties"),
        QStringLiteral("ERROR: Unable to add Tolvane DataMask property to ABGroup"),
        QStringLiteral("ERROR: Unable to add Tolvane Google LastModDate property to ABGroup"),
        QStringLiteral("ERROR: Unable to add Tolvane Google AsOfDate property to ABGroup"),
    };
    return texts;
}

const SchemaTexts &personTexts()
{
    static const SchemaTexts texts{
        RecordClass::Person,
        QStringLiteral("addTolvaneContactProperties"),
        QStringLiteral("ABPerson records - Custom Tolvane properties were found"),
        QStringLiteral("(ABPerson records - Custom Tolvane properties were NOT found --> "
                       "successfully added"),
        QStringLiteral("ERROR: ABPerson records - Custom Tolvane properties were NOT found --> "
                       "Unable to add properties"),
        QStringLiteral("ERROR: Unable to add Tolvane DataMask property to ABPerson"),
        QStringLiteral("ERROR: Unable to add Tolvane Google LastModDate property to ABPerson"),
        QStringLiteral("ERROR: Unable to add Tolvane Google AsOfDate property to ABPerson"),
    };
    return texts;
}

QString preference(const QString &key)
{
    return UserDefaults::standard().stringForKey(key);
}

bool addStringProperty(RecordClass recordClass, const QString &name)
{
    return AddressBook::shared()->addPropertiesAndTypes(recordClass,
                                                        {{name, PropertyType::String}}) == 1;
}

bool addLinkProperties(const SchemaTexts &texts, const LinkPropertyNames &names)
{
    const QStringList existing = AddressBook::shared()->properties(texts.recordClass);
    if (existing.contains(names.identifier)) {
        tlog::write(texts.found);
    } else if (addStringProperty(texts.recordClass, names.identifier)) {
        tlog::write(texts.added);
    } else {
        tlog::write(texts.identifierFailed);
        return false;
    }
    const std::pair<QString, QString> others[] = {
        {names.dataMask, texts.dataMaskFailed},
        {names.version, texts.versionFailed},
        {names.asOfDate, texts.asOfDateFailed},
    };
    for (const auto &[name, failure] : others) {
        if (!existing.contains(name) && !addStringProperty(texts.recordClass, name)) {
            tlog::message(QStringLiteral("AddressBookTool"), texts.operation, failure);
            return false;
        }
    }
    return true;
}

} // namespace

QString contactIDPropertyName()
{
    return preference(abkeys::googleContactIDPropertyName);
}

QString groupIDPropertyName()
{
    return preference(abkeys::googleGroupIDPropertyName);
}

LinkPropertyNames contactLinkPropertyNames()
{
    return {contactIDPropertyName(), preference(abkeys::googleContactVersionPropertyName),
            preference(abkeys::googleContactAsOfDatePropertyName),
            preference(abkeys::googleContactDataMaskPropertyName)};
}

LinkPropertyNames groupLinkPropertyNames()
{
    return {groupIDPropertyName(), preference(abkeys::googleGroupVersionPropertyName),
            preference(abkeys::googleGroupAsOfDatePropertyName),
            preference(abkeys::googleGroupDataMaskPropertyName)};
}

void setLinkProperty(Record &record, const QString &property, const QString &value)
{
    if (value.isNull())
        record.removeLinkValueForProperty(property);
    else
        record.setLinkValueForProperty(value, property);
}

bool addTolvaneGroupProperties()
{
    return addLinkProperties(groupTexts(), groupLinkPropertyNames());
}

bool addTolvaneContactProperties()
{
    return addLinkProperties(personTexts(), contactLinkPropertyNames());
}

void setGoogleID(const QString &googleID, const GroupPtr &group)
{
    if (group)
        setLinkProperty(*group, groupIDPropertyName(), googleID);
}

void setGoogleID(const QString &googleID, const PersonPtr &person)
{
    if (person)
        setLinkProperty(*person, contactIDPropertyName(), googleID);
}

void writeTransferStamp(const RecordPtr &record, const LinkPropertyNames &names,
                        const QDateTime &entryUpdated, const QDateTime &asOf)
{
    setLinkProperty(*record, names.asOfDate, textdate::format(asOf));
    setLinkProperty(*record, names.version, textdate::format(entryUpdated));
    setLinkProperty(*record, names.dataMask, preference(abkeys::addressBookDataMask));
}

} // namespace AddressBookTool
