// A stored contact as a People Person, and a Person written onto a stored contact. The Atom entry
// holds what both faces share; the entry's People JSON keeps the rest, and each element there
// gives its extra keys back while the entry still holds the same value.
#pragma once

#include "tools/gdata-server/people/peoplecontext.h"

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QJsonObject>
#include <QStringList>

#include <optional>

struct WriteRefusal
{
    int status = 400;
    QString message;
    QString rpcStatus; // empty: the one the HTTP status names
};

namespace persontranslation {

// Every field of the person (resourceName, etag, metadata, names, ... photos).
QJsonObject render(const PeopleContext &context, const StoredEntry &stored);
// Only the fields asked for, besides resourceName and etag.
QJsonObject masked(const QJsonObject &person, const QStringList &fields);

// Writes the fields of the mask from person onto entry and people (the stored JSON), as an update
// limited to that mask does; a field the person lacks is cleared. creating: a new contact, which
// joins My Contacts when it names no group.
std::optional<WriteRefusal> write(const PeopleContext &context, const QJsonObject &person,
                                  const QStringList &fields, const StoredEntry *current,
                                  GDataEntryContact &entry, QJsonObject &people);

// The fields a create writes: the updatable ones the person holds.
QStringList fieldsOf(const QJsonObject &person);

} // namespace persontranslation
