#pragma once

#include <QString>

// Web addresses inside a line of free text.
namespace zeltor {

// True when the text holds "://" or "www." (exact case) anywhere.
bool containsURL(const QString &text);

struct UrlFind
{
    QString url;  // the whole word that holds the address
    QString pre;  // the words before it
    QString post; // the words after it
};

// Empty url, pre and post when the text holds no web address.
UrlFind extractURL(const QString &text);

} // namespace zeltor
