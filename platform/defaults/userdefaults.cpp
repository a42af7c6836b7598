#include "platform/defaults/userdefaults.h"
#include "platform/defaults/preferencereadscope.h"

#include "platform/defaults/preferenceconversion.h"
#include "platform/defaults/preferencefile.h"
#include "platform/defaults/preferencewatch.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSysInfo>

#include <cstdlib>

namespace {

QString s_standardDomain = QStringLiteral("com.zel-tor.tolvane");

QString readHostIdentifier()
{
    QFile machineId(QStringLiteral("/etc/machine-id"));
    if (machineId.open(QIODevice::ReadOnly)) {
        const QByteArray id = machineId.readAll().trimmed();
        if (!id.isEmpty())
            return QString::fromLatin1(id);
    }
    return QSysInfo::machineHostName();
}

// The answers of the read scopes open on this thread, per instance, as of this process's write
// count they were taken at. Each thread keeps its own, so a scope never shares a table with a
// reader on another thread. Made by the thread's first scope and never freed: a static instance
// may be destroyed after the thread's own objects at exit.
struct ScopedReads
{
    int scopes = 0;
    QHash<const UserDefaults *, QHash<QString, QVariant>> answers;
    quint64 writes = 0;
};
thread_local ScopedReads *t_scopedReads = nullptr;

void forgetScopedReads(const UserDefaults *defaults)
{
    if (t_scopedReads)
        t_scopedReads->answers.remove(defaults);
}

// Read once: it is asked for at every preference read.
const QString &hostIdentifier()
{
    static const QString id = readHostIdentifier();
    return id;
}

} // namespace

UserDefaults::UserDefaults(QString domain, QObject *parent)
    : QObject(parent)
    , m_domain(std::move(domain))
{}

UserDefaults::~UserDefaults()
{
    forgetScopedReads(this);
}

UserDefaults &UserDefaults::standard()
{
    static UserDefaults *instance = new UserDefaults(s_standardDomain);
    return *instance;
}

void UserDefaults::setStandardDomain(const QString &domain)
{
    s_standardDomain = domain;
    standard().m_domain = domain;
    standard().m_searchFiles.clear();
    standard().forgetDictionary();
}

QString UserDefaults::preferencesFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Tolvane");
}

QString UserDefaults::domainPath(const QString &domain)
{
    return preferencesFolder() + u'/' + domain + QStringLiteral(".ini");
}

QString UserDefaults::currentHostDomainPath(const QString &domain)
{
    return preferencesFolder() + QStringLiteral("/ByHost/") + domain + u'.' + hostIdentifier() +
           QStringLiteral(".ini");
}

PreferenceFile &UserDefaults::file(const QString &path)
{
    auto it = m_files.find(path);
    if (it == m_files.end())
        it = m_files.emplace(path, std::make_unique<PreferenceFile>(path)).first;
    return *it->second;
}

QStringList UserDefaults::searchPaths() const
{
    QStringList paths{currentHostDomainPath(m_domain), domainPath(m_domain)};
    for (const QString &suite : m_suites)
        paths << currentHostDomainPath(suite) << domainPath(suite);
    return paths;
}

const std::vector<PreferenceFile *> &UserDefaults::searchFiles()
{
    // The folder follows the two variables it is made of, which programs and tests may change
    // at any time; comparing them costs far less than making the folder's path at every read.
    const char *configHome = std::getenv("XDG_CONFIG_HOME");
    const char *home = std::getenv("HOME");
    const auto differs = [](const char *variable, const std::optional<std::string> &seen) {
        return variable ? !seen || *seen != variable : seen.has_value();
    };
    if (m_searchFiles.empty() || differs(configHome, m_searchFilesConfigHome) ||
        differs(home, m_searchFilesHome)) {
        m_searchFiles.clear();
        for (const QString &path : searchPaths())
            m_searchFiles.push_back(&file(path));
        m_searchFilesConfigHome =
            configHome ? std::optional<std::string>(configHome) : std::nullopt;
        m_searchFilesHome = home ? std::optional<std::string>(home) : std::nullopt;
    }
    return m_searchFiles;
}

void UserDefaults::forgetRegistrationAndSuites()
{
    forgetScopedReads(this);
    forgetDictionary();
    m_registration.clear();
    m_suites.clear();
    m_searchFiles.clear();
}

QVariant UserDefaults::objectForKey(const QString &key)
{
    QHash<QString, QVariant> *answers = nullptr;
    if (ScopedReads *reads = t_scopedReads; reads && reads->scopes > 0) {
        if (reads->writes != PreferenceFile::localWrites()) {
            reads->answers.clear();
            reads->writes = PreferenceFile::localWrites();
        }
        answers = &reads->answers[this];
        const auto found = answers->constFind(key);
        if (found != answers->cend())
            return *found;
    }
    const QVariant value = [&] {
        PreferenceWatch::instance().readEvents();
        for (PreferenceFile *domainFile : searchFiles()) {
            // Stored values are never invalid, so an invalid one means "not in this domain".
            QVariant stored = domainFile->value(key, PreferenceFile::Events::Read);
            if (stored.isValid())
                return stored;
        }
        return m_registration.value(key);
    }();
    if (answers)
        answers->insert(key, value);
    return value;
}

PreferenceReadScope::PreferenceReadScope()
{
    if (!t_scopedReads)
        t_scopedReads = new ScopedReads;
    ++t_scopedReads->scopes;
}

