#include "addressbook/vcards/vcardexportfilter.h"

#include "addressbook/vcards/vcardcontentline.h"
#include "addressbook/vcards/vcardescaping.h"
#include "foundation/log.h"
#include "foundation/text/zeltordata.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

namespace {

const QString kClass = QStringLiteral("AddressBookTool");
const QString kOp = QStringLiteral("vCardStringForPerson:");

// Base64 characters on each photo line after its two leading blanks: 74 octets a line.
constexpr int photoLineLength = 72;

constexpr std::string_view instantMessagingNames[] = {"X-JABBER", "X-AIM", "X-YAHOO",
                                                 "X-MSN",    "X-ICQ", "IMPP"};
constexpr const char *bareEncodings[] = {"BASE64", "B", "QUOTED-PRINTABLE", "8BIT", "7BIT"};

enum class Verdict { Keep, Remove };
enum class Encoding { None, QuotedPrintable, Base64 };

bool isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Whether text in upper case is upper, a name or type as the filter writes them (ASCII, upper
// case). Text outside ASCII is upper-cased in full, as Unicode maps it.
bool isUpper(QStringView text, QLatin1StringView upper)
{
    if (!isAscii(text))
        return text.toString().toUpper() == upper;
    if (text.size() != upper.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c >= u'a' && c <= u'z')
            c -= u'a' - u'A';
        if (c != char16_t(upper[i].unicode()))
            return false;
    }
    return true;
}

bool isBareEncoding(QStringView value)
{
    for (const char *encoding : bareEncodings) {
        if (isUpper(value, QLatin1StringView(encoding)))
            return true;
    }
    return false;
}

// The splits of a header at a separator that is not inside double quotes.
template <typename Take> void forEachOutsideQuotes(QStringView text, QChar separator, Take take)
{
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'"')
            quoted = !quoted;
        else if (text[i] == separator && !quoted) {
            take(text.mid(start, i - start));
            start = i + 1;
        }
    }
    take(text.mid(start));
}

qsizetype valueColon(QStringView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (line[i] == u':' && !quoted)
            return i;
    }
    return -1;
}

struct Parameter
{
    QStringView name; // trimmed; empty for a bare parameter of vCard 2.1
    QStringView value;
};

// Each parameter of a header's parameter part (what follows the property name up to its colon).
template <typename Take> void forEachParameter(QStringView parameters, Take take)
{
    if (parameters.isNull())
        return;
    forEachOutsideQuotes(parameters, u';', [&](QStringView part) {
        const qsizetype equals = part.indexOf(u'=');
        if (equals < 0) {
            take(Parameter{{}, part.trimmed()});
            return;
        }
        QStringView value = part.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        take(Parameter{part.left(equals).trimmed(), value});
    });
}

bool isFolded(QStringView line)
{
    return !line.isEmpty() && (line[0] == u' ' || line[0] == u'\t');
}

// One property of the card, "group.NAME;param=value;...:value", over the physical lines it was
// read from; the views point into the card's text or into lines the filter wrote. A line that is
// no property (a blank line, a line without a colon) has an empty name.
struct Line
{
    qsizetype first = 0; // physical lines
    qsizetype count = 0;
    QStringView group;
    QStringView name; // trimmed, as written
    QStringView parameters;
    QStringView value; // on the first physical line
    Encoding encoding = Encoding::None;
    // The unfolded value of a quoted-printable property, whose soft line breaks are taken out.
    QString quotedPrintableValue;

    // The name in upper case when it is short ASCII, as nearly every name is: the filter asks
    // each line for its name many times.
    char upperName[24];
    qsizetype upperNameSize = -1;

    bool isProperty() const { return !name.isEmpty(); }
    // The length is compared first: most names asked for differ from the line's in length.
    bool is(std::string_view upper) const
    {
        if (upperNameSize < 0)
            return isUpper(name, QLatin1StringView(upper.data(), qsizetype(upper.size())));
        return size_t(upperNameSize) == upper.size() &&
               std::memcmp(upperName, upper.data(), upper.size()) == 0;
    }
    void keepUpperName()
    {
        if (name.size() > qsizetype(sizeof upperName) || !isAscii(name))
            return;
        for (qsizetype i = 0; i < name.size(); ++i) {
            const char c = char(name[i].unicode());
            upperName[i] = c >= 'a' && c <= 'z' ? char(c - ('a' - 'A')) : c;
        }
        upperNameSize = name.size();
    }

