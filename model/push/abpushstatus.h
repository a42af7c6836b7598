#pragma once

#include "model/tolvanemanagedobject.h"

#include <QDateTime>

// The single status record of the push snapshot: counts and newest dates of both sides.
class ABPushStatus : public TolvaneManagedObject
{
public:
    static QString entityName() { return QStringLiteral("ABPushStatus"); }

    // The status record, created when the store holds none. Several records (left by a failed
    // fetch in an older run) are reduced to the newest; a failed fetch answers nullptr and
    // creates nothing.
    static ABPushStatus *sharedABPushStatusInContext(ManagedObjectContext &context);

    void awakeFromInsert() override;

    QDateTime asOfDate() const { return dateValue(QStringLiteral("asOfDate")); }
    void setAsOfDate(const QDateTime &date) { setValue(QStringLiteral("asOfDate"), date); }
    QDateTime abContactLastInsertDate() const
    {
        return dateValue(QStringLiteral("abContactLastInsertDate"));
    }
    void setAbContactLastInsertDate(const QDateTime &date)
    {
        setValue(QStringLiteral("abContactLastInsertDate"), date);
    }
    QDateTime abContactLastModDate() const
    {
        return dateValue(QStringLiteral("abContactLastModDate"));
    }
    void setAbContactLastModDate(const QDateTime &date)
    {
        setValue(QStringLiteral("abContactLastModDate"), date);
    }
    QDateTime abGroupLastInsertDate() const
    {
        return dateValue(QStringLiteral("abGroupLastInsertDate"));
    }
    void setAbGroupLastInsertDate(const QDateTime &date)
    {
        setValue(QStringLiteral("abGroupLastInsertDate"), date);
    }
    QDateTime abGroupLastModDate() const { return dateValue(QStringLiteral("abGroupLastModDate")); }
    void setAbGroupLastModDate(const QDateTime &date)
    {
        setValue(QStringLiteral("abGroupLastModDate"), date);
    }
    QDateTime googleContactLastInsertDate() const
    {
        return dateValue(QStringLiteral("googleContactLastInsertDate"));
    }
    void setGoogleContactLastInsertDate(const QDateTime &date)
    {
        setValue(QStringLiteral("googleContactLastInsertDate"), date);
    }
    QDateTime googleContactLastModDate() const
    {
        return dateValue(QStringLiteral("googleContactLastModDate"));
    }
    void setGoogleContactLastModDate(const QDateTime &date)
    {
        setValue(QStringLiteral("googleContactLastModDate"), date);
    }
    QDateTime googleGroupLastInsertDate() const
    {
        return dateValue(QStringLiteral("googleGroupLastInsertDate"));
    }
    void setGoogleGroupLastInsertDate(const QDateTime &date)
    {
        setValue(QStringLiteral("googleGroupLastInsertDate"), date);
    }
    QDateTime googleGroupLastModDate() const
    {
        return dateValue(QStringLiteral("googleGroupLastModDate"));
    }
    void setGoogleGroupLastModDate(const QDateTime &date)
    {
        setValue(QStringLiteral("googleGroupLastModDate"), date);
    }
    QDateTime dateCreated() const { return dateValue(QStringLiteral("dateCreated")); }
    void setDateCreated(const QDateTime &date) { setValue(QStringLiteral("dateCreated"), date); }
    QVariant abContactCount() const { return value(QStringLiteral("abContactCount")); }
    void setAbContactCount(qint64 count) { setValue(QStringLiteral("abContactCount"), count); }
    QVariant abGroupCount() const { return value(QStringLiteral("abGroupCount")); }
    void setAbGroupCount(qint64 count) { setValue(QStringLiteral("abGroupCount"), count); }
    QVariant googleContactCount() const { return value(QStringLiteral("googleContactCount")); }
    void setGoogleContactCount(qint64 count)
    {
        setValue(QStringLiteral("googleContactCount"), count);
    }
    QVariant googleGroupCount() const { return value(QStringLiteral("googleGroupCount")); }
    void setGoogleGroupCount(qint64 count) { setValue(QStringLiteral("googleGroupCount"), count); }
};
