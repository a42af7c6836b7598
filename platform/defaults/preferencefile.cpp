#include "platform/defaults/preferencefile.h"

#include "platform/defaults/preferencevalue.h"
#include "platform/defaults/preferencewatch.h"
#include "platform/defaults/privatepaths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QUrl>

#include <atomic>

#include <sys/stat.h>

namespace {

const QByteArray kSection = "[Preferences]";

QByteArray encodeKey(const QString &key)
{
    return QUrl::toPercentEncoding(key, " @");
}

QString decodeKey(const QByteArray &key)
{
    return QUrl::fromPercentEncoding(key);
}

} // namespace

PreferenceFile::PreferenceFile(QString path)
    : m_path(std::move(path))
{}

PreferenceFile::Stamp PreferenceFile::currentStamp() const
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0)
        return {};
    return {true, info.st_ino, qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

QVariantMap PreferenceFile::readFile() const
{
    QVariantMap values;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('[') || line.startsWith(';'))
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QVariant value = preferencevalue::decode(QString::fromUtf8(line.mid(equals + 1)));
        if (value.isValid())
            values.insert(decodeKey(line.left(equals)), value);
    }
    return values;
}

bool PreferenceFile::writeFile(const QVariantMap &values) const
{
    // The file is made private before its first write; QSaveFile keeps the mode it finds.
    if (!privatepaths::createFile(m_path))
        return false;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(kSection + '\n');
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        file.write(encodeKey(it.key()) + '=' + preferencevalue::encode(it.value()).toUtf8() + '\n');
    return file.commit();
}

bool PreferenceFile::isRecent(const Stamp &stamp)
{
    const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1000000;
    return stamp.exists && nowNs - stamp.modifiedNs < kRecentNs;
}

std::optional<PreferenceFile::Stamp> PreferenceFile::stampIfChanged(Events events)
{
    if (events == Events::Unread)
        PreferenceWatch::instance().readEvents();
    // A watched file changed exactly when its folder said so: the file itself needn't be looked at.
    const std::optional<quint64> changes = PreferenceWatch::instance().changeCount(m_path);
    if (changes) {
        const bool changed = changes != m_seenChanges;
        m_seenChanges = changes;
        return changed ? std::optional(currentStamp()) : std::nullopt;
    }
    m_seenChanges.reset();
    // File times tick in steps of a few milliseconds and a replaced file may get the inode of an
    // earlier one, so a file written very recently can look unchanged when it is not: read it.
    const Stamp stamp = currentStamp();
    return stamp != m_stamp || isRecent(stamp) ? std::optional(stamp) : std::nullopt;
}

QStringList PreferenceFile::reload(Events events)
{
    const std::optional<Stamp> changedStamp = stampIfChanged(events);
    if (!changedStamp)
        return {};
    const Stamp stamp = *changedStamp;
    const QVariantMap fresh = stamp.exists ? readFile() : QVariantMap{};
    m_stamp = stamp;
    QStringList changed;
    for (auto it = fresh.cbegin(); it != fresh.cend(); ++it) {
        if (m_values.value(it.key()) != it.value())
            changed.append(it.key());
    }
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        if (!fresh.contains(it.key()))
            changed.append(it.key());
    }
    m_values = fresh;
    return changed;
}

QVariant PreferenceFile::value(const QString &key, Events events)
{
    reload(events);
    return m_values.value(key);
}

bool PreferenceFile::contains(const QString &key)
{
    reload();
    return m_values.contains(key);
}

QVariantMap PreferenceFile::values(Events events)
{
    reload(events);
    return m_values;
}

namespace {

std::atomic<quint64> s_localWrites{0};

} // namespace

quint64 PreferenceFile::localWrites()
{
    return s_localWrites.load();
}

bool PreferenceFile::update(const QString &key, const QVariant *value)
{
    ++s_localWrites;
    privatepaths::makePath(QFileInfo(m_path).absolutePath());
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(5000))
        return false;
    QVariantMap merged = readFile();
    if (value)
        merged.insert(key, *value);
    else if (!merged.remove(key))
        return true;
    if (!writeFile(merged))
        return false;
    m_values = merged;
    m_stamp = currentStamp();
    return true;
}

bool PreferenceFile::setValue(const QString &key, const QVariant &value)
{
    return update(key, &value);
}

bool PreferenceFile::remove(const QString &key)
{
    return update(key, nullptr);
}
