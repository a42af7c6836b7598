#pragma once

#include "addressbook/google/googleentry.h"

// Google entries as plain values, standing in for the engine's entries.
struct FakeGoogleGroup : GoogleGroupEntry
{
    QString id;
    std::optional<QString> titleText;
    QDateTime updated;
    // Extended properties as (name, XML values), in entry order.
    QList<std::pair<QString, QHash<QString, QString>>> properties;

    QString identifier() const override { return id; }
    std::optional<QString> title() const override { return titleText; }
    QDateTime updatedDate() const override { return updated; }
    QList<QHash<QString, QString>> extendedPropertyValues(const QString &name) const override;
    QString description() const override { return QStringLiteral("group ") + id; }
};

struct FakeGoogleContact : GoogleContactEntry
{
    QString id;
    std::optional<QString> titleText;
    QDateTime updated;
    QList<std::pair<QString, QHash<QString, QString>>> properties;
    std::optional<QString> primaryEmail;
    QStringList emails;

    QString identifier() const override { return id; }
    std::optional<QString> title() const override { return titleText; }
    QDateTime updatedDate() const override { return updated; }
    QList<QHash<QString, QString>> extendedPropertyValues(const QString &name) const override;
    QString description() const override { return QStringLiteral("contact ") + id; }
    std::optional<QString> primaryEmailAddress() const override { return primaryEmail; }
    QStringList emailAddresses() const override { return emails; }
};
