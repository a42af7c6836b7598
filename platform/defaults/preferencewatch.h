#pragma once

#include <QByteArray>
#include <QHash>
#include <QMultiHash>
#include <QString>

#include <mutex>
#include <optional>

// Tells whether a preference file may have changed, without looking at the file. Programs read
// their preferences many times a second (the text parsers at every call), and a look at the file's
// stamp each time costs more than the reading they serve. The folders holding the files are
// watched with inotify, one queue for the whole process; each read takes whatever events are
// queued, and a writer's rename or in-place change is queued before its write returns, so a value
// another process wrote is still seen at the next read. Where a file cannot be watched (a network
// file system, no inotify, the watch limit reached) the caller looks at the file's stamp instead.
class PreferenceWatch
{
public:
    static PreferenceWatch &instance();

    // Takes the events queued so far. One look serves every file read in one lookup.
    void readEvents();
    // A count that grows whenever the file at path may have changed, as of the last readEvents;
    // the file must be read again when it differs from the one last seen. Nothing when the file
    // cannot be watched.
    std::optional<quint64> changeCount(const QString &path);

private:
    struct Entry
    {
        QByteArray folder;
        QByteArray name;
        // The folder watched: the file's own, or while that one is missing, its nearest ancestor,
        // where the missing folder will appear.
        int watch = -1;
        bool watchesOwnFolder = false;
        // The name in the watched folder whose events concern the file: its own name, or the
        // next missing folder on its way.
        QByteArray awaited;
        bool watchable = true;
        quint64 changes = 0;
    };

    PreferenceWatch();
    static void prepareFork();
    static void afterForkInParent();
    static void afterForkInChild();

    void startAfterFork();
    void readQueue();
    void handleEvent(int watch, quint32 mask, const QByteArray &name);
    void forgetWatch(int watch);
    void arm(const QString &path, Entry &entry);

    std::mutex m_mutex;
    int m_queue = -1;
    bool m_forked = false;
    QHash<QString, Entry> m_entries;
    QMultiHash<int, QString> m_pathsByWatch;
};
