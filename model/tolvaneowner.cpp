#include "model/tolvaneowner.h"

#include "foundation/computerinfo.h"
#include "foundation/log.h"
#include "foundation/vozuveva/vozuvevaalerts.h"
#include "model/fetchlog.h"
#include "model/owneraddressbook.h"
#include "model/refdata/region.h"
#include "platform/addressbook/abconstants.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace {

QString orEmpty(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

bool present(const QString &text)
{
    return !text.isNull();
}

void logTransientWrite(const QString &op, const QString &message)
{
    tlog::message(TolvaneOwner::entityName(), op, message);
}

} // namespace

void TolvaneOwner::awakeFromInsert()
{
    TolvaneManagedObject::awakeFromInsert();
    const QDateTime now = QDateTime::currentDateTime();
    setDateCreated(now);
    setDateLastModified(now);
    setPrimitiveValue(singletonKey(), 1);
}

TolvaneOwner *TolvaneOwner::sharedOwnerInContext(ManagedObjectContext &context,
                                                 OwnerAddressBook &addressBook)
{
    const std::optional<QList<TolvaneOwner *>> owners = allInContext<TolvaneOwner>(context);
    if (owners && owners->isEmpty()) {
        TolvaneOwner *owner = populateOwner(context.insertNew<TolvaneOwner>(), addressBook);
        tlog::write(QStringLiteral("Shared Owner Record - Created"));
        // Saved at once: when the other program made its owner first, the singleton column
        // refuses this one, and that owner is loaded instead.
        StoreError error;
        if (context.save(&error) || error.code != StoreError::UniqueConstraint)
            return owner;
        context.deleteObject(owner);
    }
    TolvaneOwner *owner = owners ? loadOwnerInContext(context) : nullptr;
    if (owner) {
        tlog::write(QStringLiteral("Shared Owner Record - Loaded"));
        return owner;
    }
    VozuVeva::showAlertMsg(QStringLiteral("This application has encountered fatal error: 1103."),
                           QStringLiteral("Please contact customer support."), QStringLiteral("OK"),
                           QString(), QString(), true);
    return nullptr;
}

TolvaneOwner *TolvaneOwner::loadOwnerInContext(ManagedObjectContext &context)
{
    const QString op = QStringLiteral("loadOwnerInContext:");
    StoreError error;
    const auto rows = context.executeFetchTemplate(QStringLiteral("allTolvaneOwner"), {}, &error);
    if (!rows) {
        if (fetchlog::isTemplateFault(error))
            tlog::write(QStringLiteral("%1 - Caught %2: %3  info = %4")
                            .arg(op, QStringLiteral("InvalidArgumentException"), error.description,
                                 tlog::describe(error.userInfo)));
        else
            fetchlog::logFailure(entityName(), op, QString(), error);
        return nullptr;
    }
    if (rows->isEmpty()) {
        tlog::write(QStringLiteral("ERROR - No Owner record found"));
        return nullptr;
    }
    QList<TolvaneOwner *> owners = cast<TolvaneOwner>(rows).value();
    if (owners.size() > 1) {
        // Two programs once could each make one; keep the first made and drop the others, so
        // the store recovers instead of refusing every start.
        tlog::write(QStringLiteral("ERROR - Multiple Owner records found"));
        std::stable_sort(owners.begin(), owners.end(), [](TolvaneOwner *a, TolvaneOwner *b) {
            return a->dateCreated() < b->dateCreated();
        });
        for (qsizetype i = 1; i < owners.size(); ++i)
            context.deleteObject(owners[i]);
    }
    return owners.first();
}

TolvaneOwner *TolvaneOwner::populateOwner(TolvaneOwner *owner, OwnerAddressBook &addressBook)
{
    owner->setNameShort(ComputerInfo::shortUserName());
    owner->setNameLong(ComputerInfo::fullUserName());
    owner->setComputerName(ComputerInfo::computerName());
    owner->setComputerMachineType(ComputerInfo::macModel());
    owner->setComputerProcessorType(
        QStringLiteral("%1 %2 %3")
            .arg(ComputerInfo::is64Bit() ? QStringLiteral("64bit ") : QStringLiteral(""),
                 ComputerInfo::CPUType(), ComputerInfo::CPUSubType()));
    owner->setComputerNumberOfProcessors(ComputerInfo::countProcessors());
    owner->setComputerSpeed(ComputerInfo::processorClockSpeedInMHz());
    owner->setComputerOriginalOS(ComputerInfo::systemVersionString2());
    const QLocale locale;
    owner->setLanguage(locale.nativeLanguageName().isEmpty()
                           ? QLocale::languageToString(locale.language())
                           : locale.nativeLanguageName());
    owner->fillFromMeRecord(addressBook);
    const QVariantMap address = addressBook.primaryAddressForPerson();
    owner->fillAddress(address);
    const QString country = address.value(kABAddressCountryKey).toString();
    if (!country.isEmpty())
        owner->setCountry(country);
    else
        owner->setCountry(locale.nativeTerritoryName().isEmpty()
                              ? QLocale::territoryToString(locale.territory())
                              : locale.nativeTerritoryName());
    return owner;
}

