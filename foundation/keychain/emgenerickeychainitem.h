#pragma once

#include "foundation/keychain/emkeychainitem.h"

#include <memory>

// A generic password: a service name and an account. The Google account's password is one.
class EMGenericKeychainItem : public EMKeychainItem
{
    Q_OBJECT
    Q_PROPERTY(QString serviceName READ serviceName NOTIFY serviceNameChanged)

public:
    EMGenericKeychainItem(const KeychainItemRef &coreKeychainItem, const QString &serviceName,
                          const QString &username, const QString &password,
                          QObject *parent = nullptr);

    static std::unique_ptr<EMGenericKeychainItem>
    genericKeychainItem(const KeychainItemRef &coreKeychainItem, const QString &serviceName,
                        const QString &username, const QString &password);

    QString serviceName() const { return m_serviceName; }
    bool setServiceName(const QString &serviceName);

signals:
    void serviceNameChanged();

protected:
    KeychainItemRef itemRefForAttributes() const override;

private:
    QString m_serviceName;
};
