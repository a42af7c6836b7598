#pragma once

#include "addressbook/google/googleentry.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

// The engine's Google entries as the address book layer reads them, for pairing each entry with
// its record. A view borrows its entry: the entry outlives the view.
class ABContactEntryView : public GoogleContactEntry
{
public:
    explicit ABContactEntryView(const GDataEntryContact &contact)
        : m_contact(contact)
    {}
    QString identifier() const override;
    std::optional<QString> title() const override;
    QDateTime updatedDate() const override;
    QList<QHash<QString, QString>> extendedPropertyValues(const QString &name) const override;
    QString description() const override;
    std::optional<QString> primaryEmailAddress() const override;
    QStringList emailAddresses() const override;

private:
    const GDataEntryContact &m_contact;
};

class ABGroupEntryView : public GoogleGroupEntry
{
public:
    explicit ABGroupEntryView(const GDataEntryContactGroup &group)
        : m_group(group)
    {}
    QString identifier() const override;
    std::optional<QString> title() const override;
    QDateTime updatedDate() const override;
    QList<QHash<QString, QString>> extendedPropertyValues(const QString &name) const override;
    QString description() const override;

private:
    const GDataEntryContactGroup &m_group;
};
