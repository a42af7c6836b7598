#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

#include <sys/types.h>

// One preference domain kept in one file. Reads see what another process wrote as soon as the
// file changed on disk (its folder's change events say so, or where the folder can't be watched,
// the file's stamp); every write takes the domain's lock, merges into the file as it stands
// then and replaces it atomically, so two programs writing different keys lose nothing and a
// crash never leaves half a file.
class PreferenceFile
{
public:
    explicit PreferenceFile(QString path);

    const QString &path() const { return m_path; }

    // Whether the caller has just taken the watch's events, once for the several files of one
    // lookup, or the file must take them itself.
    enum class Events { Unread, Read };

    QVariant value(const QString &key, Events events = Events::Unread);
    bool contains(const QString &key);
    QVariantMap values(Events events = Events::Unread);

    // Returns the keys whose value changed since the last read (another process wrote them).
    QStringList reload(Events events = Events::Unread);

    bool setValue(const QString &key, const QVariant &value);
    bool remove(const QString &key);

    // A count that grows with every write of this process to any preference file.
    static quint64 localWrites();

private:
    struct Stamp
    {
        bool exists = false;
        ino_t inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        bool operator==(const Stamp &) const = default;
    };

    // How long after its last change a file is read again even when its stamp looks the same.
    static constexpr qint64 kRecentNs = 2'000'000'000;
    static bool isRecent(const Stamp &stamp);

    Stamp currentStamp() const;
    // The file's stamp when it may have changed since the last read; nothing when it has not.
    std::optional<Stamp> stampIfChanged(Events events);
    QVariantMap readFile() const;
    bool writeFile(const QVariantMap &values) const;
    bool update(const QString &key, const QVariant *value);

    QString m_path;
    QVariantMap m_values;
    Stamp m_stamp;
    // The watch's change count at the last read; none while the file is not watched.
    std::optional<quint64> m_seenChanges;
};
