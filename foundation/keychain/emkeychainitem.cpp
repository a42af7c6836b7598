#include "foundation/keychain/emkeychainitem.h"

#include "platform/keychain/keychain.h"

EMKeychainItem::EMKeychainItem(const KeychainItemRef &coreKeychainItem, const QString &username,
                               const QString &password, QObject *parent)
    : QObject(parent)
    , m_password(password)
    , m_username(username)
    , m_coreKeychainItem(coreKeychainItem)
{}

bool EMKeychainItem::setPassword(const QString &password)
{
    if (password.isNull())
        return false;
    m_password = password;
    emit passwordChanged();
    return keychain::writePassword(m_coreKeychainItem, password).ok();
}

bool EMKeychainItem::setUsername(const QString &username)
{
    m_username = username;
    emit usernameChanged();
    return writeAttributes();
}

bool EMKeychainItem::writeAttributes()
{
    const KeychainItemRef target = itemRefForAttributes();
    if (!keychain::movePassword(m_coreKeychainItem, target).ok())
        return false;
    m_coreKeychainItem = target;
    return true;
}
