#include "loader/webview/resourcetally.h"

void ResourceTally::reset()
{
    *this = ResourceTally();
}

QString ResourceTally::key(const QUrl &url)
{
    // A fragment never reaches the network, and the page writes addresses encoded where the
    // request may hold them decoded.
    return url.adjusted(QUrl::RemoveFragment).toString(QUrl::FullyEncoded);
}

void ResourceTally::addRequest(const QUrl &url)
{
    ++m_byAddress[key(url)].sent;
    ++m_requested;
}

bool ResourceTally::markFinished(const QUrl &url)
{
    const auto found = m_byAddress.find(key(url));
    if (found == m_byAddress.end() || !found->open())
        return false;
    ++found->finished;
    ++m_completed;
    return true;
}

bool ResourceTally::markFailed(const QUrl &url)
{
    const auto found = m_byAddress.find(key(url));
    if (found == m_byAddress.end())
        return false;
    if (!found->open()) {
        if (found->finished == 0)
            return false;
        --found->finished;
        --m_completed;
    }
    ++found->failed;
    ++m_failed;
    return true;
}
