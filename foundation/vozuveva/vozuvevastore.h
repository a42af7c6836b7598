#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

class ManagedObject;
class ManagedObjectContext;
class Person;

// Shortcuts into the store's model: the user-info entries attached to an entity's attributes, and
// filling a person-like entity from an address book person. An entity or attribute the model
// lacks gives empty results or a null text.
namespace VozuVeva {

// Every present value of the key, sorted without regard to case.
QStringList userInfoValuesForUserInfoKey(const QString &key, const QString &entity,
                                         ManagedObjectContext &context);
// For each attribute with the key: under its name {"UserInfoValue", "AttrType"}, and under the
// value {"AttrName", "AttrType"}.
QVariantMap attrDictsForUserInfoKey(const QString &key, const QString &entity,
                                    ManagedObjectContext &context);
QVariant userInfoValueForUserInfoKey(const QString &key, const QString &attribute,
                                     const QString &entity, ManagedObjectContext &context);
// The first attribute whose value for the key equals the text.
QString attributeNameWithUserInfoValue(const QString &value, const QString &key,
                                       const QString &entity, ManagedObjectContext &context);
// Value to attribute name; a later attribute with the same value wins.
QVariantMap attributeNameUserInfoValueDictionaryForUserInfoKey(const QString &key,
                                                               const QString &entity,
                                                               ManagedObjectContext &context);

// A new object of the entity (which must have the person-like attributes: source, sourceID, the
// name, organisation, phone, e-mail, URL and address fields) filled from the person. Not saved.
ManagedObject *assignPerson(const Person &person, const QString &entity,
                            ManagedObjectContext &context);

} // namespace VozuVeva
