#include "google/entries/improtocols.h"

#include "platform/gdata/gdataconstants.h"

namespace tolvane {

int imCodeForProtocol(const QString &protocol)
{
    static const char *const words[] = {"AIM", "GOOGLE", "ICQ",   "JABBER",
                                        "MSN", "QQ",     "SKYPE", "YAHOO"};
    for (int code = 0; code < int(std::size(words)); ++code) {
        if (protocol.contains(QLatin1String(words[code])))
            return code;
    }
    return kNoIMCode;
}

std::optional<QString> protocolForIMCode(int code)
{
    static const char *const protocols[] = {kGDataIMProtocolAIM,   kGDataIMProtocolGoogleTalk,
                                            kGDataIMProtocolICQ,   kGDataIMProtocolJabber,
                                            kGDataIMProtocolMSN,   kGDataIMProtocolQQ,
                                            kGDataIMProtocolSkype, kGDataIMProtocolYahoo};
    if (code < 0 || code >= int(std::size(protocols)))
        return std::nullopt;
    return QString::fromLatin1(protocols[code]);
}

} // namespace tolvane
