#include "foundation/parsers/phoneparser.h"

#include "foundation/parsers/parserkeys.h"
#include "foundation/text/textpieces.h"
#include "foundation/text/zeltorstring.h"
#include "platform/defaults/userdefaults.h"

#include <QRegularExpression>

#include <optional>

namespace zeltor {

namespace {

constexpr int kLeastPhoneDigits = 3;

struct TypeWord
{
    const char16_t *word;
    const QString &type;
};

// Tried in this order, each in the text before the number and then in the text after it.
const TypeWord kTypeWords[] = {
    {u"cellular", kMobilePhoneType}, {u"cell", kMobilePhoneType}, {u"(c)", kMobilePhoneType},
    {u"mobile", kMobilePhoneType},   {u"fax", kFaxPhoneType},     {u"(f)", kFaxPhoneType},
    {u"home", kHomePhoneType},       {u"(h)", kHomePhoneType},    {u"work", kWorkPhoneType},
    {u"(w)", kWorkPhoneType},
};

struct PhoneRun
{
    qsizetype start = 0;
    qsizetype end = 0; // behind the extension when there is one
    QString phone;
    int digits = 0;
};

// A country code, an area code in brackets, then digits with the punctuation people put between
// them; an extension may follow.
const QRegularExpression &phonePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("(\\+\\d{1,3}[ .\\-]?)?(\\(\\d{1,5}\\)[ .\\-]?)?\\d(?:[\\d .\\-/]*\\d)?"));
    return pattern;
}

const QRegularExpression &extensionPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(" *(?:ext\\.?|extension|x) *[:.]? *(\\d{1,6})(?![\\w])"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

std::optional<PhoneRun> longestPhoneRun(const QString &text)
{
    std::optional<PhoneRun> longest;
    QRegularExpressionMatchIterator runs = phonePattern().globalMatch(text);
    while (runs.hasNext()) {
        const QRegularExpressionMatch run = runs.next();
        const int digits = countOfDigitsInString(run.captured());
        if (longest && digits <= longest->digits)
            continue;
        PhoneRun found{run.capturedStart(), run.capturedEnd(), extractDigits(run.captured()),
                       digits};
        if (run.captured().startsWith(u'+'))
            found.phone.prepend(u'+');
        const QRegularExpressionMatch extension =
            extensionPattern().match(text, run.capturedEnd(), QRegularExpression::NormalMatch,
                                     QRegularExpression::AnchorAtOffsetMatchOption);
        if (extension.hasMatch()) {
            found.phone += QStringLiteral(" x") + extension.captured(1);
            found.end = extension.capturedEnd();
        }
        longest = found;
    }
    return longest;
}

int leastPhoneDigits()
{
    return std::max(kLeastPhoneDigits,
                    UserDefaults::standard().integerForKey(kMinPhoneNumberLengthKey));
}

std::optional<PhoneRun> phoneRunOf(const QString &text)
{
    std::optional<PhoneRun> run = longestPhoneRun(text);
    if (!run || run->digits < leastPhoneDigits())
        return std::nullopt;
    return run;
}

bool isWordCharacter(const QString &text, qsizetype at)
{
    return at >= 0 && at < text.size() && text.at(at).isLetterOrNumber();
}

// Where the word stands on its own ("home" in "home:" but not in "homework"), ignoring case.
qsizetype indexOfWord(const QString &text, QStringView word, qsizetype from = 0)
{
    for (qsizetype at = text.indexOf(word, from, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(word, at + 1, Qt::CaseInsensitive)) {
        if (!isWordCharacter(text, at - 1) && !isWordCharacter(text, at + word.size()))
            return at;
    }
    return -1;
}

QString withoutWord(QString text, QStringView word)
{
    for (qsizetype at = indexOfWord(text, word); at >= 0; at = indexOfWord(text, word, at))
        text.remove(at, word.size());
    return clean(text);
}

} // namespace

bool containsPhoneNumber(const QString &text)
{
    return phoneRunOf(text).has_value();
}

PhoneExtension splitPhoneExtension(const QString &text)
{
    static const QRegularExpression trailing(extensionPattern().pattern() + QStringLiteral(" *$"),
                                             extensionPattern().patternOptions());
    const QRegularExpressionMatch match = trailing.match(text);
    if (!match.hasMatch() || match.capturedStart() == 0)
        return {text, QString()};
    return {text.left(match.capturedStart()), match.captured().trimmed()};
}

PhoneFind extractPhoneNumber(const QString &text)
{
    const std::optional<PhoneRun> run = phoneRunOf(text);
    if (!run)
        return {QString(), text, QString(), kPlainPhoneType};
    PhoneFind found{run->phone, clean(text.left(run->start)), clean(text.mid(run->end)),
                    kPlainPhoneType};
    for (const TypeWord &typeWord : kTypeWords) {
        const QStringView word(typeWord.word);
        if (indexOfWord(found.pre, word) >= 0) {
            found.pre = withoutWord(found.pre, word);
            found.type = typeWord.type;
            break;
        }
        if (indexOfWord(found.post, word) >= 0) {
            found.post = withoutWord(found.post, word);
            found.type = typeWord.type;
            break;
        }
    }
    return found;
}

} // namespace zeltor
