// People JSON to entry objects: a Person to a contact entry, a ContactGroup to a group entry, and
// the pages of the connection and group lists. Each entry and value keeps the JSON it was read
// from, for the writer. A reply that is not what the request expects (malformed JSON, an HTML page,
// a person without resourceName) is an error for the whole reply, so no partial list reaches the
// layers above to read as deletions; a missing optional field is an absent value.
#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/people/peopleprojection.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace peoplereader {

struct ParseError
{
    QString message;
};

// Identifiers are <api>/v1/<resource name>; api is the service's root without a trailing slash.
QString identifierForResourceName(const QString &api, const QString &resourceName);
// The resource name of an identifier of this api, or nothing.
std::optional<QString> resourceNameForIdentifier(const QString &api, const QString &identifier);

// Only myContacts and user groups are shown: members can be added to no other system group.
bool isShownGroup(const QJsonObject &group);
// Whether a membership's group is one of the system groups kept out of sight.
bool isHiddenGroupResourceName(const QString &resourceName);
// Whether the layers above see a membership of that group: a group they can address, not hidden.
bool isShownMembershipGroup(const QString &resourceName);

std::optional<GDataEntryContactPtr> contactFromPerson(const QJsonObject &person, const QString &api,
                                                      const PeopleProjection &projection,
                                                      ParseError *error = nullptr);
// The same, with the person's JSON text as read (of which person is the parse), which the entry
// and its values keep as their read copies; empty: the person is written out for them.
std::optional<GDataEntryContactPtr> contactFromPersonText(const QJsonObject &person,
                                                          QByteArrayView text, const QString &api,
                                                          const PeopleProjection &projection,
                                                          ParseError *error = nullptr);
// A person from its JSON text alone: nothing when the text is no person.
std::optional<GDataEntryContactPtr> contactFromText(QByteArrayView text, const QString &api,
                                                    const PeopleProjection &projection);
std::optional<GDataEntryContactGroupPtr> groupFromContactGroup(const QJsonObject &group,
                                                               const QString &api,
                                                               const PeopleProjection &projection,
                                                               ParseError *error = nullptr);

struct ContactPage
{
    std::vector<GDataEntryContactPtr> entries;
    QString nextPageToken;
    std::optional<int> totalItems;
    QString nextSyncToken;
};

struct GroupPage
{
    // The shown groups only.
    std::vector<GDataEntryContactGroupPtr> entries;
    QString nextPageToken;
    std::optional<int> totalItems;
    QString nextSyncToken;
};

// A page of an incremental list (a sync token's): only its deletions, as tombstones of that kind
// dated at the list's time; a deleted entry without resourceName makes the page unreadable.
struct TombstonePage
{
    std::vector<GDataEntryPtr> entries;
    QString nextPageToken;
};
std::optional<TombstonePage> readTombstonesPage(const QByteArray &body, GDataEntryBase::Kind kind,
                                                const QString &api, const QDateTime &listTime,
                                                ParseError *error = nullptr);

// tailRead, when given, hears the page's next page token before the persons are read, when the
// page comes apart into its persons (else not at all).
using TailRead = std::function<void(const QString &nextPageToken)>;
std::optional<ContactPage> readConnectionsPage(const QByteArray &body, const QString &api,
                                               const PeopleProjection &projection,
                                               ParseError *error = nullptr,
                                               const TailRead &tailRead = {});
std::optional<GroupPage> readContactGroupsPage(const QByteArray &body, const QString &api,
                                               const PeopleProjection &projection,
                                               ParseError *error = nullptr);

} // namespace peoplereader
