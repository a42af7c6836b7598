#include "foundation/keychain/emgenerickeychainitem.h"

EMGenericKeychainItem::EMGenericKeychainItem(const KeychainItemRef &coreKeychainItem,
                                             const QString &serviceName, const QString &username,
                                             const QString &password, QObject *parent)
    : EMKeychainItem(coreKeychainItem, username, password, parent)
    , m_serviceName(serviceName)
{}

std::unique_ptr<EMGenericKeychainItem>
EMGenericKeychainItem::genericKeychainItem(const KeychainItemRef &coreKeychainItem,
                                           const QString &serviceName, const QString &username,
                                           const QString &password)
{
    return std::make_unique<EMGenericKeychainItem>(coreKeychainItem, serviceName, username,
                                                   password);
}

bool EMGenericKeychainItem::setServiceName(const QString &serviceName)
{
    m_serviceName = serviceName;
    emit serviceNameChanged();
    return writeAttributes();
}

KeychainItemRef EMGenericKeychainItem::itemRefForAttributes() const
{
    return genericItemRef(m_serviceName, username());
}
