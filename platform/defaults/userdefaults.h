#pragma once

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class PreferenceFile;

// A program's preferences: its own domain (a file per domain under $XDG_CONFIG_HOME/Tolvane),
// the suites it reads behind it, and the factory values registered at start. A key is looked up
// in the own domain for this host, then for any host, then in each suite the same way, then in
// the registration domain. Writes go to the own domain and are on disk at once; a value that
// another process wrote is seen at the next read.
class UserDefaults : public QObject
{
    Q_OBJECT

public:
    explicit UserDefaults(QString domain, QObject *parent = nullptr);
    ~UserDefaults() override;

    // The program's shared instance; its domain is set once at start.
    static UserDefaults &standard();
    static void setStandardDomain(const QString &domain);

    const QString &domain() const { return m_domain; }

    QVariant objectForKey(const QString &key);
    // Every key with the value objectForKey gives it, each domain file looked at once: for a
    // caller that reads many keys at a time. While no domain file may have changed, the merge
    // of the last call is given again.
    QVariantMap dictionaryRepresentation();
    QString stringForKey(const QString &key);
    int integerForKey(const QString &key);
    double doubleForKey(const QString &key);
    bool boolForKey(const QString &key);
    QDateTime dateForKey(const QString &key);
    QByteArray dataForKey(const QString &key);
    QVariantList arrayForKey(const QString &key);
    QStringList stringArrayForKey(const QString &key);
    QVariantMap dictionaryForKey(const QString &key);

    void setObject(const QVariant &value, const QString &key);
    void setString(const QString &value, const QString &key) { setObject(value, key); }
    void setInteger(int value, const QString &key) { setObject(value, key); }
    void setDouble(double value, const QString &key) { setObject(value, key); }
    void setBool(bool value, const QString &key) { setObject(value, key); }
    void removeObjectForKey(const QString &key);

    void registerDefaults(const QVariantMap &values);
    const QVariantMap &registeredDefaults() const { return m_registration; }

    void addSuiteNamed(const QString &domain);
    void removeSuiteNamed(const QString &domain);
    QStringList suites() const { return m_suites; }
    // Forgets the registered defaults and the suites, which live only in this process: a test
    // program that starts many programs in one process begins each as a new process would.
    void forgetRegistrationAndSuites();

    // Re-reads every domain file and announces the keys that another process changed.
    void synchronize();

    // One key of any domain for this user and this host, on disk at once.
    static bool setValueForCurrentHost(const QString &domain, const QString &key,
                                       const QVariant &value);
    static QVariant valueForCurrentHost(const QString &domain, const QString &key);

    static QString preferencesFolder();
    static QString domainPath(const QString &domain);
    static QString currentHostDomainPath(const QString &domain);

signals:
    void valueChanged(const QString &key);

private:
    PreferenceFile &file(const QString &path);
    QStringList searchPaths() const;
    const std::vector<PreferenceFile *> &searchFiles();

    QString m_domain;
    QStringList m_suites;
    QVariantMap m_registration;
    std::map<QString, std::unique_ptr<PreferenceFile>> m_files;
    // The files of searchPaths(), kept while the domains and the preference folder stay the same:
    // building the paths anew cost more than the lookup itself on hot reads such as the log level.
    std::vector<PreferenceFile *> m_searchFiles;
    // XDG_CONFIG_HOME and HOME as they were when m_searchFiles was made.
    std::optional<std::string> m_searchFilesConfigHome;
    std::optional<std::string> m_searchFilesHome;

    // What the merged dictionary was made from: the files searched with the watch's change count
    // of each, and this process's write count. Nothing when a file cannot be watched.
    struct DictionaryStamp
    {
        quint64 localWrites = 0;
        std::vector<std::pair<const PreferenceFile *, quint64>> files;
        bool operator==(const DictionaryStamp &) const = default;
    };
    std::optional<DictionaryStamp> dictionaryStamp();
    void forgetDictionary();

    // The last merge of dictionaryRepresentation and its stamp: an export of thousands of cards
    // asks for the dictionary once per card.
    std::mutex m_dictionaryMutex;
    std::optional<DictionaryStamp> m_dictionaryStamp;
    QVariantMap m_dictionary;
};
