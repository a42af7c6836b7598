#include "foundation/keychain/eminternetkeychainitem.h"

EMInternetKeychainItem::EMInternetKeychainItem(const KeychainItemRef &coreKeychainItem,
                                               const QString &server, const QString &username,
                                               const QString &password, const QString &path,
                                               int port, std::uint32_t protocol, QObject *parent)
    : EMKeychainItem(coreKeychainItem, username, password, parent)
    , m_server(server)
    , m_path(path)
    , m_port(port)
    , m_protocol(protocol)
{}

std::unique_ptr<EMInternetKeychainItem> EMInternetKeychainItem::internetKeychainItem(
    const KeychainItemRef &coreKeychainItem, const QString &server, const QString &username,
    const QString &password, const QString &path, int port, std::uint32_t protocol)
{
    return std::make_unique<EMInternetKeychainItem>(coreKeychainItem, server, username, password,
                                                    path, port, protocol);
}

bool EMInternetKeychainItem::setServer(const QString &server)
{
    m_server = server;
    emit serverChanged();
    return writeAttributes();
}

bool EMInternetKeychainItem::setPath(const QString &path)
{
    m_path = path;
    emit pathChanged();
    return writeAttributes();
}

bool EMInternetKeychainItem::setPort(int port)
{
    m_port = port;
    emit portChanged();
    return writeAttributes();
}

bool EMInternetKeychainItem::setProtocol(std::uint32_t protocol)
{
    m_protocol = protocol;
    emit protocolChanged();
    return writeAttributes();
}

KeychainItemRef EMInternetKeychainItem::itemRefForAttributes() const
{
    return internetItemRef(m_server, username(), m_path, m_port, m_protocol);
}
