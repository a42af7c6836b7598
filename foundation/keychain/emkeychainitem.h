#pragma once

#include "platform/keychain/keychainitemref.h"

#include <QObject>
#include <QString>

// One password of the user's keyring as the program holds it. The getters read the values held
// here; the setters change the value here first and then write it through to the keyring, so when
// the keyring refuses a write the object keeps the new value and the setter answers false. Making
// an item object never writes to the keyring.
class EMKeychainItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString password READ password NOTIFY passwordChanged)
    Q_PROPERTY(QString username READ username NOTIFY usernameChanged)

public:
    EMKeychainItem(const KeychainItemRef &coreKeychainItem, const QString &username,
                   const QString &password, QObject *parent = nullptr);

    QString password() const { return m_password; }
    QString username() const { return m_username; }

    // A null password is refused and changes nothing.
    bool setPassword(const QString &password);
    bool setUsername(const QString &username);

    // Where the password is kept in the keyring now.
    const KeychainItemRef &coreKeychainItem() const { return m_coreKeychainItem; }

signals:
    void passwordChanged();
    void usernameChanged();

protected:
    // Where the item belongs after one of its attributes changed.
    virtual KeychainItemRef itemRefForAttributes() const = 0;
    // Moves the stored password to where the item's attributes now say it belongs.
    bool writeAttributes();

private:
    QString m_password;
    QString m_username;
    KeychainItemRef m_coreKeychainItem;
};
