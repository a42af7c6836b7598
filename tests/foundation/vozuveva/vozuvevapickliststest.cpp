#include "foundation/vozuveva/vozuvevapicklists.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList names(const QList<QVariantMap> &rows)
{
    QStringList list;
    for (const QVariantMap &row : rows)
        list.append(row.value(QStringLiteral("name")).toString());
    return list;
}

TEST(VozuVevaPickLists, TimeZones_AreRowsOfValidZoneNames)
{
    const QStringList zones = names(VozuVeva::timeZoneNames());
    EXPECT_TRUE(zones.contains(QStringLiteral("Europe/Berlin")));
    EXPECT_TRUE(zones.contains(QStringLiteral("America/New_York")));
}

TEST(VozuVevaPickLists, AlertSounds_NameEveryEntryWithoutItsExtension)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Alarms")));
    for (const char *file : {"Glass.aiff", "Alarms/Bell.ogg"}) {
        QFile sound(folder.filePath(QString::fromLatin1(file)));
        ASSERT_TRUE(sound.open(QIODevice::WriteOnly));
    }
    QStringList sounds = names(VozuVeva::alertSounds(folder.path()));
    sounds.sort();
    EXPECT_EQ(sounds, (QStringList{"Alarms", "Bell", "Glass"}));
    EXPECT_TRUE(VozuVeva::alertSounds(folder.filePath(QStringLiteral("none"))).isEmpty());
}

} // namespace
