#include "app/startup/initialdefaults.h"

#include "addressbook/addressbookkeys.h"
#include "app/appkeys.h"
#include "app/startup/factorydefaults.h"
#include "foundation/parsers/parserkeys.h"
#include "foundation/transientkeys.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlekeys.h"
#include "google/engine/listkeys.h"
#include "platform/defaults/userdefaults.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// The headers that define preference keys, each key once.
const char *const kKeyHeaders[] = {
    "google/engine/googlekeys.h",
    "google/engine/listkeys.h",
    "google/upload/uploadkeys.h",
    "google/upload/googleelementkeys.h",
    "google/download/downloadkeys.h",
    "google/batch/batchkeys.h",
    "addressbook/addressbookkeys.h",
    "foundation/parsers/parserkeys.h",
    "app/appkeys.h",
};

// Given by the build: the compiler may spell this file's own path relative to wherever it ran.
QString sourceRoot()
{
    return QString::fromUtf8(TOLVANE_SOURCE_ROOT);
}

// Every key a header defines, read from its text, so that a key added later is seen too.
QSet<QString> keysOfHeaders()
{
    static const QRegularExpression definition(QStringLiteral(
        "inline\\s+const\\s+QString\\s+\\w+\\s*=\\s*QStringLiteral\\(\"([^\"]+)\"\\)"));
    QSet<QString> keys;
    for (const char *header : kKeyHeaders) {
        QFile file(QDir(sourceRoot()).filePath(QString::fromLatin1(header)));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << header;
        const QString text = QString::fromUtf8(file.readAll());
        auto match = definition.globalMatch(text);
        EXPECT_TRUE(match.hasNext()) << header;
        while (match.hasNext())
            keys.insert(match.next().captured(1));
    }
    return keys;
}

// Preferences whose absence means something, and names that are no preference at all.
QSet<QString> keysWithoutFactoryValue()
{
    QSet<QString> keys;
    for (const QString &key : factorydefaults::runTimeValues(nullptr).keys())
        keys.insert(key);
    for (const QString &key : transientkeys::kAll)
        keys.insert(key);
    // No date means that no quit has left a snapshot yet: a factory date would be a difference.
    for (const QString &key :
         {abkeys::lastABGroupInsert, abkeys::lastABPersonInsert, abkeys::lastABGroupUpdate,
          abkeys::lastABPersonUpdate, googlekeys::lastGoogleGroupInsert,
          googlekeys::lastGoogleContactInsert, googlekeys::lastGoogleGroupUpdate,
          googlekeys::lastGoogleContactUpdate})
        keys.insert(key);
    // Chosen from the locale at start; none when the locale names no country of the store.
    keys.insert(appkeys::defaultRegion);
    keys.insert(appkeys::defaultGeoRegion);
    // The key of the record identifier inside the extended property.
    keys.insert(abkeys::extendedRecordIDKey);
    return keys;
}

TEST(InitialDefaultsTest, EveryPreferenceOfTheKeyHeadersHasAFactoryValue)
{
    const QVariantMap values = initialdefaults::values();
    ASSERT_FALSE(values.isEmpty());
    const QSet<QString> headerKeys = keysOfHeaders();
    // The headers' own constants are among what was read from their texts.
    for (const QString &key : {googlekeys::keychainItemName, abkeys::googleGroupIDPropertyName,
                               zeltor::kMinPhoneNumberLengthKey, appkeys::googleContactsPage,
                               listkeys::systemGroupRecentCount})
        EXPECT_TRUE(headerKeys.contains(key)) << key.toStdString();

    const QSet<QString> exceptions = keysWithoutFactoryValue();
    QStringList missing;
    for (const QString &key : headerKeys)
        if (!values.contains(key) && !exceptions.contains(key))
            missing << key;
    missing.sort();
    EXPECT_EQ(missing, QStringList()) << missing.join(", ").toStdString();

    // Nor does the fixed layer hide what must stay unset, or what the run-time layer decides.
    QStringList registered;
    for (const QString &key : exceptions)
        if (values.contains(key))
            registered << key;
    registered.sort();
    EXPECT_EQ(registered, QStringList()) << registered.join(", ").toStdString();
}

struct TypedValue
{
    const QString &key;
    QMetaType::Type type;
};

