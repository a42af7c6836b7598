#include "loader/review/countrycompletion.h"

namespace countrycompletion {

namespace {

// Without marks and case: the letters a reader takes as the same compare equal.
QString plain(const QString &text)
{
    QString decomposed = text.normalized(QString::NormalizationForm_KD);
    decomposed.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return decomposed.toCaseFolded();
}

} // namespace

QStringList completions(const QStringList &names, const QString &typed)
{
    const QString prefix = plain(typed);
    QStringList found;
    for (const QString &name : names) {
        if (plain(name).startsWith(prefix))
            found << name;
    }
    return found;
}

} // namespace countrycompletion
