#include "addressbook/vcards/vcardexportfilter.h"

#include "addressbook/vcards/vcardcontentline.h"
#include "addressbook/vcards/vcardescaping.h"
#include "foundation/log.h"
#include "foundation/text/zeltordata.h"

#include <QRegularExpression>

namespace {

const QString kClass = QStringLiteral("AddressBookTool");
const QString kOp = QStringLiteral("vCardStringForPerson:");

// Base64 characters on each photo line after its two leading blanks: 74 octets a line.
constexpr int photoLineLength = 72;

const QStringList instantMessagingNames = {QStringLiteral("X-JABBER"), QStringLiteral("X-AIM"),
                                           QStringLiteral("X-YAHOO"),  QStringLiteral("X-MSN"),
                                           QStringLiteral("X-ICQ"),    QStringLiteral("IMPP")};

enum class Verdict { Keep, Remove };

class Card
{
public:
    explicit Card(const QString &text)
        : m_lines(vcard::parseContentLines(text))
    {}

    bool has(const QString &name) const { return vcard::findProperty(m_lines, name); }

    void removeAll(const QString &name)
    {
        m_lines.removeIf([&](const VCardContentLine &line) { return line.name == name; });
    }

    // Before the X-ABUID line; false when there is none.
    bool insertBeforeUid(const VCardContentLine &line)
    {
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].name == QLatin1String("X-ABUID")) {
                m_lines.insert(i, line);
                return true;
            }
        }
        return false;
    }

    QList<VCardContentLine> &lines() { return m_lines; }

    QString text() const
    {
        QString result;
        for (const VCardContentLine &line : m_lines) {
            for (const QString &physical : line.physicalLines)
                result += physical + QLatin1String("\r\n");
        }
        return result;
    }

private:
    QList<VCardContentLine> m_lines;
};

VCardContentLine writtenLine(const QString &unfolded)
{
    VCardContentLine line = vcard::parseContentLines(unfolded).value(0);
    line.physicalLines = vcard::foldLine(unfolded);
    return line;
}

VCardContentLine photoLine(const QByteArray &imageData)
{
    VCardContentLine line;
    line.name = QStringLiteral("PHOTO");
    line.physicalLines.append(QStringLiteral("PHOTO;BASE64:"));
    const QString base64 = zeltor::encodeBase64(imageData);
    for (qsizetype i = 0; i < base64.size(); i += photoLineLength)
        line.physicalLines.append(QLatin1String("  ") + base64.mid(i, photoLineLength));
    return line;
}

void filterPhoto(Card &card, const VCardExportOptions &options, const QByteArray &imageData)
{
    if (options.notPicture)
        card.removeAll(QStringLiteral("PHOTO"));
    else if (!imageData.isEmpty() && !card.has(QStringLiteral("PHOTO")))
        card.insertBeforeUid(photoLine(imageData));
}

void filterNote(Card &card, const VCardExportOptions &options, const QString &note)
{
    if (options.notNotes) {
        card.removeAll(QStringLiteral("NOTE"));
        return;
    }
    if (note.isEmpty() || card.has(QStringLiteral("NOTE")))
        return;
    if (!card.insertBeforeUid(writtenLine(QLatin1String("NOTE:") + vcard::escapeText(note))))
        tlog::message(kClass, kOp, QStringLiteral("ERROR in vCard Processing - while adding note"));
}

