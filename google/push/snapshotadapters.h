#pragma once

#include "model/push/tolvaneadditions.h"
#include "model/push/tolvanerecord.h"
#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

// What the push snapshot stores of an address book record: read from the record when asked.
class RecordSnapshot : public TolvaneRecord
{
public:
    explicit RecordSnapshot(RecordPtr record) : m_record(std::move(record)) {}

    QString uniqueId() const override;
    QString googleID() const override;
    QDateTime creationDate() const override;
    QDateTime modificationDate() const override;

private:
    RecordPtr m_record;
};

// What the push snapshot stores of a Google contact or group.
class EntrySnapshot : public TolvaneAdditions
{
public:
    explicit EntrySnapshot(GDataEntryContactPtr contact) : m_contact(std::move(contact)) {}
    explicit EntrySnapshot(GDataEntryContactGroupPtr group) : m_group(std::move(group)) {}

    QString identifier() const override;
    QDateTime updatedDate() const override;
    QString tolvaneABID() const override;
    QDateTime tolvaneCreateDate() const override;
    bool isGoogleSystemGroup() const override;

private:
    GDataEntryContactPtr m_contact;
    GDataEntryContactGroupPtr m_group;
};
