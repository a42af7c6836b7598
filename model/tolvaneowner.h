#pragma once

#include "model/tolvanebase.h"

#include <QByteArray>

class ManagedObjectContext;
class OwnerAddressBook;
class Region;

// The one record of the user and the machine the system runs for, made from the account, the
// computer, the locale and the address book's Me record on the first start with an empty store.
class TolvaneOwner : public TolvaneBase
{
public:
    static QString entityName() { return QStringLiteral("TolvaneOwner"); }
    // The unique column that keeps the store to one owner.
    static QString singletonKey() { return QStringLiteral("singleton"); }

    // The owner: loaded, or made, filled and saved when the store holds none. A fetch that fails
    // creates nothing: the fatal alert is shown and nullptr answered.
    static TolvaneOwner *sharedOwnerInContext(ManagedObjectContext &context,
                                              OwnerAddressBook &addressBook);
    // The single owner; nullptr when the fetch fails or finds none. Extra owners (from stores
    // written before the singleton column) are resolved by keeping the oldest.
    static TolvaneOwner *loadOwnerInContext(ManagedObjectContext &context);
    static TolvaneOwner *populateOwner(TolvaneOwner *owner, OwnerAddressBook &addressBook);

    void awakeFromInsert() override;

    QString abID() const { return stringValue(QStringLiteral("abID")); }
    void setAbID(const QString &value) { setValue(QStringLiteral("abID"), value); }
    QString address() const { return stringValue(QStringLiteral("address")); }
    void setAddress(const QString &value) { setValue(QStringLiteral("address"), value); }
    QString address2() const { return stringValue(QStringLiteral("address2")); }
    void setAddress2(const QString &value) { setValue(QStringLiteral("address2"), value); }
    QString address3() const { return stringValue(QStringLiteral("address3")); }
    void setAddress3(const QString &value) { setValue(QStringLiteral("address3"), value); }
    QString cID() const { return stringValue(QStringLiteral("cID")); }
    void setCID(const QString &value) { setValue(QStringLiteral("cID"), value); }
    QString city() const { return stringValue(QStringLiteral("city")); }
    void setCity(const QString &value) { setValue(QStringLiteral("city"), value); }
    QString computerMachineReadableType() const
    {
        return stringValue(QStringLiteral("computerMachineReadableType"));
    }
    void setComputerMachineReadableType(const QString &value)
    {
        setValue(QStringLiteral("computerMachineReadableType"), value);
    }
    QString computerMachineType() const
    {
        return stringValue(QStringLiteral("computerMachineType"));
    }
    void setComputerMachineType(const QString &value)
    {
        setValue(QStringLiteral("computerMachineType"), value);
    }
    QString computerName() const { return stringValue(QStringLiteral("computerName")); }
    void setComputerName(const QString &value) { setValue(QStringLiteral("computerName"), value); }
    QString computerOriginalOS() const { return stringValue(QStringLiteral("computerOriginalOS")); }
    void setComputerOriginalOS(const QString &value)
    {
        setValue(QStringLiteral("computerOriginalOS"), value);
    }
    QString computerProcessorType() const
    {
        return stringValue(QStringLiteral("computerProcessorType"));
    }
    void setComputerProcessorType(const QString &value)
    {
        setValue(QStringLiteral("computerProcessorType"), value);
    }
    QString country() const { return stringValue(QStringLiteral("country")); }
    void setCountry(const QString &value) { setValue(QStringLiteral("country"), value); }
    QString dataModelCurrentVersion() const
    {
        return stringValue(QStringLiteral("dataModelCurrentVersion"));
    }
    void setDataModelCurrentVersion(const QString &value)
    {
        setValue(QStringLiteral("dataModelCurrentVersion"), value);
    }
    QString dataModelInitialVersion() const
    {
        return stringValue(QStringLiteral("dataModelInitialVersion"));
    }
    void setDataModelInitialVersion(const QString &value)
    {
        setValue(QStringLiteral("dataModelInitialVersion"), value);
    }
    QString eID() const { return stringValue(QStringLiteral("eID")); }
    void setEID(const QString &value) { setValue(QStringLiteral("eID"), value); }
    QString email() const { return stringValue(QStringLiteral("email")); }
    void setEmail(const QString &value) { setValue(QStringLiteral("email"), value); }
    QString jobTitle() const { return stringValue(QStringLiteral("jobTitle")); }
    void setJobTitle(const QString &value) { setValue(QStringLiteral("jobTitle"), value); }
    QString language() const { return stringValue(QStringLiteral("language")); }
    void setLanguage(const QString &value) { setValue(QStringLiteral("language"), value); }
    QString nameFirst() const { return stringValue(QStringLiteral("nameFirst")); }
    void setNameFirst(const QString &value) { setValue(QStringLiteral("nameFirst"), value); }
    QString nameLast() const { return stringValue(QStringLiteral("nameLast")); }
    void setNameLast(const QString &value) { setValue(QStringLiteral("nameLast"), value); }
    QString nameLong() const { return stringValue(QStringLiteral("nameLong")); }
    void setNameLong(const QString &value) { setValue(QStringLiteral("nameLong"), value); }
    QString nameNickname() const { return stringValue(QStringLiteral("nameNickname")); }
    void setNameNickname(const QString &value) { setValue(QStringLiteral("nameNickname"), value); }
    QString namePrefix() const { return stringValue(QStringLiteral("namePrefix")); }
    void setNamePrefix(const QString &value) { setValue(QStringLiteral("namePrefix"), value); }
    QString nameShort() const { return stringValue(QStringLiteral("nameShort")); }
    void setNameShort(const QString &value) { setValue(QStringLiteral("nameShort"), value); }
    QString nameSuffix() const { return stringValue(QStringLiteral("nameSuffix")); }
    void setNameSuffix(const QString &value) { setValue(QStringLiteral("nameSuffix"), value); }
    QString organizationName() const { return stringValue(QStringLiteral("organizationName")); }
    void setOrganizationName(const QString &value)
    {
        setValue(QStringLiteral("organizationName"), value);
    }
    QString phoneHome() const { return stringValue(QStringLiteral("phoneHome")); }
    void setPhoneHome(const QString &value) { setValue(QStringLiteral("phoneHome"), value); }
    QString phoneMobile() const { return stringValue(QStringLiteral("phoneMobile")); }
    void setPhoneMobile(const QString &value) { setValue(QStringLiteral("phoneMobile"), value); }
    QString phoneWork() const { return stringValue(QStringLiteral("phoneWork")); }
    void setPhoneWork(const QString &value) { setValue(QStringLiteral("phoneWork"), value); }
    QString postalCode() const { return stringValue(QStringLiteral("postalCode")); }
    void setPostalCode(const QString &value) { setValue(QStringLiteral("postalCode"), value); }
    QString sourceID() const { return stringValue(QStringLiteral("sourceID")); }
    void setSourceID(const QString &value) { setValue(QStringLiteral("sourceID"), value); }
    QString state() const { return stringValue(QStringLiteral("state")); }
    void setState(const QString &value) { setValue(QStringLiteral("state"), value); }
    QString taxID() const { return stringValue(QStringLiteral("taxID")); }
    void setTaxID(const QString &value) { setValue(QStringLiteral("taxID"), value); }
    QString url() const { return stringValue(QStringLiteral("url")); }
    void setUrl(const QString &value) { setValue(QStringLiteral("url"), value); }
    QString xtraString1() const { return stringValue(QStringLiteral("xtraString1")); }
    void setXtraString1(const QString &value) { setValue(QStringLiteral("xtraString1"), value); }
    QString xtraString2() const { return stringValue(QStringLiteral("xtraString2")); }
    void setXtraString2(const QString &value) { setValue(QStringLiteral("xtraString2"), value); }
    QString xtraString3() const { return stringValue(QStringLiteral("xtraString3")); }
    void setXtraString3(const QString &value) { setValue(QStringLiteral("xtraString3"), value); }
    QString xtraDecimal1() const { return stringValue(QStringLiteral("xtraDecimal1")); }
    void setXtraDecimal1(const QString &value) { setValue(QStringLiteral("xtraDecimal1"), value); }
    QString xtraDecimal2() const { return stringValue(QStringLiteral("xtraDecimal2")); }
    void setXtraDecimal2(const QString &value) { setValue(QStringLiteral("xtraDecimal2"), value); }
    QString xtraDecimal3() const { return stringValue(QStringLiteral("xtraDecimal3")); }
    void setXtraDecimal3(const QString &value) { setValue(QStringLiteral("xtraDecimal3"), value); }
    QVariant computerNumberOfProcessors() const
    {
        return value(QStringLiteral("computerNumberOfProcessors"));
    }
    void setComputerNumberOfProcessors(qint64 number)
    {
        setValue(QStringLiteral("computerNumberOfProcessors"), number);
    }
    QVariant computerSpeed() const { return value(QStringLiteral("computerSpeed")); }
    void setComputerSpeed(qint64 number) { setValue(QStringLiteral("computerSpeed"), number); }
    QVariant count() const { return value(QStringLiteral("count")); }
    void setCount(qint64 number) { setValue(QStringLiteral("count"), number); }
    QVariant xtraInteger1() const { return value(QStringLiteral("xtraInteger1")); }
    void setXtraInteger1(qint64 number) { setValue(QStringLiteral("xtraInteger1"), number); }
    QVariant xtraInteger2() const { return value(QStringLiteral("xtraInteger2")); }
    void setXtraInteger2(qint64 number) { setValue(QStringLiteral("xtraInteger2"), number); }
    QVariant xtraInteger3() const { return value(QStringLiteral("xtraInteger3")); }
    void setXtraInteger3(qint64 number) { setValue(QStringLiteral("xtraInteger3"), number); }
    QVariant xtraBool1() const { return value(QStringLiteral("xtraBool1")); }
    void setXtraBool1(bool flag) { setValue(QStringLiteral("xtraBool1"), flag); }
    QVariant xtraBool2() const { return value(QStringLiteral("xtraBool2")); }
    void setXtraBool2(bool flag) { setValue(QStringLiteral("xtraBool2"), flag); }
    QVariant xtraBool3() const { return value(QStringLiteral("xtraBool3")); }
    void setXtraBool3(bool flag) { setValue(QStringLiteral("xtraBool3"), flag); }
    QDateTime xtraDate1() const { return dateValue(QStringLiteral("xtraDate1")); }
    void setXtraDate1(const QDateTime &date) { setValue(QStringLiteral("xtraDate1"), date); }
    QDateTime xtraDate2() const { return dateValue(QStringLiteral("xtraDate2")); }
    void setXtraDate2(const QDateTime &date) { setValue(QStringLiteral("xtraDate2"), date); }
    QDateTime xtraDate3() const { return dateValue(QStringLiteral("xtraDate3")); }
    void setXtraDate3(const QDateTime &date) { setValue(QStringLiteral("xtraDate3"), date); }
    QByteArray logo() const { return value(QStringLiteral("logo")).toByteArray(); }
    void setLogo(const QByteArray &data) { setValue(QStringLiteral("logo"), data); }

    // Composed on every read, never stored; their setters store nothing.
    QString footerString() const;
    QString csz() const;
    QString nameComplete() const;
    QString nameFull() const;
    void setFooterString(const QString &value);
    void setCsz(const QString &value);
    void setNameComplete(const QString &value);
    void setNameFull(const QString &value);

    QList<ManagedObject *> menuPrefs() { return toMany(QStringLiteral("menuPrefs")); }
    void addMenuPrefsObject(Region *region);
    void removeMenuPrefsObject(Region *region);

private:
    void fillFromMeRecord(OwnerAddressBook &addressBook);
    void fillAddress(const QVariantMap &address);
};