    // TYPE values, whether written "type=a;type=b", "TYPE=a,b" or bare as in vCard 2.1, in upper
    // case; "PREF" included.
    template <typename Take> void forEachType(Take take) const
    {
        forEachParameter(parameters, [&](const Parameter &p) {
            if (isUpper(p.name, QLatin1StringView("TYPE"))) {
                for (const QStringView type : p.value.tokenize(u',', Qt::SkipEmptyParts))
                    take(type.trimmed());
            } else if (p.name.isEmpty() && !isBareEncoding(p.value)) {
                take(p.value);
            }
        });
    }
    bool hasType(const char *upperType) const
    {
        bool found = false;
        forEachType([&](QStringView type) {
            found = found || isUpper(type, QLatin1StringView(upperType));
        });
        return found;
    }
    bool hasAnyType() const
    {
        bool found = false;
        forEachType([&](QStringView) { found = true; });
        return found;
    }
};

Encoding encodingOf(QStringView parameters)
{
    std::optional<Encoding> found;
    forEachParameter(parameters, [&](const Parameter &p) {
        if (found)
            return;
        const bool named = isUpper(p.name, QLatin1StringView("ENCODING"));
        if (!named && !(p.name.isEmpty() && isBareEncoding(p.value)))
            return;
        if (isUpper(p.value, QLatin1StringView("QUOTED-PRINTABLE")))
            found = Encoding::QuotedPrintable;
        else if (isUpper(p.value, QLatin1StringView("B")) ||
                 isUpper(p.value, QLatin1StringView("BASE64")))
            found = Encoding::Base64;
        else
            found = Encoding::None;
    });
    return found.value_or(Encoding::None);
}

class Card
{
public:
    explicit Card(const QString &text)
    {
        // Room for every line at once, as counted by its line feeds; a card ended by CR alone
        // grows as it goes.
        const qsizetype lineFeeds = text.count(u'\n') + 1;
        m_physical.reserve(lineFeeds);
        m_lines.reserve(lineFeeds);
        splitPhysicalLines(text);
        readLines(0, m_physical.size());
    }

    bool has(std::string_view name) const
    {
        return std::any_of(m_lines.cbegin(), m_lines.cend(),
                           [&](const Line &line) { return line.is(name); });
    }

    void removeAll(std::string_view name)
    {
        m_lines.removeIf([&](const Line &line) { return line.is(name); });
    }

    // A line the filter writes, from its physical lines; false when the card has no X-ABUID
    // line to put it before.
    bool insertBeforeUid(const QStringList &physicalLines)
    {
        const auto uid = std::find_if(m_lines.cbegin(), m_lines.cend(),
                                      [](const Line &line) { return line.is("X-ABUID"); });
        if (uid == m_lines.cend())
            return false;
        m_lines.insert(uid - m_lines.cbegin(), written(physicalLines));
        return true;
    }

    // A property line written whole (unfolded), folded as the export writes it.
    Line writtenLine(const QString &unfolded)
    {
        m_owned.append(unfolded);
        Line line = headerOf(m_owned.last());
        const Line folded = written(vcard::foldLine(unfolded));
        line.first = folded.first;
        line.count = folded.count;
        return line;
    }

    QList<Line> &lines() { return m_lines; }
    const QList<Line> &lines() const { return m_lines; }

    QStringView physical(const Line &line, qsizetype i) const { return m_physical[line.first + i]; }

    // The property's value unfolded, escapes and encodings as written.
    QString unfoldedValue(const Line &line) const
    {
        if (line.encoding == Encoding::QuotedPrintable)
            return line.quotedPrintableValue;
        QString value = line.value.toString();
        for (qsizetype i = 1; i < line.count; ++i) {
            const QStringView piece = physical(line, i);
            value += isFolded(piece) ? piece.mid(1) : piece;
        }
        return value;
    }

    // The lines as they stood, joined by LF, for the trace.
    QString physicalText(const Line &line) const
    {
        QString text;
        for (qsizetype i = 0; i < line.count; ++i) {
            if (i > 0)
                text += u'\n';
            text += physical(line, i);
        }
        return text;
    }

