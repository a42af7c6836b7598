#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

// Ready-made pick lists for pop-up menus: each row is {"name": text}.
namespace VozuVeva {

// Every known time-zone name that yields a time zone, in the platform's order.
QList<QVariantMap> timeZoneNames();
// Every entry under the system's sounds folder (subfolders included), its file name without the
// extension, in the order the folder is walked.
QList<QVariantMap> alertSounds(const QString &soundsFolder = QStringLiteral("/usr/share/sounds"));
// Every font family the font database offers, in its order.
QList<QVariantMap> fontFamilies();

} // namespace VozuVeva
