#include "addressbook/vcards/vcardexport.h"

#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/vcards/vcardcharset.h"
#include "addressbook/vcards/vcardexportfilter.h"
#include "foundation/text/zeltordata.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace AddressBookTool {
namespace {

QByteArray vCardBytes(const Person &person, const VCardExportOptions &options)
{
    return vCardDataForString(vCardStringForPerson(person, options));
}

QList<QByteArray> vCardsOf(const QList<PersonPtr> &people)
{
    const VCardExportOptions options = VCardExportOptions::fromDefaults(UserDefaults::standard());
    QList<QByteArray> cards;
    for (const PersonPtr &person : people)
        cards.append(vCardBytes(*person, options));
    return cards;
}

} // namespace

QString vCardStringForPerson(const Person &person)
{
    return vCardStringForPerson(person, VCardExportOptions::fromDefaults(UserDefaults::standard()));
}

QString vCardStringForPerson(const Person &person, const VCardExportOptions &options)
{
    return vCardStringForPerson(person, options, person.imageData());
}

QString vCardStringForPerson(const Person &person, const VCardExportOptions &options,
                             const QByteArray &imageData)
{
    const std::optional<QString> text = vcard::strictUtf8(person.vCardRepresentation());
    if (!text)
        return {};
    const VCardExportAdditions additions{person.valueForProperty(kABNoteProperty).toString(),
                                         imageData};
    return vcard::filterExport(*text, options, additions);
}

QByteArray vCardDataForString(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return (nul < 0 ? text : text.left(nul)).toUtf8();
}

QByteArray vCardForABPerson(const PersonPtr &person)
{
    return person ? vCardBytes(*person, VCardExportOptions::fromDefaults(UserDefaults::standard()))
                  : QByteArray();
}

QByteArray vCardForABID(const QString &abid)
{
    return vCardForABPerson(personByABID(abid));
}

QList<QByteArray> vCardsForMembersOfGroupID(const QString &groupABID)
{
    return vCardsOf(membersOfGroupID(groupABID, true, true));
}

QList<QByteArray> vCardsForMembersOfGroup(const QString &groupName)
{
    return vCardsOf(membersOfGroupName(groupName, true, true));
}

QString vCardNoteStringForPerson(const Person &person)
{
    QString note = person.valueForProperty(kABNoteProperty).toString();
    return note.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
}

QString vCardImageStringForPerson(const Person &person)
{
    return zeltor::encodeBase64(person.imageData());
}

} // namespace AddressBookTool
