#include "platform/keychain/keychainitemref.h"

KeychainItemRef genericItemRef(const QString &serviceName, const QString &account)
{
    return {serviceName, account};
}

KeychainItemRef internetItemRef(const QString &server, const QString &account, const QString &path,
                                int port, std::uint32_t protocol)
{
    const QString service =
        QStringLiteral("internet:%1://%2:%3%4")
            .arg(QString::number(protocol, 16), server, QString::number(port), path);
    return {service, account};
}
