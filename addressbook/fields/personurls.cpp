#include "addressbook/fields/personurls.h"

#include "addressbook/fields/labelledvalues.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/addressbook/person.h"

using namespace labelledvalues;

namespace AddressBookTool {

namespace {

const QString kHomePageAsked = QStringLiteral("home page");

MultiValue urlsOf(const PersonPtr &person)
{
    return valuesOf(person, kABURLsProperty);
}

} // namespace

int countURLSForPerson(const PersonPtr &person)
{
    return urlsOf(person).count();
}

int countURLSForABID(const QString &abid)
{
    return countURLSForPerson(personByABID(abid));
}

QString urlListForPerson(const PersonPtr &person)
{
    const MultiValue urls = urlsOf(person);
    QString list = QStringLiteral("");
    for (int index = 0; index < urls.count(); ++index)
        list += QStringLiteral("%1:: %2\r")
                    .arg(localizedPropertyOrLabel(urls.labelAt(index)), textAt(urls, index));
    return list;
}

QString workURLForPerson(const PersonPtr &person)
{
    const MultiValue urls = urlsOf(person);
    return textAt(urls, firstIndexOfLabel(urls, kABWorkLabel));
}

QString homeURLForPerson(const PersonPtr &person)
{
    const MultiValue urls = urlsOf(person);
    return textAt(urls, firstIndexOfLabel(urls, kABHomeLabel));
}

QString urlForPerson(const PersonPtr &person, const QString &label)
{
    const MultiValue urls = urlsOf(person);
    const QString asked = label.toLower();
    return textAt(urls, firstIndexWhere(urls, [&](const QString &entry) {
                      return (label == kHomePageAsked && entry == kABHomePageLabel) ||
                             asked == entry.toLower();
                  }));
}

// Only the first match changes: two different addresses under one label are two entries the
// user keeps, and overwriting both would lose one.
void setCustomURL(const QString &url, const PersonPtr &person, const QString &label)
{
    if (!person)
        return;
    MutableMultiValue urls = urlsOf(person).mutableCopy();
    const int index = firstIndexWhere(
        urls, [&](const QString &entry) { return localizedPropertyOrLabel(entry) == label; });
    if (index >= 0)
        urls.replaceValueAt(index, url);
    else
        urls.addValue(url, label);
    person->setValueForProperty(QVariant::fromValue(MultiValue(urls)), kABURLsProperty);
    abSave();
}

} // namespace AddressBookTool
