#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// The links of a free text, as a notes field shows them: web addresses and e-mail addresses,
// each a word of the text less the punctuation around it.
namespace zeltor {

struct TextLink
{
    qsizetype start = 0; // in UTF-16 code units, as the text's own indexes
    qsizetype length = 0;
    QUrl url; // "http://" put in front of a bare "www." address; "mailto:" for mail

    friend bool operator==(const TextLink &, const TextLink &) = default;
};

// In the order of the text; a text without links gives none.
QList<TextLink> scanLinks(const QString &text);

} // namespace zeltor
