#pragma once

#include "foundation/keychain/emkeychainitem.h"

#include <cstdint>
#include <memory>

// An internet password: server, account, path, port and protocol (a four-character code such as
// 'htps').
class EMInternetKeychainItem : public EMKeychainItem
{
    Q_OBJECT
    Q_PROPERTY(QString server READ server NOTIFY serverChanged)
    Q_PROPERTY(QString path READ path NOTIFY pathChanged)
    Q_PROPERTY(int port READ port NOTIFY portChanged)
    Q_PROPERTY(quint32 protocol READ protocol NOTIFY protocolChanged)

public:
    EMInternetKeychainItem(const KeychainItemRef &coreKeychainItem, const QString &server,
                           const QString &username, const QString &password, const QString &path,
                           int port, std::uint32_t protocol, QObject *parent = nullptr);

    static std::unique_ptr<EMInternetKeychainItem>
    internetKeychainItem(const KeychainItemRef &coreKeychainItem, const QString &server,
                         const QString &username, const QString &password, const QString &path,
                         int port, std::uint32_t protocol);

    QString server() const { return m_server; }
    // Null when the item was found without a path.
    QString path() const { return m_path; }
    int port() const { return m_port; }
    std::uint32_t protocol() const { return m_protocol; }

    bool setServer(const QString &server);
    bool setPath(const QString &path);
    bool setPort(int port);
    bool setProtocol(std::uint32_t protocol);

signals:
    void serverChanged();
    void pathChanged();
    void portChanged();
    void protocolChanged();

protected:
    KeychainItemRef itemRefForAttributes() const override;

private:
    QString m_server;
    QString m_path;
    int m_port = 0;
    std::uint32_t m_protocol = 0;
};
