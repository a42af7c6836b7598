#include "tests/support/google/personcard.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"

#include <QColor>
#include <QImage>

namespace personcard {

const QStringList &textProperties()
{
    static const QStringList properties = {
        kABFirstNameProperty,    kABMiddleNameProperty, kABLastNameProperty, kABNicknameProperty,
        kABOrganizationProperty, kABJobTitleProperty,   kABNoteProperty};
    return properties;
}

const QStringList &multiValueProperties()
{
    static const QStringList properties = {kABEmailProperty,        kABPhoneProperty,
                                           kABAddressProperty,      kABURLsProperty,
                                           kABAIMInstantProperty,   kABJabberInstantProperty,
                                           kABMSNInstantProperty,   kABICQInstantProperty,
                                           kABYahooInstantProperty, kABOtherInstantProperty};
    return properties;
}

QString entry(const QString &label, const QString &value, bool primary)
{
    return label + QLatin1Char('=') + value + (primary ? QStringLiteral("*") : QString());
}

QString addressText(const QVariantMap &address)
{
    QStringList parts;
    for (auto it = address.cbegin(); it != address.cend(); ++it)
        parts << it.key() + QLatin1Char(':') + it.value().toString();
    return parts.join(QLatin1Char('|'));
}

QStringList groupNames(const PersonPtr &person)
{
    QStringList names;
    for (const GroupPtr &group : person->parentGroups())
        names << group->valueForProperty(kABGroupNameProperty).toString();
    names.sort();
    return names;
}

PersonCard cardOf(const PersonPtr &person)
{
    PersonCard card;
    for (const QString &property : textProperties()) {
        const QString text = person->valueForProperty(property).toString();
        if (!text.isEmpty())
            card.insert(property, text);
    }
    for (const QString &property : multiValueProperties()) {
        const MultiValue multi = person->multiValueForProperty(property);
        QStringList entries;
        for (int index = 0; index < multi.count(); ++index) {
            const QVariant value = multi.valueAt(index);
            entries << entry(multi.labelAt(index),
                             property == kABAddressProperty ? addressText(value.toMap())
                                                            : value.toString(),
                             multi.identifierAt(index) == multi.primaryIdentifier());
        }
        if (!entries.isEmpty())
            card.insert(property, entries);
    }
    card.insert(kABPersonFlags, person->valueForProperty(kABPersonFlags).toInt() & kABShowAsMask);
    card.insert(groupsKey, groupNames(person));
    if (person->hasImage())
        card.insert(pictureKey, QImage::fromData(person->imageData()).pixelColor(0, 0).name());
    return card;
}

} // namespace personcard
