#include "foundation/vozuveva/vozuvevapicklists.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QFontDatabase>
#include <QTimeZone>

namespace VozuVeva {
namespace {

QVariantMap row(const QString &name)
{
    return {{QStringLiteral("name"), name}};
}

} // namespace

QList<QVariantMap> timeZoneNames()
{
    QList<QVariantMap> rows;
    for (const QByteArray &id : QTimeZone::availableTimeZoneIds()) {
        const QTimeZone zone(id);
        if (zone.isValid())
            rows.append(row(QString::fromUtf8(zone.id())));
    }
    return rows;
}

QList<QVariantMap> alertSounds(const QString &soundsFolder)
{
    QList<QVariantMap> rows;
    QDirIterator it(soundsFolder, QDir::AllEntries | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        rows.append(row(it.fileInfo().completeBaseName()));
    }
    return rows;
}

QList<QVariantMap> fontFamilies()
{
    QList<QVariantMap> rows;
    for (const QString &family : QFontDatabase::families())
        rows.append(row(family));
    return rows;
}

} // namespace VozuVeva