TEST(InitialDefaultsTest, ValuesHaveTheTypesTheirReadersExpect)
{
    const QVariantMap values = initialdefaults::values();
    const TypedValue cases[] = {
        {googlekeys::keychainItemName, QMetaType::QString},
        {googlekeys::gMailSuffix, QMetaType::QString},
        {googlekeys::kGoogleSource, QMetaType::QString},
        {googlekeys::imageTime, QMetaType::LongLong},
        {googlekeys::gmUpdateName, QMetaType::Bool},
        {googlekeys::abUpdateIMUseHome, QMetaType::LongLong},
        {abkeys::abLabel, QMetaType::LongLong},
        {abkeys::gmUpdateNameFormat, QMetaType::LongLong},
        {abkeys::abUpdateNeverRemovePeople, QMetaType::Bool},
        {zeltor::kMinPhoneNumberLengthKey, QMetaType::LongLong},
        {zeltor::kNameParserPesumeDoubleFirstKey, QMetaType::Bool},
        {listkeys::systemGroupRecentCount, QMetaType::LongLong},
        {appkeys::runAsStatusItem, QMetaType::Bool},
        {appkeys::useEurope, QMetaType::Bool},
    };
    for (const TypedValue &c : cases)
        EXPECT_EQ(values.value(c.key).typeId(), c.type) << c.key.toStdString();

    EXPECT_TRUE(values.value(googlekeys::gMailSuffix).toString().startsWith(u'@'));
    EXPECT_FALSE(values.value(googlekeys::keychainItemName).toString().isEmpty());
    // Empty: the engine talks to Google's own service.
    EXPECT_EQ(values.value(googlekeys::googleServiceBaseURL), QVariant(QString()));
    // Empty: the base URL chooses the protocol; the client is the user's own unless one is built in.
    EXPECT_EQ(values.value(googlekeys::googleServiceProtocol), QVariant(QString()));
    EXPECT_EQ(values.value(googlekeys::googleOAuthClientID).typeId(), QMetaType::QString);
    const QUrl page(values.value(appkeys::googleContactsPage).toString());
    EXPECT_TRUE(page.isValid() && page.scheme() == QLatin1String("https"))
        << page.toString().toStdString();
    EXPECT_GE(values.value(zeltor::kMinPhoneNumberLengthKey).toLongLong(), 1);
}

TEST(InitialDefaultsTest, NamesThatMustDifferDoDiffer)
{
    const QVariantMap values = initialdefaults::values();
    // Records are found again by their link properties, entries by their extended properties and
    // the browser's pseudo groups by their identifiers: two alike would mix them up.
    const QList<QList<QString>> families = {
        {abkeys::googleContactIDPropertyName, abkeys::googleContactVersionPropertyName,
         abkeys::googleContactAsOfDatePropertyName, abkeys::googleContactDataMaskPropertyName,
         abkeys::googleGroupIDPropertyName, abkeys::googleGroupVersionPropertyName,
         abkeys::googleGroupAsOfDatePropertyName, abkeys::googleGroupDataMaskPropertyName},
        {abkeys::googleContactExtendedPropertyName, abkeys::googleGroupExtendedPropertyName},
        {listkeys::systemGroupRecent, listkeys::systemGroupNoGroup, listkeys::systemGroupEmailOnly,
         listkeys::systemGroupCompany, listkeys::systemGroupMale, listkeys::systemGroupFemale,
         listkeys::systemGroupNoGender},
    };
    for (const QList<QString> &family : families) {
        QSet<QString> names;
        for (const QString &key : family) {
            const QString name = values.value(key).toString();
            EXPECT_FALSE(name.isEmpty()) << key.toStdString();
            // A Google group identifier is the address of its entry.
            EXPECT_FALSE(name.startsWith(QLatin1String("http"))) << key.toStdString();
            names.insert(name);
        }
        EXPECT_EQ(names.size(), family.size()) << family.front().toStdString();
    }
}

TEST(InitialDefaultsTest, FactoryRegistration_AnswersWithTheResourcesValues)
{
    UserDefaults &defaults = UserDefaults::standard();
    factorydefaults::registerFactoryDefaults();
    const QString service =
        initialdefaults::values().value(googlekeys::keychainItemName).toString();
    EXPECT_EQ(defaults.stringForKey(googlekeys::keychainItemName), service);
    EXPECT_EQ(defaults.integerForKey(zeltor::kMinPhoneNumberLengthKey),
              initialdefaults::values().value(zeltor::kMinPhoneNumberLengthKey).toLongLong());
}

} // namespace