PreferenceReadScope::~PreferenceReadScope()
{
    if (--t_scopedReads->scopes == 0)
        t_scopedReads->answers.clear();
}

std::optional<UserDefaults::DictionaryStamp> UserDefaults::dictionaryStamp()
{
    DictionaryStamp stamp;
    stamp.localWrites = PreferenceFile::localWrites();
    for (const PreferenceFile *domainFile : searchFiles()) {
        const std::optional<quint64> changes =
            PreferenceWatch::instance().changeCount(domainFile->path());
        if (!changes)
            return std::nullopt;
        stamp.files.emplace_back(domainFile, *changes);
    }
    return stamp;
}

void UserDefaults::forgetDictionary()
{
    const std::lock_guard lock(m_dictionaryMutex);
    m_dictionaryStamp.reset();
    m_dictionary.clear();
}

QVariantMap UserDefaults::dictionaryRepresentation()
{
    const std::lock_guard lock(m_dictionaryMutex);
    PreferenceWatch::instance().readEvents();
    // Taken before the files are read: a change that comes while they are read makes the next
    // call merge again.
    std::optional<DictionaryStamp> stamp = dictionaryStamp();
    if (stamp && stamp == m_dictionaryStamp)
        return m_dictionary;
    QVariantMap merged = m_registration;
    const std::vector<PreferenceFile *> &files = searchFiles();
    // The last domain searched goes in first, so that each earlier one writes over it.
    for (auto domainFile = files.crbegin(); domainFile != files.crend(); ++domainFile)
        merged.insert((*domainFile)->values(PreferenceFile::Events::Read));
    m_dictionaryStamp = std::move(stamp);
    m_dictionary = m_dictionaryStamp ? merged : QVariantMap();
    return merged;
}

QString UserDefaults::stringForKey(const QString &key)
{
    return preferenceconversion::toString(objectForKey(key));
}

int UserDefaults::integerForKey(const QString &key)
{
    return preferenceconversion::toInt(objectForKey(key));
}

double UserDefaults::doubleForKey(const QString &key)
{
    return preferenceconversion::toDouble(objectForKey(key));
}

bool UserDefaults::boolForKey(const QString &key)
{
    return preferenceconversion::toBool(objectForKey(key));
}

QDateTime UserDefaults::dateForKey(const QString &key)
{
    const QVariant value = objectForKey(key);
    return value.typeId() == QMetaType::QDateTime ? value.toDateTime() : QDateTime();
}

QByteArray UserDefaults::dataForKey(const QString &key)
{
    const QVariant value = objectForKey(key);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

QVariantList UserDefaults::arrayForKey(const QString &key)
{
    const QVariant value = objectForKey(key);
    if (value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList)
        return value.toList();
    return {};
}

QStringList UserDefaults::stringArrayForKey(const QString &key)
{
    const QVariantList list = arrayForKey(key);
    QStringList strings;
    for (const QVariant &item : list) {
        if (item.typeId() != QMetaType::QString)
            return {};
        strings.append(item.toString());
    }
    return strings;
}

QVariantMap UserDefaults::dictionaryForKey(const QString &key)
{
    const QVariant value = objectForKey(key);
    return value.typeId() == QMetaType::QVariantMap ? value.toMap() : QVariantMap();
}

void UserDefaults::setObject(const QVariant &value, const QString &key)
{
    if (!value.isValid()) {
        removeObjectForKey(key);
        return;
    }
    if (file(domainPath(m_domain)).setValue(key, value))
        emit valueChanged(key);
    else
        qWarning("Preferences: could not write %s to %s", qPrintable(key), qPrintable(m_domain));
}

void UserDefaults::removeObjectForKey(const QString &key)
{
    PreferenceFile &own = file(domainPath(m_domain));
    if (!own.contains(key))
        return;
    if (own.remove(key))
        emit valueChanged(key);
    else
        qWarning("Preferences: could not remove %s from %s", qPrintable(key), qPrintable(m_domain));
}

void UserDefaults::registerDefaults(const QVariantMap &values)
{
    forgetScopedReads(this);
    forgetDictionary();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_registration.insert(it.key(), it.value());
}

void UserDefaults::addSuiteNamed(const QString &domain)
{
    if (domain != m_domain && !m_suites.contains(domain))
        m_suites.append(domain);
    m_searchFiles.clear();
    forgetScopedReads(this);
    forgetDictionary();
}

void UserDefaults::removeSuiteNamed(const QString &domain)
{
    m_suites.removeAll(domain);
    m_searchFiles.clear();
    forgetScopedReads(this);
    forgetDictionary();
}

void UserDefaults::synchronize()
{
    forgetScopedReads(this);
    QStringList changed;
    PreferenceWatch::instance().readEvents();
    for (const QString &path : searchPaths())
        changed += file(path).reload(PreferenceFile::Events::Read);
    changed.removeDuplicates();
    for (const QString &key : changed)
        emit valueChanged(key);
}

bool UserDefaults::setValueForCurrentHost(const QString &domain, const QString &key,
                                          const QVariant &value)
{
    PreferenceFile hostFile(currentHostDomainPath(domain));
    return value.isValid() ? hostFile.setValue(key, value) : hostFile.remove(key);
}

QVariant UserDefaults::valueForCurrentHost(const QString &domain, const QString &key)
{
    PreferenceFile hostFile(currentHostDomainPath(domain));
    return hostFile.value(key);
}