    QString text() const
    {
        qsizetype size = 0;
        for (const Line &line : m_lines) {
            for (qsizetype i = 0; i < line.count; ++i)
                size += physical(line, i).size() + 2;
        }
        QString result;
        result.reserve(size);
        for (const Line &line : m_lines) {
            for (qsizetype i = 0; i < line.count; ++i) {
                result += physical(line, i);
                result += QLatin1StringView("\r\n");
            }
        }
        return result;
    }

private:
    // Lines may end with CR LF, LF or CR; CR CR LF, as a file copied twice in text mode on
    // Windows ends its lines, is one end.
    void splitPhysicalLines(QStringView text)
    {
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c != u'\r' && c != u'\n')
                continue;
            m_physical.append(text.mid(start, i - start));
            if (c == u'\r' && i + 2 < text.size() && text[i + 1] == u'\r' && text[i + 2] == u'\n')
                i += 2;
            else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
        if (start < text.size())
            m_physical.append(text.mid(start));
    }

    // A line beginning with a space or a tab continues the one before it; so does a
    // quoted-printable soft line break, and so do the unindented Base64 lines that some vCard 2.1
    // writers put after an encoded property.
    void readLines(qsizetype from, qsizetype to)
    {
        for (qsizetype i = from; i < to; ++i) {
            const QStringView line = m_physical[i];
            if (!m_lines.isEmpty()) {
                Line &last = m_lines.last();
                const bool folded = isFolded(line);
                if (last.isProperty() && (folded || continuesEncodedValue(last, line))) {
                    if (last.encoding == Encoding::QuotedPrintable) {
                        if (!folded)
                            last.quotedPrintableValue.chop(1); // the "=" of a soft line break
                        last.quotedPrintableValue += folded ? line.mid(1) : line;
                    }
                    ++last.count;
                    continue;
                }
            }
            Line header = headerOf(line);
            header.first = i;
            header.count = 1;
            m_lines.append(header);
        }
    }

    static bool continuesEncodedValue(const Line &property, QStringView line)
    {
        if (property.encoding == Encoding::QuotedPrintable)
            return property.quotedPrintableValue.endsWith(u'=');
        return property.encoding == Encoding::Base64 && !line.isEmpty() &&
               vcard::isBase64Text(line);
    }

    static Line headerOf(QStringView line)
    {
        Line property;
        const qsizetype colon = valueColon(line);
        if (colon <= 0)
            return property;
        const QStringView header = line.left(colon);
        qsizetype nameEnd = header.size();
        forEachOutsideQuotes(header, u';', [&](QStringView part) {
            if (nameEnd == header.size())
                nameEnd = part.size();
        });
        const QStringView qualifiedName = header.left(nameEnd);
        const qsizetype dot = qualifiedName.lastIndexOf(u'.');
        property.group = dot < 0 ? QStringView() : qualifiedName.left(dot);
        property.name = qualifiedName.mid(dot + 1).trimmed();
        property.keepUpperName();
        property.parameters = nameEnd < header.size() ? header.mid(nameEnd + 1) : QStringView();
        property.value = line.mid(colon + 1);
        property.encoding = encodingOf(property.parameters);
        if (property.encoding == Encoding::QuotedPrintable)
            property.quotedPrintableValue = property.value.toString();
        return property;
    }

    Line written(const QStringList &physicalLines)
    {
        Line line;
        line.first = m_physical.size();
        line.count = physicalLines.size();
        for (const QString &physical : physicalLines) {
            m_owned.append(physical);
            m_physical.append(m_owned.last());
        }
        if (!physicalLines.isEmpty()) {
            const Line header = headerOf(m_owned[m_owned.size() - physicalLines.size()]);
            line.group = header.group;
            line.name = header.name;
            line.keepUpperName();
            line.parameters = header.parameters;
            line.value = header.value;
            line.encoding = header.encoding;
        }
        return line;
    }

    QList<QStringView> m_physical;
    QList<Line> m_lines;
    // The text of the lines the filter writes: the views point into it, and a QString's
    // characters stay where they are when the list grows.
    QStringList m_owned;
};

QStringList photoLines(const QByteArray &imageData)
{
    QStringList lines{QStringLiteral("PHOTO;BASE64:")};
    const QString base64 = zeltor::encodeBase64(imageData);
    for (qsizetype i = 0; i < base64.size(); i += photoLineLength)
        lines.append(QLatin1String("  ") + base64.mid(i, photoLineLength));
    return lines;
}

