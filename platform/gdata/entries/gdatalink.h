// An atom:link of a feed or entry; the photo link carries the photo's ETag only while a photo is
// stored.
#pragma once

#include <QString>
#include <QUrl>

#include <optional>

struct GDataLink
{
    QString rel;
    QString type;
    QString href;
    std::optional<QString> etag;

    QUrl URL() const { return QUrl(href); }
    std::optional<QString> ETag() const { return etag; }
};
