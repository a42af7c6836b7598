#include "platform/keychain/keychainresult.h"

QString keychainStatusText(const KeychainResult &result)
{
    switch (result.status) {
    case KeychainStatus::Success:
        return QStringLiteral("No error.");
    case KeychainStatus::ItemNotFound:
        return QStringLiteral("The specified item could not be found in the keychain.");
    case KeychainStatus::DuplicateItem:
        return QStringLiteral("The specified item already exists in the keychain.");
    case KeychainStatus::Unavailable:
        return result.message.isEmpty()
                   ? QStringLiteral("The keychain is not available.")
                   : QStringLiteral("The keychain is not available: ") + result.message;
    case KeychainStatus::Failed:
        break;
    }
    return result.message.isEmpty() ? QStringLiteral("The keychain call failed.") : result.message;
}