void filterPhoto(Card &card, const VCardExportOptions &options, const QByteArray &imageData)
{
    if (options.notPicture)
        card.removeAll("PHOTO");
    else if (!imageData.isEmpty() && !card.has("PHOTO"))
        card.insertBeforeUid(photoLines(imageData));
}

void filterNote(Card &card, const VCardExportOptions &options, const QString &note)
{
    if (options.notNotes) {
        card.removeAll("NOTE");
        return;
    }
    if (note.isEmpty() || card.has("NOTE"))
        return;
    if (!card.insertBeforeUid(vcard::foldLine(QLatin1String("NOTE:") + vcard::escapeText(note))))
        tlog::message(kClass, kOp, QStringLiteral("ERROR in vCard Processing - while adding note"));
}

void removeSingleProperties(Card &card, const VCardExportOptions &options)
{
    const std::pair<bool, std::string_view> properties[] = {
        {options.notBirthday, "BDAY"},     {options.notGroup, "CATEGORIES"},
        {options.notNickname, "NICKNAME"}, {options.notOrgName, "ORG"},
        {options.notJobTitle, "TITLE"},
    };
    for (const auto &[excluded, name] : properties) {
        if (excluded)
            card.removeAll(name);
    }
}

// Keyword tags run from "<meta" through the next ">"; a "<meta" without a ">" after it and the
// rest of the note stay.
QString withoutTags(QString note)
{
    static const QRegularExpression tag(QStringLiteral("<meta[^>]*>"),
                                        QRegularExpression::CaseInsensitiveOption);
    return note.remove(tag);
}

void removeTags(Card &card, const VCardExportOptions &options)
{
    if (!options.notTag)
        return;
    for (Line &line : card.lines()) {
        if (!line.is("NOTE"))
            continue;
        const QString value = card.unfoldedValue(line);
        const QString note = vcard::unescapeText(value);
        const QString cleaned = withoutTags(note);
        if (cleaned == note)
            continue;
        QString unfolded = card.physical(line, 0).toString();
        for (qsizetype i = 1; i < line.count; ++i)
            unfolded += card.physical(line, i).mid(1);
        const QString header = unfolded.left(unfolded.size() - value.size());
        line = card.writtenLine(header + vcard::escapeText(cleaned));
    }
}

class LineFilter
{
public:
    LineFilter(const VCardExportOptions &options, const Card &card)
        : m_options(options)
        , m_card(card)
        , m_lines(card.lines())
    {}

    Verdict verdict(const Line &line) const
    {
        if (line.is("X-ABRELATEDNAMES"))
            return removeWhen(m_options.notRelatedName);
        if (line.is("X-ABDATE"))
            return removeWhen(m_options.notRelatedDate);
        for (const std::string_view name : instantMessagingNames) {
            if (line.is(name))
                return kindOnly(line, m_options.im, m_options.notIM);
        }
        if (line.is("ADR"))
            return kindOnly(line, m_options.street, m_options.notStreet);
        if (line.is("EMAIL"))
            return email(line);
        if (line.is("URL"))
            return website(line);
        if (line.is("TEL"))
            return telephone(line);
        return Verdict::Keep;
    }

private:
    static Verdict removeWhen(bool condition)
    {
        return condition ? Verdict::Remove : Verdict::Keep;
    }

    static const char *kindType(int mode) { return mode == VCardKeepHome ? "HOME" : "WORK"; }

    // Modes 1 and 2 keep the entries of that kind; the "not" switch, with any mode above 0,
    // removes all.
    static Verdict kindOnly(const Line &line, int mode, bool removeAll)
    {
        if (mode <= 0)
            return Verdict::Keep;
        if (removeAll)
            return Verdict::Remove;
        if (mode != VCardKeepHome && mode != VCardKeepWork)
            return Verdict::Keep;
        return removeWhen(!line.hasType(kindType(mode)));
    }

    Verdict email(const Line &line) const
    {
        const Verdict verdict = kindOnly(line, m_options.email, m_options.notEmail);
        if (verdict == Verdict::Remove && m_options.email == VCardKeepWork && !m_options.notEmail)
            logWorkOnlyRemoval(line);
        return verdict;
    }