void removeSingleProperties(Card &card, const VCardExportOptions &options)
{
    const std::pair<bool, const char *> properties[] = {
        {options.notBirthday, "BDAY"},     {options.notGroup, "CATEGORIES"},
        {options.notNickname, "NICKNAME"}, {options.notOrgName, "ORG"},
        {options.notJobTitle, "TITLE"},
    };
    for (const auto &[excluded, name] : properties) {
        if (excluded)
            card.removeAll(QString::fromLatin1(name));
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
    for (VCardContentLine &line : card.lines()) {
        if (line.name != QLatin1String("NOTE"))
            continue;
        const QString note = vcard::unescapeText(line.value);
        const QString cleaned = withoutTags(note);
        if (cleaned == note)
            continue;
        QString unfolded = line.physicalLines.first();
        for (qsizetype i = 1; i < line.physicalLines.size(); ++i)
            unfolded += line.physicalLines[i].mid(1);
        const QString header = unfolded.left(unfolded.size() - line.value.size());
        line = writtenLine(header + vcard::escapeText(cleaned));
    }
}

class LineFilter
{
public:
    LineFilter(const VCardExportOptions &options, const QList<VCardContentLine> &lines)
        : m_options(options)
        , m_lines(lines)
    {}

    Verdict verdict(const VCardContentLine &line) const
    {
        if (line.name == QLatin1String("X-ABRELATEDNAMES"))
            return removeWhen(m_options.notRelatedName);
        if (line.name == QLatin1String("X-ABDATE"))
            return removeWhen(m_options.notRelatedDate);
        if (instantMessagingNames.contains(line.name))
            return kindOnly(line, m_options.im, m_options.notIM);
        if (line.name == QLatin1String("ADR"))
            return kindOnly(line, m_options.street, m_options.notStreet);
        if (line.name == QLatin1String("EMAIL"))
            return email(line);
        if (line.name == QLatin1String("URL"))
            return website(line);
        if (line.name == QLatin1String("TEL"))
            return telephone(line);
        return Verdict::Keep;
    }

private:
    static Verdict removeWhen(bool condition)
    {
        return condition ? Verdict::Remove : Verdict::Keep;
    }

    static QString kindType(int mode)
    {
        return mode == VCardKeepHome ? QStringLiteral("HOME") : QStringLiteral("WORK");
    }

    // Modes 1 and 2 keep the entries of that kind; the "not" switch, with any mode above 0,
    // removes all.
    static Verdict kindOnly(const VCardContentLine &line, int mode, bool removeAll)
    {
        if (mode <= 0)
            return Verdict::Keep;
        if (removeAll)
            return Verdict::Remove;
        if (mode != VCardKeepHome && mode != VCardKeepWork)
            return Verdict::Keep;
        return removeWhen(!line.hasType(kindType(mode)));
    }

    Verdict email(const VCardContentLine &line) const
    {
        const Verdict verdict = kindOnly(line, m_options.email, m_options.notEmail);
        if (verdict == Verdict::Remove && m_options.email == VCardKeepWork && !m_options.notEmail)
            logWorkOnlyRemoval(line);
        return verdict;
    }

    void logWorkOnlyRemoval(const VCardContentLine &line) const
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
    Verdict website(const VCardContentLine &line) const
    {
        const int mode = m_options.websites;
        if (mode == 3)
            return Verdict::Remove;
        if (mode != 1 && mode != 2)
            return Verdict::Keep;
        const QString removed = mode == 1 ? QStringLiteral("WORK") : QStringLiteral("HOME");
        const QString kept = mode == 1 ? QStringLiteral("HOME") : QStringLiteral("WORK");
        if (line.hasType(removed))
            return Verdict::Remove;
        return removeWhen(!line.group.isEmpty() && !line.hasType(kept));
    }

    Verdict telephone(const VCardContentLine &line) const
    {
        if (m_options.notTelephone)
            return Verdict::Remove;
        const int mode = m_options.telephone;
        if (mode != VCardKeepHome && mode != VCardKeepWork && mode != VCardKeepMobile)
            return Verdict::Keep;
        if (mode == VCardKeepMobile && line.hasType(QStringLiteral("CELL")))
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
        return removeWhen(!line.types().isEmpty());
    }

    // The X-ABLabel value of an item, or a null text.
    QString label(const QString &group) const
    {
        for (const VCardContentLine &line : m_lines) {
            if (line.name == QLatin1String("X-ABLABEL") &&
                line.group.compare(group, Qt::CaseInsensitive) == 0)
                return line.value;
        }
        return {};
    }

    const VCardExportOptions &m_options;
    const QList<VCardContentLine> &m_lines;
};

void filterLines(Card &card, const VCardExportOptions &options)
{
    QList<VCardContentLine> &lines = card.lines();
    const LineFilter filter(options, lines);
    const bool trace = tlog::tracing();
    QList<bool> removed(lines.size(), false);
    QStringList removedGroups;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (trace)
            tlog::write(
                QStringLiteral("i=%1  -- %2").arg(i).arg(lines[i].physicalLines.join(u'\n')));
        if (filter.verdict(lines[i]) == Verdict::Keep)
            continue;
        removed[i] = true;
        if (!lines[i].group.isEmpty())
            removedGroups.append(lines[i].group.toLower());
    }
    QList<VCardContentLine> kept;
    kept.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool itemRemoved =
            !lines[i].group.isEmpty() && removedGroups.contains(lines[i].group.toLower());
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
