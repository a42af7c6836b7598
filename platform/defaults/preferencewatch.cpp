#include "platform/defaults/preferencewatch.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <pthread.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

PreferenceWatch *s_instance = nullptr;

constexpr quint32 kFolderEvents = IN_CREATE | IN_DELETE | IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE |
                                  IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                  IN_ONLYDIR;
constexpr quint32 kFolderGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

// File systems whose changes made on another machine inotify never hears of.
constexpr quint32 kRemoteFileSystems[] = {
    0x6969,     // NFS
    0x517B,     // SMB
    0xFF534D42, // CIFS
    0xFE534D42, // SMB2
    0x65735546, // FUSE (sshfs and the like)
    0x73757245, // Coda
    0x5346414F, // AFS
    0x00C36400, // Ceph
    0x01021997, // 9P
    0x47504653, // GPFS
    0x0BD00BD0, // Lustre
};

bool isOnRemoteFileSystem(const QByteArray &folder)
{
    struct statfs info
    {
    };
    if (::statfs(folder.constData(), &info) != 0)
        return true;
    for (const quint32 type : kRemoteFileSystems) {
        if (quint32(info.f_type) == type)
            return true;
    }
    return false;
}

bool isFolder(const QByteArray &path)
{
    struct stat info
    {
    };
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QByteArray parentOf(const QByteArray &folder)
{
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash < 0 || folder == "/")
        return {};
    return slash == 0 ? QByteArrayLiteral("/") : folder.left(slash);
}

// The folder itself when it exists, else its nearest ancestor that does; empty when none does.
QByteArray nearestExistingFolder(QByteArray folder)
{
    while (!folder.isEmpty() && !isFolder(folder))
        folder = parentOf(folder);
    return folder;
}

// The name inside watched that leads to the file: the file's own name, or the next folder down.
QByteArray awaitedName(const QByteArray &watched, const QByteArray &folder, const QByteArray &name)
{
    if (watched == folder)
        return name;
    const qsizetype start = watched.endsWith('/') ? watched.size() : watched.size() + 1;
    const qsizetype end = folder.indexOf('/', start);
    return folder.mid(start, end < 0 ? -1 : end - start);
}

} // namespace

PreferenceWatch &PreferenceWatch::instance()
{
    // Never destroyed: preferences are read until the very end of the program.
    static PreferenceWatch *watch = new PreferenceWatch;
    return *watch;
}

PreferenceWatch::PreferenceWatch()
    : m_queue(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    s_instance = this;
    // A child shares the parent's queue: its reads would take the parent's events away.
    ::pthread_atfork(&PreferenceWatch::prepareFork, &PreferenceWatch::afterForkInParent,
                     &PreferenceWatch::afterForkInChild);
}

void PreferenceWatch::prepareFork()
{
    s_instance->m_mutex.lock();
}

void PreferenceWatch::afterForkInParent()
{
    s_instance->m_mutex.unlock();
}

void PreferenceWatch::afterForkInChild()
{
    s_instance->m_forked = true;
    s_instance->m_mutex.unlock();
}

void PreferenceWatch::startAfterFork()
{
    m_forked = false;
    if (m_queue >= 0)
        ::close(m_queue);
    m_queue = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    m_pathsByWatch.clear();
    for (Entry &entry : m_entries)
        entry.watch = -1;
}

void PreferenceWatch::readEvents()
{
    const std::lock_guard lock(m_mutex);
    if (m_forked)
        startAfterFork();
    if (m_queue >= 0)
        readQueue();
}

std::optional<quint64> PreferenceWatch::changeCount(const QString &path)
{
    const std::lock_guard lock(m_mutex);
    if (m_forked)
        startAfterFork();
    if (m_queue < 0)
        return std::nullopt;
    auto it = m_entries.find(path);
    if (it == m_entries.end()) {
        const QFileInfo info(path);
        Entry entry;
        entry.folder = QFile::encodeName(info.absolutePath());
        entry.name = QFile::encodeName(info.fileName());
        it = m_entries.insert(path, entry);
    }
    Entry &entry = *it;
    if (!entry.watchable)
        return std::nullopt;
    if (entry.watch < 0) {
        arm(path, entry);
        // Whatever happened before the watch began is unknown: the file must be read.
        ++entry.changes;
        if (!entry.watchable)
            return std::nullopt;
    }
    return entry.changes;
}

void PreferenceWatch::arm(const QString &path, Entry &entry)
{
    QByteArray target = nearestExistingFolder(entry.folder);
    for (;;) {
        if (target.isEmpty() || isOnRemoteFileSystem(target)) {
            entry.watchable = false;
            return;
        }
        const int watch = ::inotify_add_watch(m_queue, target.constData(), kFolderEvents);
        if (watch < 0) {
            entry.watchable = false;
            return;
        }
        entry.watch = watch;
        entry.watchesOwnFolder = target == entry.folder;
        entry.awaited = awaitedName(target, entry.folder, entry.name);
        m_pathsByWatch.insert(watch, path);
        // A folder on the way may have appeared before the watch began.
        const QByteArray now = nearestExistingFolder(entry.folder);
        if (now == target)
            return;
        m_pathsByWatch.remove(watch, path);
        target = now;
    }
}

void PreferenceWatch::readQueue()
{
    alignas(struct inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t length = ::read(m_queue, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0)
            return;
        for (const char *at = buffer; at < buffer + length;) {
            const auto *event = reinterpret_cast<const struct inotify_event *>(at);
            handleEvent(event->wd, event->mask,
                        event->len ? QByteArray(event->name) : QByteArray());
            at += sizeof(struct inotify_event) + event->len;
        }
    }
}

void PreferenceWatch::handleEvent(int watch, quint32 mask, const QByteArray &name)
{
    if (mask & IN_Q_OVERFLOW) {
        // Events were lost: every file may have changed and every folder may be gone.
        m_pathsByWatch.clear();
        for (Entry &entry : m_entries) {
            entry.watch = -1;
            ++entry.changes;
        }
        return;
    }
    if (mask & kFolderGone) {
        forgetWatch(watch);
        return;
    }
    const QList<QString> paths = m_pathsByWatch.values(watch);
    for (const QString &path : paths) {
        Entry &entry = m_entries[path];
        if (name != entry.awaited)
            continue;
        ++entry.changes;
        // A folder on the way appeared (or went): watch from where the file now is.
        if (!entry.watchesOwnFolder) {
            entry.watch = -1;
            m_pathsByWatch.remove(watch, path);
        }
    }
}

void PreferenceWatch::forgetWatch(int watch)
{
    const QList<QString> paths = m_pathsByWatch.values(watch);
    for (const QString &path : paths) {
        Entry &entry = m_entries[path];
        entry.watch = -1;
        ++entry.changes;
    }
    m_pathsByWatch.remove(watch);
}
