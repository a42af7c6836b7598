#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the address book layer reads of a Google entry. The Google engine hands its contact and
// group entries in through these views, so this layer never depends on the engine.
class GoogleEntry
{
public:
    virtual ~GoogleEntry() = default;

    virtual QString identifier() const = 0;
    // Absent (the entry has no title) differs from an empty title.
    virtual std::optional<QString> title() const = 0;
    virtual QDateTime updatedDate() const = 0;
    // The XML values (child name to text) of each extended property with that name, in the
    // entry's order: one dictionary per property.
    virtual QList<QHash<QString, QString>> extendedPropertyValues(const QString &name) const = 0;
    // Text that names the entry in log lines.
    virtual QString description() const = 0;
};

class GoogleContactEntry : public GoogleEntry
{
public:
    // The address of the e-mail marked primary, if any.
    virtual std::optional<QString> primaryEmailAddress() const = 0;
    // Every e-mail address in the entry's order.
    virtual QStringList emailAddresses() const = 0;
};

class GoogleGroupEntry : public GoogleEntry
{
};
