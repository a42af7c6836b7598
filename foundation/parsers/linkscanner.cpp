#include "foundation/parsers/linkscanner.h"

#include "foundation/parsers/emailparser.h"
#include "foundation/parsers/urlparser.h"

namespace zeltor {

namespace {

const QString kOpening = QStringLiteral("<([{\"'");
const QString kClosing = QStringLiteral(">)]}\"'.,;:!?");
const QString kMailto = QStringLiteral("mailto:");

// The target of one word, less its surrounding punctuation; invalid when it is no link.
QUrl targetOf(const QString &word)
{
    if (containsURL(word)) {
        const QUrl url =
            QUrl(word.contains(QStringLiteral("://")) ? word : QStringLiteral("http://") + word,
                 QUrl::StrictMode);
        return url.isValid() && !url.host().isEmpty() ? url : QUrl();
    }
    const QString address =
        word.startsWith(kMailto, Qt::CaseInsensitive) ? word.mid(kMailto.size()) : word;
    if (isEmailAddress(address))
        return QUrl(kMailto + address);
    return {};
}

} // namespace

QList<TextLink> scanLinks(const QString &text)
{
    QList<TextLink> links;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && text.at(i).isSpace())
            ++i;
        qsizetype start = i;
        while (i < text.size() && !text.at(i).isSpace())
            ++i;
        qsizetype end = i;
        while (start < end && kOpening.contains(text.at(start)))
            ++start;
        while (end > start && kClosing.contains(text.at(end - 1)))
            --end;
        if (start == end)
            continue;
        const QUrl url = targetOf(text.mid(start, end - start));
        if (url.isValid())
            links.append({start, end - start, url});
    }
    return links;
}

} // namespace zeltor