    void logWorkOnlyRemoval(const Line &line) const
    {
        if (line.group.isEmpty()) {
            tlog::message(kClass, kOp, QStringLiteral("non-work reg type removed"));
            return;
        }
        tlog::message(kClass, kOp, QStringLiteral("custom type removed"));
        if (!label(line.group).isNull())
            tlog::message(kClass, kOp, QStringLiteral("custom label removed"));
    }

    // Modes 1 and 2 remove work and home sites, and sites with a label of their own; 3 removes all.
    Verdict website(const Line &line) const
    {
        const int mode = m_options.websites;
        if (mode == 3)
            return Verdict::Remove;
        if (mode != 1 && mode != 2)
            return Verdict::Keep;
        const char *removed = mode == 1 ? "WORK" : "HOME";
        const char *kept = mode == 1 ? "HOME" : "WORK";
        if (line.hasType(removed))
            return Verdict::Remove;
        return removeWhen(!line.group.isEmpty() && !line.hasType(kept));
    }

    Verdict telephone(const Line &line) const
    {
        if (m_options.notTelephone)
            return Verdict::Remove;
        const int mode = m_options.telephone;
        if (mode != VCardKeepHome && mode != VCardKeepWork && mode != VCardKeepMobile)
            return Verdict::Keep;
        if (mode == VCardKeepMobile && line.hasType("CELL"))
            return Verdict::Keep;
        if (mode != VCardKeepMobile && line.hasType(kindType(mode)))
            return Verdict::Keep;
        if (!line.group.isEmpty()) {
            if (mode != VCardKeepMobile)
                return Verdict::Remove;
            const QString itemLabel = label(line.group);
            return removeWhen(!itemLabel.contains(QLatin1String("cell"), Qt::CaseInsensitive) &&
                              !itemLabel.contains(QLatin1String("mobile"), Qt::CaseInsensitive));
        }
        // A plain number without any type says nothing of its kind and stays.
        return removeWhen(line.hasAnyType());
    }

    // The X-ABLabel value of an item, or a null text.
    QString label(QStringView group) const
    {
        for (const Line &line : m_lines) {
            if (line.is("X-ABLABEL") && line.group.compare(group, Qt::CaseInsensitive) == 0)
                return m_card.unfoldedValue(line);
        }
        return {};
    }

    const VCardExportOptions &m_options;
    const Card &m_card;
    const QList<Line> &m_lines;
};

// Whether lower is text in lower case, as QString::toLower writes it; ASCII text, as item names
// are, is compared without making the lower-case copy.
bool isLowerCaseOf(const QString &lower, QStringView text)
{
    if (!isAscii(text) || !isAscii(lower))
        return text.toString().toLower() == lower;
    if (text.size() != lower.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        if (c != lower[i].unicode())
            return false;
    }
    return true;
}

void filterLines(Card &card, const VCardExportOptions &options)
{
    QList<Line> &lines = card.lines();
    const LineFilter filter(options, card);
    const bool trace = tlog::tracing();
    QList<bool> removed(lines.size(), false);
    QStringList removedGroups;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (trace)
            tlog::write(QStringLiteral("i=%1  -- %2").arg(i).arg(card.physicalText(lines[i])));
        if (filter.verdict(lines[i]) == Verdict::Keep)
            continue;
        removed[i] = true;
        if (!lines[i].group.isEmpty())
            removedGroups.append(lines[i].group.toString().toLower());
    }
    if (removedGroups.isEmpty() && !removed.contains(true))
        return;
    QList<Line> kept;
    kept.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView group = lines[i].group;
        const bool itemRemoved =
            !group.isEmpty() && std::any_of(removedGroups.cbegin(), removedGroups.cend(),
                                            [group](const QString &removedGroup) {
                                                return isLowerCaseOf(removedGroup, group);
                                            });
        if (!removed[i] && !itemRemoved)
            kept.append(lines[i]);
    }
    lines = kept;
}

} // namespace

namespace vcard {

QString filterExport(const QString &text, const VCardExportOptions &options,
                     const VCardExportAdditions &additions)
{
    if (text.isEmpty())
        return {};
    Card card(text);
    filterPhoto(card, options, additions.imageData);
    filterNote(card, options, additions.note);
    removeSingleProperties(card, options);
    removeTags(card, options);
    filterLines(card, options);
    return card.text();
}

} // namespace vcard
