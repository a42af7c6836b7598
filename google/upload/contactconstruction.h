#pragma once

#include "google/upload/contactfields.h"
#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// New Google contacts, built in memory from an address book person or from a vCard: title,
// organisation, note, the program's extended property and the multi-valued fields, each carried
// as far as the update options allow. The batch identifier is the person's unique identifier.
// now stamps the "created:" text and the extended property.
namespace contactconstruction {

GDataEntryContactPtr
newGoogleContactUsingABPerson(const PersonPtr &person, const ContactBuildingContext &context,
                              const QDateTime &now = QDateTime::currentDateTime());

// The card's person exists only in memory, so of its groups only My Contacts remains. The note
// names the card's source: the account it was transferred from, or a dropped card when
// sourceAccount is empty. Null for null data and for data that holds no readable card.
GDataEntryContactPtr
newGoogleContactUsingVCardData(const QByteArray &data, const QString &sourceAccount,
                               const ContactBuildingContext &context,
                               const QDateTime &now = QDateTime::currentDateTime());

// The contact of the engine's lists already linked to the card's person, as the person's links
// find it; null for null data, data without a readable card, or no linked contact.
GDataEntryContactPtr existingGoogleContactUsingVCardData(const QByteArray &data,
                                                         const GoogleContactLists &lists);

} // namespace contactconstruction
