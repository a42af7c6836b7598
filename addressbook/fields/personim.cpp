#include "addressbook/fields/personim.h"

#include "addressbook/fields/labelledvalues.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"

using namespace labelledvalues;

namespace AddressBookTool {

namespace {

struct Service
{
    const QString &property;
    const char *name;
};

const Service kServices[] = {
    {kABJabberInstantProperty, "Jabber"}, {kABAIMInstantProperty, "AIM"},
    {kABYahooInstantProperty, "Yahoo"},   {kABMSNInstantProperty, "MSN"},
    {kABICQInstantProperty, "ICQ"},
};

struct Handle
{
    QString handle;
    QString service;
};

Handle handleForLabel(const PersonPtr &person, const QString &label)
{
    const QString asked = label.toLower();
    for (const Service &service : kServices) {
        const MultiValue handles = valuesOf(person, service.property);
        const int index = lastIndexWhere(handles, [&asked](const QString &entry) {
            return localizedPropertyOrLabel(entry).toLower() == asked;
        });
        const QString handle = index >= 0 ? textAt(handles, index) : QString();
        if (!handle.isEmpty())
            return {handle, QString::fromLatin1(service.name)};
    }
    return {QStringLiteral(""), QStringLiteral("")};
}

} // namespace

QStringList imHandlesForPerson(const PersonPtr &person)
{
    QStringList handles;
    for (const QString &property : {kABAIMInstantProperty, kABJabberInstantProperty}) {
        const MultiValue values = valuesOf(person, property);
        for (int index = 0; index < values.count(); ++index)
            handles.append(textAt(values, index));
    }
    return handles;
}

QString imForPerson(const PersonPtr &person, const QString &label)
{
    return handleForLabel(person, label).handle;
}

QString imTypeForPerson(const PersonPtr &person, const QString &label)
{
    return handleForLabel(person, label).service;
}

} // namespace AddressBookTool
