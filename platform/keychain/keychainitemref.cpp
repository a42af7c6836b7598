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
            .arg(fourCharCodeText(protocol), server, QString::number(port), path);
    return {service, account};
}

QString fourCharCodeText(std::uint32_t code)
{
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text.append(QChar(char16_t((code >> shift) & 0xff)));
    return text;
}
