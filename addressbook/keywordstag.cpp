#include "addressbook/keywordstag.h"

#include "foundation/text/zeltorescaping.h"
#include "foundation/text/zeltorstring.h"

#include <QStringList>

namespace AddressBookTool {

namespace {

const QString kTagStart = QStringLiteral("<meta name=\"keywords\"");

} // namespace

QString keywordList(const QString &text)
{
    QStringList keywords = text.split(u',');
    for (QString &keyword : keywords)
        keyword = zeltor::cleanTrailingEdge(zeltor::cleanLeadingEdge(keyword));
    return keywords.join(QStringLiteral(", "));
}

QString keywordsMetaTag(const QString &keywordList)
{
    return kTagStart + QStringLiteral(" content=\"") + zeltor::xmlSafe(keywordList) +
           QStringLiteral("\">");
}

QString noteWithKeywordsTag(const QString &note, const QString &tag)
{
    if (note.isEmpty())
        return tag;
    const qsizetype start = note.indexOf(kTagStart);
    const qsizetype end = start < 0 ? -1 : note.indexOf(u'>', start + kTagStart.size());
    if (end < 0)
        return note + u'\r' + tag;
    return note.left(start) + tag + note.mid(end + 1);
}

} // namespace AddressBookTool
