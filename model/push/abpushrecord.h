#pragma once

#include "model/tolvanemanagedobject.h"

#include <QDateTime>

class TolvaneAdditions;
class TolvaneRecord;

// One row of the agent's push snapshot: an address book or Google group or contact.
class ABPushRecord : public TolvaneManagedObject
{
public:
    static QString entityName() { return QStringLiteral("ABPushRecord"); }

    // The rows of one kind; nullopt when the fetch failed.
    static std::optional<QList<ABPushRecord *>> allABGroupsInContext(ManagedObjectContext &context);
    static std::optional<QList<ABPushRecord *>>
    allABContactsInContext(ManagedObjectContext &context);

    // Each replaces the rows of its kind. When the old rows cannot be fetched nothing is written,
    // so the store never holds two generations of one kind; the answer is false then.
    static bool writeABGroupRecords(const QList<const TolvaneRecord *> &groups,
                                    ManagedObjectContext &context);
    static bool writeABContactRecords(const QList<const TolvaneRecord *> &people,
                                      ManagedObjectContext &context);
    static bool writeGoogleGroupRecords(const QList<const TolvaneAdditions *> &groups,
                                        ManagedObjectContext &context);
    static bool writeGoogleContactRecords(const QList<const TolvaneAdditions *> &contacts,
                                          ManagedObjectContext &context);

    void awakeFromInsert() override;

    QString abid() const { return stringValue(QStringLiteral("abid")); }
    void setAbid(const QString &abid) { setValue(QStringLiteral("abid"), abid); }
    QString googleID() const { return stringValue(QStringLiteral("googleID")); }
    void setGoogleID(const QString &id) { setValue(QStringLiteral("googleID"), id); }
    bool isABRecord() const { return boolValue(QStringLiteral("isABRecord")); }
    void setIsABRecord(bool flag) { setValue(QStringLiteral("isABRecord"), flag); }
    bool isGoogleRecord() const { return boolValue(QStringLiteral("isGoogleRecord")); }
    void setIsGoogleRecord(bool flag) { setValue(QStringLiteral("isGoogleRecord"), flag); }
    bool isGroup() const { return boolValue(QStringLiteral("isGroup")); }
    void setIsGroup(bool flag) { setValue(QStringLiteral("isGroup"), flag); }
    QDateTime dateRecordCreated() const { return dateValue(QStringLiteral("dateRecordCreated")); }
    void setDateRecordCreated(const QDateTime &date)
    {
        setValue(QStringLiteral("dateRecordCreated"), date);
    }
    QDateTime dateRecordModified() const { return dateValue(QStringLiteral("dateRecordModified")); }
    void setDateRecordModified(const QDateTime &date)
    {
        setValue(QStringLiteral("dateRecordModified"), date);
    }
    QDateTime dateCreated() const { return dateValue(QStringLiteral("dateCreated")); }
    void setDateCreated(const QDateTime &date) { setValue(QStringLiteral("dateCreated"), date); }

    // A kind of row: its template and its three flags.
    struct Kind;

private:
    static std::optional<QList<ABPushRecord *>> fetchKind(const Kind &kind, const QString &op,
                                                          ManagedObjectContext &context);
    static bool replaceKind(const Kind &kind, const QString &op, ManagedObjectContext &context);
    static ABPushRecord *insertRow(const Kind &kind, ManagedObjectContext &context);
    static bool writeRecords(const Kind &kind, const QString &op,
                             const QList<const TolvaneRecord *> &records,
                             ManagedObjectContext &context);
    static bool writeEntries(const Kind &kind, const QString &op,
                             const QList<const TolvaneAdditions *> &entries,
                             ManagedObjectContext &context);
};
