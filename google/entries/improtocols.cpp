#include "google/entries/improtocols.h"

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

} // namespace tolvane
