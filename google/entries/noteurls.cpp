#include "google/entries/noteurls.h"

#include "foundation/log.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace tolvane {
namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
const QString kOperation = QStringLiteral("googlizeURLsFor:using:");

struct URLLine
{
    QString label;
    QString url;
};

// A label, "::" and an address with a scheme, nothing else on the line.
std::optional<URLLine> urlLine(const QString &line)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([^:]+?)\\s*::\\s*([A-Za-z][A-Za-z0-9+.-]*://\\S+)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    return URLLine{match.captured(1), match.captured(2)};
}

// The upload writes the standard labels as the user reads them; they come back as the labels.
QString labelFromText(const QString &text)
{
    for (const QString *label : {&kABHomePageLabel, &kABHomeLabel, &kABWorkLabel, &kABOtherLabel}) {
        if (localizedPropertyOrLabel(*label) == text)
            return *label;
    }
    return text;
}

bool holdsValue(const MultiValue &values, const QString &url)
{
    for (const MultiValueEntry &entry : values.entries()) {
        if (entry.value.toString() == url)
            return true;
    }
    return false;
}

} // namespace

QString googlizeURLsFor(const PersonPtr &person, const QString &note)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = note.split(lineEnd);
    QStringList kept;
    MutableMultiValue urls = person->multiValueForProperty(kABURLsProperty).mutableCopy();
    bool moved = false;
    for (const QString &line : lines) {
        const std::optional<URLLine> found = urlLine(line);
        if (!found) {
            kept.append(line);
            continue;
        }
        moved = true;
        tlog::labelled(kClass, kOperation, QStringLiteral("lineChunks"),
                       tlog::describe(QStringList{found->label, found->url}));
        if (!holdsValue(urls, found->url))
            urls.addValue(found->url, labelFromText(found->label));
    }
    if (!moved)
        return note;
    if (!urls.isEmpty())
        person->setValueForProperty(QVariant::fromValue(MultiValue(urls)), kABURLsProperty);
    // The upload ends each address line with a line break; without its lines the note keeps none.
    while (!kept.isEmpty() && kept.last().isEmpty())
        kept.removeLast();
    return kept.join(QLatin1Char('\r'));
}

} // namespace tolvane
