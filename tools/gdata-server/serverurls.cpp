#include "tools/gdata-server/serverurls.h"

namespace {

QString collectionSegment(Account::Collection collection)
{
    return collection == Account::Collection::Contacts ? QStringLiteral("contacts")
                                                       : QStringLiteral("groups");
}

QString userSegment(const QString &email)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(email));
}

} // namespace

std::optional<Projection> Projection::fromSegment(const QString &segment)
{
    if (segment == QLatin1String("full"))
        return Projection{Kind::Full, {}};
    if (segment == QLatin1String("thin"))
        return Projection{Kind::Thin, {}};
    if (segment == QLatin1String("base"))
        return Projection{Kind::Base, {}};
    if (segment.startsWith(QLatin1String("property-")) && segment.size() > 9)
        return Projection{Kind::Property, segment.mid(9)};
    return std::nullopt;
}

QString Projection::segment() const
{
    switch (kind) {
    case Kind::Full:
        return QStringLiteral("full");
    case Kind::Thin:
        return QStringLiteral("thin");
    case Kind::Base:
        return QStringLiteral("base");
    case Kind::Property:
        return QStringLiteral("property-") +
               QString::fromLatin1(QUrl::toPercentEncoding(propertyName));
    }
    return {};
}

bool Projection::shows(const QString &name) const
{
    switch (kind) {
    case Kind::Full:
    case Kind::Base:
        return true;
    case Kind::Thin:
        return false;
    case Kind::Property:
        return name == propertyName;
    }
    return false;
}

std::optional<FeedRoute> ServerUrls::parse(const QString &path)
{
    const QStringList parts = path.split(u'/');
    // "", "m8", "feeds", collection, user, projection [, batch | id]
    if (parts.size() < 5 || !parts[0].isEmpty() || parts[1] != QLatin1String("m8") ||
        parts[2] != QLatin1String("feeds"))
        return std::nullopt;
    FeedRoute route;
    if (parts[3] == QLatin1String("photos")) {
        if (parts.size() != 7 || parts[4] != QLatin1String("media"))
            return std::nullopt;
        route.target = FeedRoute::Target::Photo;
        route.user = QUrl::fromPercentEncoding(parts[5].toLatin1());
        route.localId = parts[6];
        return route;
    }
    if (parts[3] == QLatin1String("contacts"))
        route.collection = Account::Collection::Contacts;
    else if (parts[3] == QLatin1String("groups"))
        route.collection = Account::Collection::Groups;
    else
        return std::nullopt;
    if (parts.size() < 6 || parts.size() > 7)
        return std::nullopt;
    route.user = QUrl::fromPercentEncoding(parts[4].toLatin1());
    const auto projection = Projection::fromSegment(QUrl::fromPercentEncoding(parts[5].toLatin1()));
    if (!projection)
        return std::nullopt;
    route.projection = *projection;
    if (parts.size() == 7) {
        route.localId = parts[6];
        route.target = parts[6] == QLatin1String("batch") ? FeedRoute::Target::Batch
                                                          : FeedRoute::Target::Entry;
    }
    if (route.projection.kind == Projection::Kind::Base && route.target != FeedRoute::Target::Entry)
        return std::nullopt;
    return route;
}

QString ServerUrls::localIdOf(const QString &url, Account::Collection collection)
{
    const QString marker = QLatin1Char('/') + collectionSegment(collection) + QLatin1Char('/');
    if (!url.contains(marker))
        return {};
    const qsizetype slash = url.lastIndexOf(u'/');
    const QString tail = url.mid(slash + 1);
    const bool plain = std::all_of(tail.begin(), tail.end(),
                                   [](QChar c) { return c.isLetterOrNumber() || c == u'_'; });
    return plain ? tail : QString();
}

QString ServerUrls::identifier(const QString &email, Account::Collection collection,
                               const QString &localId) const
{
    return QStringLiteral("%1/m8/feeds/%2/%3/base/%4")
        .arg(idBase(), collectionSegment(collection), userSegment(email), localId);
}

QString ServerUrls::feed(const QString &email, Account::Collection collection,
                         const Projection &projection) const
{
    return QStringLiteral("%1/m8/feeds/%2/%3/%4")
        .arg(m_base, collectionSegment(collection), userSegment(email), projection.segment());
}

QString ServerUrls::entry(const QString &email, Account::Collection collection,
                          const Projection &projection, const QString &localId) const
{
    return feed(email, collection, projection) + QLatin1Char('/') + localId;
}

QString ServerUrls::photo(const QString &email, const QString &localId) const
{
    return QStringLiteral("%1/m8/feeds/photos/media/%2/%3")
        .arg(m_base, userSegment(email), localId);
}
