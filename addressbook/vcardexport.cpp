#include "addressbook/vcardexport.h"

#include "addressbook/vcardcharset.h"
#include "addressbook/vcardexportfilter.h"
#include "foundation/zeltordata.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace AddressBookTool {

QString vCardStringForPerson(const Person &person)
{
    return vCardStringForPerson(person, VCardExportOptions::fromDefaults(UserDefaults::standard()));
}

QString vCardStringForPerson(const Person &person, const VCardExportOptions &options)
{
    const QByteArray data = person.vCardRepresentation();
    if (!vcard::isValidUtf8(data))
        return {};
    const VCardExportAdditions additions{person.valueForProperty(kABNoteProperty).toString(),
                                         person.imageData()};
    return vcard::filterExport(QString::fromUtf8(data), options, additions);
}

QByteArray vCardForABPerson(const PersonPtr &person)
{
    if (!person)
        return {};
    const QString text = vCardStringForPerson(*person);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return (nul < 0 ? text : text.left(nul)).toUtf8();
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
