// The feed URLs the layers above hold on the People protocol: a form of this layer's own under the
// API root, <api>/_feeds/<contacts|groups>/<full|thin|property-KEY>[/batch], recognised by the
// service and never sent, so the feed, post and batch links keep their meaning above.
#pragma once

#include "platform/gdata/entries/gdataentrybase.h"
#include "platform/gdata/people/peopleprojection.h"

#include <QUrl>

#include <optional>

namespace peoplefeedurl {

struct Feed
{
    GDataEntryBase::Kind kind = GDataEntryBase::Kind::Contact;
    PeopleProjection projection;
};

// A default feed constant ("m8/feeds/contacts/default/full") in this form.
QUrl feedURL(const QString &api, const QString &defaultFeed);
QUrl propertyFeedURL(const QString &api, GDataEntryBase::Kind kind, const QString &name);
QUrl batchURL(const QUrl &feed);

// The feed a URL of this form names (its batch URL too); nothing for any other URL.
std::optional<Feed> recognise(const QString &api, const QUrl &url);

} // namespace peoplefeedurl
