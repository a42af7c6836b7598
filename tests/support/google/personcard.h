// What a person holds of the fields a download writes, in a form that compares.
#pragma once

#include "platform/addressbook/recordclass.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

// Texts by property (empty ones left out); multi-values as lists of entries (empty ones left out);
// the show-as bits of the flags; the names of the person's groups, sorted; the colour of the
// picture's first pixel when it has one.
using PersonCard = QMap<QString, QVariant>;

namespace personcard {

inline const QString groupsKey = QStringLiteral("groups");
inline const QString pictureKey = QStringLiteral("picture");

// The text and multi-value properties a card holds.
const QStringList &textProperties();
const QStringList &multiValueProperties();

// One multi-value entry: "label=value", with "*" after the primary one.
QString entry(const QString &label, const QString &value, bool primary);
// An address value as an entry holds it: its parts as "key:value", sorted, joined by "|".
QString addressText(const QVariantMap &address);

// The names of the person's groups, sorted.
QStringList groupNames(const PersonPtr &person);

PersonCard cardOf(const PersonPtr &person);

} // namespace personcard
