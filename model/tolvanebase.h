#pragma once

#include "model/tolvanemanagedobject.h"

#include <QDateTime>

// The bookkeeping every reference entity and the owner record carry: creation and modification
// dates stamped by the store hooks, the row's origin and a few flags.
class TolvaneBase : public TolvaneManagedObject
{
public:
    // Objects fetched by the "allActive<Class>" template; empty on any failure, without a log line.
    static QList<ManagedObject *> allActiveInContext(const QString &className,
                                                     ManagedObjectContext &context);

    QDateTime dateCreated() const { return dateValue(QStringLiteral("dateCreated")); }
    void setDateCreated(const QDateTime &date) { setValue(QStringLiteral("dateCreated"), date); }
    QDateTime dateLastModified() const { return dateValue(QStringLiteral("dateLastModified")); }
    void setDateLastModified(const QDateTime &date)
    {
        setValue(QStringLiteral("dateLastModified"), date);
    }
    QDateTime dateLastSynced() const { return dateValue(QStringLiteral("dateLastSynced")); }
    void setDateLastSynced(const QDateTime &date)
    {
        setValue(QStringLiteral("dateLastSynced"), date);
    }
    QDateTime dateMadeInactive() const { return dateValue(QStringLiteral("dateMadeInactive")); }
    void setDateMadeInactive(const QDateTime &date)
    {
        setValue(QStringLiteral("dateMadeInactive"), date);
    }
    QString source() const { return stringValue(QStringLiteral("source")); }
    void setSource(const QString &source) { setValue(QStringLiteral("source"), source); }
    QString comment() const { return stringValue(QStringLiteral("comment")); }
    void setComment(const QString &comment) { setValue(QStringLiteral("comment"), comment); }
    QVariant isActive() const { return value(QStringLiteral("isActive")); }
    void setIsActive(bool active) { setValue(QStringLiteral("isActive"), active); }
    QVariant isInAB() const { return value(QStringLiteral("isInAB")); }
    void setIsInAB(bool inAB) { setValue(QStringLiteral("isInAB"), inAB); }
    QVariant isDirty() const { return value(QStringLiteral("isDirty")); }
    void setIsDirty(bool dirty) { setValue(QStringLiteral("isDirty"), dirty); }
    QVariant isInError() const { return value(QStringLiteral("isInError")); }
    void setIsInError(bool inError) { setValue(QStringLiteral("isInError"), inError); }
    QVariant rating() const { return value(QStringLiteral("rating")); }
    void setRating(double rating) { setValue(QStringLiteral("rating"), rating); }

    // The text of the object's store identifier.
    QString uniqueID() const { return objectID().uriRepresentation(); }

    void awakeFromInsert() override;
    bool validateForInsert(StoreError *error) override;
    bool validateForUpdate(StoreError *error) override;

private:
    bool reportValidation(bool valid, const StoreError &error, const QString &banner);
};
