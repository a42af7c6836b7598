#include "platform/gdata/people/peoplefeedurl.h"

namespace peoplefeedurl {

namespace {

constexpr char kFeedsRoot[] = "/_feeds/";
constexpr char kContacts[] = "contacts";
constexpr char kGroups[] = "groups";
constexpr char kFull[] = "full";
constexpr char kThin[] = "thin";
constexpr char kPropertyPrefix[] = "property-";
constexpr char kBatch[] = "batch";

QUrl under(const QString &api, GDataEntryBase::Kind kind, const QString &projection)
{
    const char *kind_ = kind == GDataEntryBase::Kind::ContactGroup ? kGroups : kContacts;
    return QUrl(api + QLatin1String(kFeedsRoot) + QLatin1String(kind_) + QLatin1Char('/') +
                    projection,
                QUrl::StrictMode);
}

} // namespace

QUrl feedURL(const QString &api, const QString &defaultFeed)
{
    const QStringList parts = defaultFeed.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const auto kind = parts.contains(QLatin1String(kGroups)) ? GDataEntryBase::Kind::ContactGroup
                                                             : GDataEntryBase::Kind::Contact;
    return under(api, kind, parts.value(parts.size() - 1, QLatin1String(kFull)));
}

QUrl propertyFeedURL(const QString &api, GDataEntryBase::Kind kind, const QString &name)
{
    return under(api, kind,
                 QLatin1String(kPropertyPrefix) +
                     QString::fromLatin1(QUrl::toPercentEncoding(name)));
}

QUrl batchURL(const QUrl &feed)
{
    QUrl url = feed;
    url.setPath(feed.path() + QLatin1Char('/') + QLatin1String(kBatch));
    return url;
}

std::optional<Feed> recognise(const QString &api, const QUrl &url)
{
    const QUrl root(api);
    if (url.scheme() != root.scheme() || url.host() != root.host() || url.port() != root.port())
        return std::nullopt;
    const QString path = url.path(QUrl::FullyEncoded);
    const QString start = root.path() + QLatin1String(kFeedsRoot);
    if (!path.startsWith(start))
        return std::nullopt;
    QStringList parts = path.mid(start.size()).split(QLatin1Char('/'));
    if (parts.size() == 3 && parts.last() == QLatin1String(kBatch))
        parts.removeLast();
    if (parts.size() != 2)
        return std::nullopt;
    Feed feed;
    if (parts[0] == QLatin1String(kGroups))
        feed.kind = GDataEntryBase::Kind::ContactGroup;
    else if (parts[0] != QLatin1String(kContacts))
        return std::nullopt;
    const QString &projection = parts[1];
    if (projection == QLatin1String(kThin))
        feed.projection = PeopleProjection::thin();
    else if (projection.startsWith(QLatin1String(kPropertyPrefix)))
        feed.projection = PeopleProjection::property(
            QUrl::fromPercentEncoding(projection.mid(int(qstrlen(kPropertyPrefix))).toLatin1()));
    else if (projection != QLatin1String(kFull))
        return std::nullopt;
    return feed;
}

} // namespace peoplefeedurl
