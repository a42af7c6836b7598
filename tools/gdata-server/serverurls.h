// The URL space of the server: feeds, entries, identifiers and photos of an account, and how a
// request path names them.
#pragma once

#include "tools/gdata-server/account.h"

#include <QString>
#include <QUrl>

#include <optional>

struct Projection
{
    enum class Kind { Full, Thin, Property, Base };
    Kind kind = Kind::Full;
    QString propertyName; // for Property

    static std::optional<Projection> fromSegment(const QString &segment);
    QString segment() const;
    // Whether an extended property of that name shows through this projection.
    bool shows(const QString &name) const;
};

struct FeedRoute
{
    enum class Target { Feed, Batch, Entry, Photo };
    Target target = Target::Feed;
    Account::Collection collection = Account::Collection::Contacts;
    QString user; // as in the path, decoded: "default" or an address
    Projection projection;
    QString localId;
};

class ServerUrls
{
public:
    void setBase(const QString &base) { m_base = base; }
    QString base() const { return m_base; }
    // Identifiers are made from this base, the server's own unless set.
    void setIdBase(const QString &idBase) { m_idBase = idBase; }
    QString idBase() const { return m_idBase.isEmpty() ? m_base : m_idBase; }

    static std::optional<FeedRoute> parse(const QString &path);
    // The local identifier at the end of an identifier or entry URL ("/base/<id>" or the last
    // segment of an entry URL of that collection); empty when it names none.
    static QString localIdOf(const QString &url, Account::Collection collection);

    QString identifier(const QString &email, Account::Collection collection,
                       const QString &localId) const;
    QString feed(const QString &email, Account::Collection collection,
                 const Projection &projection) const;
    QString entry(const QString &email, Account::Collection collection,
                  const Projection &projection, const QString &localId) const;
    QString photo(const QString &email, const QString &localId) const;
    // Where the People face's photos are served: a second origin when one is set.
    void setPhotoBase(const QString &photoBase) { m_photoBase = photoBase; }
    QString photoBase() const { return m_photoBase.isEmpty() ? m_base : m_photoBase; }

private:
    QString m_base;
    QString m_idBase;
    QString m_photoBase;
};