void TolvaneOwner::fillFromMeRecord(OwnerAddressBook &addressBook)
{
    setAbID(addressBook.meUniqueId());
    setNamePrefix(orEmpty(addressBook.meValueForProperty(kABTitleProperty)));
    setNameFirst(orEmpty(addressBook.meValueForProperty(kABFirstNameProperty)));
    setNameLast(orEmpty(addressBook.meValueForProperty(kABLastNameProperty)));
    setNameSuffix(orEmpty(addressBook.meValueForProperty(kABSuffixProperty)));
    setOrganizationName(orEmpty(addressBook.meValueForProperty(kABOrganizationProperty)));
    setJobTitle(orEmpty(addressBook.meValueForProperty(kABJobTitleProperty)));
    setEmail(addressBook.primaryEmailForPerson());
    setPhoneHome(addressBook.homePhoneForPerson());
    setPhoneMobile(addressBook.mobilePhoneForPerson());
    setPhoneWork(addressBook.workPhoneForPerson());
    setUrl(addressBook.urlForPersonForLabel(kABHomePageLabel));
}

void TolvaneOwner::fillAddress(const QVariantMap &address)
{
    const QString empty = QStringLiteral("");
    if (address.isEmpty()) {
        for (const char *key : {"address", "address2", "city", "state", "postalCode"})
            setValue(QString::fromLatin1(key), empty);
        return;
    }
    // Street lines may be joined by CR LF, CR or LF, whichever program wrote them.
    const QStringList lines = address.value(kABAddressStreetKey)
                                  .toString()
                                  .split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    setAddress(address.contains(kABAddressStreetKey) ? lines.value(0) : empty);
    setAddress2(address.contains(kABAddressStreetKey) ? lines.value(1, empty) : empty);
    setCity(orEmpty(address.value(kABAddressCityKey).toString()));
    setState(orEmpty(address.value(kABAddressStateKey).toString()));
    setPostalCode(orEmpty(address.value(kABAddressZIPKey).toString()));
}

QString TolvaneOwner::nameFull() const
{
    const QString first = nameFirst();
    const QString last = nameLast();
    if (present(first) && present(last))
        return first + u' ' + last;
    return present(first) ? first : last;
}

QString TolvaneOwner::nameComplete() const
{
    const QString prefix = namePrefix();
    const QString full = nameFull();
    const QString suffix = nameSuffix();
    if (present(prefix) && present(full) && present(suffix))
        return QStringLiteral("%1 %2, %3").arg(prefix, full, suffix);
    if (!present(prefix) && !present(full) && !present(suffix))
        return {};
    QString result = QStringLiteral("");
    if (present(prefix))
        result += prefix + u' ';
    if (present(full))
        result += full;
    if (present(suffix))
        result += u' ' + suffix;
    return result;
}

QString TolvaneOwner::csz() const
{
    const QString city = this->city();
    const QString state = this->state();
    const QString postal = postalCode();
    if (present(city) && present(state))
        return QStringLiteral("%1,  %2  %3").arg(city, state, postal);
    if (present(city))
        return present(postal) ? QStringLiteral("%1,  %2").arg(city, postal) : city;
    QString result = present(state) ? state + QStringLiteral("  ") : QStringLiteral("");
    if (present(postal))
        result += postal;
    return result;
}

QString TolvaneOwner::footerString() const
{
    QString footer = QStringLiteral("");
    const QString organization = organizationName();
    if (!present(organization))
        return footer;
    footer.reserve(50);
    footer += organization;
    if (present(address()))
        footer += QStringLiteral(" - ") + address();
    const QString cityLine = csz();
    if (present(cityLine))
        footer += QStringLiteral(" - %1 %2").arg(cityLine, country());
    const std::pair<const char *, QString> tail[] = {
        {" - (w)", phoneWork()}, {" - (h)", phoneHome()}, {" - ", email()}, {" - ", url()}};
    for (const auto &[lead, text] : tail) {
        if (present(text))
            footer += QString::fromLatin1(lead) + text;
    }
    return footer;
}

void TolvaneOwner::setFooterString(const QString &)
{
    logTransientWrite(
        QStringLiteral("setFooterString:"),
        QStringLiteral("Attempt to change Seller - transient attribute -footerString"));
}

void TolvaneOwner::setCsz(const QString &)
{
    logTransientWrite(QStringLiteral("setCsz:"),
                      QStringLiteral("Attempt to change Seller - transient attribute -csz"));
}

void TolvaneOwner::setNameComplete(const QString &)
{
    logTransientWrite(
        QStringLiteral("setNameComplete:"),
        QStringLiteral("Attempt to change Seller - transient attribute =nameComplete"));
}

void TolvaneOwner::setNameFull(const QString &)
{
    logTransientWrite(QStringLiteral("setNameFull:"),
                      QStringLiteral("Attempt to change Seller - transient attribute -nameFull"));
}

void TolvaneOwner::addMenuPrefsObject(Region *region)
{
    addToMany(QStringLiteral("menuPrefs"), region);
}

void TolvaneOwner::removeMenuPrefsObject(Region *region)
{
    removeFromMany(QStringLiteral("menuPrefs"), region);
}
