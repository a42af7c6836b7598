#include "foundation/parsers/nameparser.h"

#include "foundation/parsers/parserkeys.h"
#include "foundation/text/zeltorstring.h"
#include "platform/defaults/userdefaults.h"

#include <QStringList>

namespace zeltor {

namespace {

// Tried in this order; the first that is the name's first word wins.
constexpr const char16_t *kPrefixes[] = {u"Mr.", u"Mrs.", u"Ms.", u"Miss.", u"Dr.", u"Fr.", u"Hon.",
                                         u"Mr",  u"Mrs",  u"Ms",  u"Miss",  u"Dr",  u"Fr",  u"Hon"};

// Tried in this order against the name's last words, without regard to case or full stops.
constexpr const char16_t *kSuffixes[] = {u"Jr",   u"Sr",  u"Esq",     u"III",   u"II",  u"IV",
                                         u"Ph.D", u"RMT", u"RN LCSW", u"MD MA", u"MSW", u"JD"};

// Words that begin a family name ("Ludwig van Beethoven", "Maria de la Cruz").
constexpr const char16_t *kParticles[] = {u"van", u"von", u"der", u"den", u"de",  u"del", u"della",
                                          u"di",  u"da",  u"du",  u"des", u"la",  u"le",  u"dos",
                                          u"das", u"ten", u"ter", u"bin", u"ibn", u"al"};

using Words = QStringList;

Words wordsOf(const QString &text)
{
    return text.split(u' ', Qt::SkipEmptyParts);
}

QString withoutFullStops(QString text)
{
    return text.remove(u'.');
}

// The nickname between exactly two double quotes, and the text without it.
QString takeNickname(const QString &text, QString &nick)
{
    if (text.count(u'"') != 2)
        return text;
    const QStringList pieces = text.split(u'"');
    nick = clean(pieces.at(1));
    return pieces.at(0) + u' ' + pieces.at(2);
}

// A title as the first word, as long as a word of the name is left behind it.
QString takePrefix(Words &words, qsizetype wordsElsewhere)
{
    if (words.isEmpty() || words.size() + wordsElsewhere < 2)
        return QString();
    for (const char16_t *prefix : kPrefixes) {
        const QString entry = QString::fromUtf16(prefix);
        if (words.first().compare(entry, Qt::CaseInsensitive) == 0) {
            words.removeFirst();
            return entry;
        }
    }
    return QString();
}

// A suffix as the last words (a comma in front of it goes too), as long as a word is left.
QString takeSuffix(Words &words, qsizetype wordsElsewhere)
{
    for (const char16_t *suffix : kSuffixes) {
        const QString entry = QString::fromUtf16(suffix);
        const qsizetype count = wordsOf(entry).size();
        if (words.size() < count || words.size() - count + wordsElsewhere < 1)
            continue;
        QString tail = words.sliced(words.size() - count).join(u' ');
        while (tail.endsWith(u','))
            tail.chop(1);
        if (withoutFullStops(tail).compare(withoutFullStops(entry), Qt::CaseInsensitive) != 0)
            continue;
        words.remove(words.size() - count, count);
        if (!words.isEmpty() && words.last().endsWith(u','))
            words.last().chop(1);
        return entry;
    }
    return QString();
}

bool isParticle(const QString &word)
{
    return std::any_of(std::begin(kParticles), std::end(kParticles), [&](const char16_t *particle) {
        return word.compare(QString::fromUtf16(particle), Qt::CaseInsensitive) == 0;
    });
}

bool isInitial(const QString &word)
{
    return word.size() == 1 && word.at(0).isLetter();
}

// Where the family name begins among the words of a name of two words or more.
qsizetype lastNameStart(const Words &words, bool doubleFirst)
{
    // The user chose that of three words only the last is the family name: "Robert Van Dyke" is
    // then "Robert Van" and "Dyke", and no particle overrides that choice.
    if (words.size() == 3 && doubleFirst)
        return 2;
    for (qsizetype i = 1; i + 1 < words.size(); ++i) {
        if (isParticle(words.at(i)))
            return i;
    }
    qsizetype start = 1;
    if (words.size() == 3)
        start = doubleFirst ? 2 : 1;
    else if (words.size() >= 4)
        start = 2;
    // Initials belong to the given names: "John Q Public", "J R R Tolkien".
    while (start + 1 < words.size() && isInitial(words.at(start)))
        ++start;
    return start;
}

} // namespace

std::optional<NameParts> parseName(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    NameParts parts;
    const QString working = clean(takeNickname(clean(text), parts.nick));

    QList<Words> segments;
    for (const QString &segment : working.split(QStringLiteral(", ")))
        segments.append(wordsOf(segment));
    const auto wordsBesides = [&](qsizetype index) {
        qsizetype count = 0;
        for (qsizetype i = 0; i < segments.size(); ++i)
            count += i == index ? 0 : segments.at(i).size();
        return count;
    };

    parts.prefix = takePrefix(segments.first(), wordsBesides(0));
    if (parts.prefix.isEmpty() && segments.size() == 2)
        parts.prefix = takePrefix(segments.last(), wordsBesides(1));
    parts.suffix = takeSuffix(segments.last(), wordsBesides(segments.size() - 1));
    if (parts.suffix.isEmpty() && segments.size() == 2)
        parts.suffix = takeSuffix(segments.first(), wordsBesides(0));
    segments.removeIf([](const Words &words) { return words.isEmpty(); });

    // "Smith, John" is John Smith; with more commas the pieces stay in their order.
    if (segments.size() == 2)
        std::swap(segments.first(), segments.last());
    Words words;
    for (const Words &segment : std::as_const(segments)) {
        for (const QString &word : segment) {
            QString bare = withoutFullStops(word);
            if (bare.endsWith(u','))
                bare.chop(1);
            if (!bare.isEmpty())
                words.append(bare);
        }
    }

    if (words.size() == 1) {
        parts.first = words.first();
    } else if (words.size() >= 2) {
        const bool doubleFirst =
            UserDefaults::standard().boolForKey(kNameParserPesumeDoubleFirstKey);
        const qsizetype start = lastNameStart(words, doubleFirst);
        parts.first = words.first(start).join(u' ');
        parts.last = words.sliced(start).join(u' ');
    }
    return parts;
}

} // namespace zeltor
