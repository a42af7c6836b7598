#include "app/cardzap/pastedlines.h"

#include "foundation/text/zeltorstring.h"

namespace ZeltorCardzap {

PastedLines splitPastedText(const QString &text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (!normalised.contains(u'\n'))
        return {zeltor::clean(normalised), {}};
    QStringList lines = zeltor::clean(normalised).split(u'\n');
    PastedLines pasted{zeltor::clean(lines.takeFirst()), {}};
    for (const QString &line : std::as_const(lines))
        pasted.others.append(zeltor::clean(line));
    return pasted;
}

} // namespace ZeltorCardzap
