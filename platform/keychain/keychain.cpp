#include "platform/keychain/keychain.h"

#include "platform/keychain/secretservice.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

namespace keychain {
namespace {

// A keyring that waits for a prompt nobody answers must not hang the program.
constexpr int kJobTimeoutMs = 30000;

KeychainStatus statusOf(QKeychain::Error error)
{
    switch (error) {
    case QKeychain::NoError:
        return KeychainStatus::Success;
    case QKeychain::EntryNotFound:
        return KeychainStatus::ItemNotFound;
    case QKeychain::AccessDeniedByUser:
    case QKeychain::AccessDenied:
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        return KeychainStatus::Unavailable;
    case QKeychain::CouldNotDeleteEntry:
    case QKeychain::OtherError:
        break;
    }
    return KeychainStatus::Failed;
}

// Runs the job to its end on a local event loop and reads how it ended.
KeychainResult runJob(QKeychain::Job &job, const KeychainItemRef &item)
{
    job.setAutoDelete(false);
    job.setKey(item.account);
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kJobTimeoutMs, &loop, &QEventLoop::quit);
    job.start();
    if (!finished)
        loop.exec();
    if (!finished)
        return {KeychainStatus::Unavailable,
                QStringLiteral("The keychain did not answer in time.")};
    KeychainResult result{statusOf(job.error()), job.error() ? job.errorString() : QString()};
    // A locked keyring answers a search as if nothing were stored: tell the two apart here.
    if (result.status == KeychainStatus::ItemNotFound &&
        (!secretservice::isAvailable() || secretservice::isDefaultCollectionLocked()))
        result = {KeychainStatus::Unavailable, QStringLiteral("The keyring is locked.")};
    return result;
}

} // namespace

PasswordRead readPassword(const KeychainItemRef &item)
{
    QKeychain::ReadPasswordJob job(item.service);
    PasswordRead read;
    read.result = runJob(job, item);
    if (read.result.ok())
        read.password = job.textData();
    return read;
}

KeychainResult writePassword(const KeychainItemRef &item, const QString &password)
{
    QKeychain::WritePasswordJob job(item.service);
    job.setTextData(password);
    return runJob(job, item);
}

KeychainResult addPassword(const KeychainItemRef &item, const QString &password)
{
    const PasswordRead existing = readPassword(item);
    if (existing.result.ok())
        return {KeychainStatus::DuplicateItem, {}};
    if (existing.result.status != KeychainStatus::ItemNotFound)
        return existing.result;
    return writePassword(item, password);
}

KeychainResult deletePassword(const KeychainItemRef &item)
{
    QKeychain::DeletePasswordJob job(item.service);
    return runJob(job, item);
}

KeychainResult movePassword(const KeychainItemRef &from, const KeychainItemRef &to)
{
    if (from == to)
        return {};
    const PasswordRead source = readPassword(from);
    if (!source.result.ok())
        return source.result;
    const KeychainResult added = addPassword(to, source.password);
    if (!added.ok())
        return added;
    const KeychainResult removed = deletePassword(from);
    if (!removed.ok())
        deletePassword(to);
    return removed;
}

} // namespace keychain
