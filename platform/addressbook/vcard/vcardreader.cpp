#include "platform/addressbook/vcard/vcardreader.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/builtinproperties.h"
#include "platform/addressbook/vcard/vcardparser.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QUrl>

#include <map>

namespace {

// A label given by type parameters: every type listed must be present. Rows are tried in order.
struct TypeLabel
{
    const char *first;
    const char *second;
    const QString &label;
};

const TypeLabel kPhoneLabels[] = {
    {"fax", "home", kABPhoneHomeFAXLabel},  {"fax", "work", kABPhoneWorkFAXLabel},
    {"fax", nullptr, kABPhoneWorkFAXLabel}, {"cell", nullptr, kABPhoneMobileLabel},
    {"pager", nullptr, kABPhonePagerLabel}, {"main", nullptr, kABPhoneMainLabel},
    {"home", nullptr, kABHomeLabel},        {"work", nullptr, kABWorkLabel},
    {"other", nullptr, kABOtherLabel},
};

const TypeLabel kHomeWorkLabels[] = {
    {"home", nullptr, kABHomeLabel},
    {"work", nullptr, kABWorkLabel},
    {"other", nullptr, kABOtherLabel},
};

struct InstantProperty
{
    const char *vcardName;
    const char *uriScheme;
    const QString &property;
};

const InstantProperty kInstantProperties[] = {
    {"X-AIM", "aim", kABAIMInstantProperty},       {"X-JABBER", "xmpp", kABJabberInstantProperty},
    {"X-MSN", "msnim", kABMSNInstantProperty},     {"X-ICQ", "icq", kABICQInstantProperty},
    {"X-YAHOO", "ymsgr", kABYahooInstantProperty},
};

struct TextProperty
{
    const char *vcardName;
    const QString &property;
};

const TextProperty kTextProperties[] = {
    {"NICKNAME", kABNicknameProperty},
    {"TITLE", kABJobTitleProperty},
    {"NOTE", kABNoteProperty},
};

// Multi-values whose entries are one text each, labelled by X-ABLabel or by type parameters.
struct LabelledProperty
{
    const char *vcardName;
    const QString &property;
    const TypeLabel *labelsBegin;
    const TypeLabel *labelsEnd;
};

const LabelledProperty kLabelledProperties[] = {
    {"EMAIL", kABEmailProperty, std::begin(kHomeWorkLabels), std::end(kHomeWorkLabels)},
    {"URL", kABURLsProperty, std::begin(kHomeWorkLabels), std::end(kHomeWorkLabels)},
    {"X-ABRELATEDNAMES", kABRelatedNamesProperty, std::begin(kHomeWorkLabels),
     std::end(kHomeWorkLabels)},
};

QString labelFromTypes(const VCardLine &line, const TypeLabel *begin, const TypeLabel *end)
{
    for (const TypeLabel *rule = begin; rule != end; ++rule) {
        if (line.hasType(QLatin1String(rule->first)) &&
            (!rule->second || line.hasType(QLatin1String(rule->second))))
            return rule->label;
    }
    return {};
}

std::optional<QDate> parseDate(QString text)
{
    text = text.trimmed();
    if (text.startsWith(QStringLiteral("--"))) {
        const QString monthDay = text.mid(2).remove(u'-');
        const QDate date = QDate::fromString(QString::number(kABYearlessDateYear) + monthDay,
                                             QStringLiteral("yyyyMMdd"));
        return date.isValid() ? std::optional(date) : std::nullopt;
    }
    // A date-time keeps only its date as written.
    const QString datePart = text.section(u'T', 0, 0);
    QDate date = QDate::fromString(datePart, Qt::ISODate);
    if (!date.isValid())
        date = QDate::fromString(datePart, QStringLiteral("yyyyMMdd"));
    return date.isValid() ? std::optional(date) : std::nullopt;
}

// The values of a card's item groups (labels, country codes). A card has a handful, so a short
// list searched in order costs far less than a hash table for every card of a large file. A
// group's last value wins.
class GroupValues
{
public:
    void insert(const QByteArray &group, const QString &value)
    {
        for (auto &[name, text] : m_entries) {
            if (name == group) {
                text = value;
                return;
            }
        }
        m_entries.append({group, value});
    }

    QString value(const QByteArray &group) const
    {
        for (const auto &[name, text] : m_entries) {
            if (name == group)
                return text;
        }
        return {};
    }

private:
    QList<std::pair<QByteArray, QString>> m_entries;
};

class PersonBuilder
{
public:
    explicit PersonBuilder(const VCard &card)
        : m_card(card)
    {
        for (const VCardLine &line : card.lines) {
            if (line.group.isEmpty())
                continue;
            if (line.name == "X-ABLABEL")
                m_groupLabels.insert(line.group, line.text());
            else if (line.name == "X-ABADR")
                m_groupCountryCodes.insert(line.group, line.text().trimmed().toLower());
        }
    }

    QStringList skipped() const { return m_skipped; }

    PersonPtr build()
    {
        for (const VCardLine &line : m_card.lines)
            readLine(line);
        finishNames();
        for (auto &[property, values] : m_multiValues)
            m_person->setValueForProperty(QVariant::fromValue(values), property);
        if (m_flags != 0)
            m_person->setValueForProperty(m_flags, kABPersonFlags);
        return m_person;
    }

private:
    void readLine(const VCardLine &line);

    void readFormattedName(const VCardLine &line) { m_formattedName = line.text(); }

    void readKind(const VCardLine &line)
    {
        if (line.text().trimmed().compare(u"org", Qt::CaseInsensitive) == 0)
            m_flags |= kABShowAsCompany;
    }

    using LineReader = void (PersonBuilder::*)(const VCardLine &);
    struct LineRule
    {
        const char *vcardName;
        LineReader read;
    };
    static const LineRule kLineRules[];

    void setText(const QString &property, const QString &text)
    {
        if (!text.isEmpty())
            m_person->setValueForProperty(text, property);
    }

    void readName(const VCardLine &line)
    {
        const QStringList parts = line.components();
        const QString *properties[] = {&kABLastNameProperty, &kABFirstNameProperty,
                                       &kABMiddleNameProperty, &kABTitleProperty,
                                       &kABSuffixProperty};
        for (int i = 0; i < 5 && i < parts.size(); ++i) {
            setText(*properties[i], parts.at(i).trimmed());
            m_hasName = m_hasName || !parts.at(i).trimmed().isEmpty();
        }
    }

    void readOrganization(const VCardLine &line)
    {
        const QStringList parts = line.components();
        setText(kABOrganizationProperty, parts.value(0).trimmed());
        setText(kABDepartmentProperty, parts.mid(1).join(u';').trimmed());
    }

    void readBirthday(const VCardLine &line)
    {
        if (const std::optional<QDate> date = parseDate(line.text()))
            m_person->setValueForProperty(*date, kABBirthdayProperty);
    }

    void readOtherDate(const VCardLine &line)
    {
        const std::optional<QDate> date = parseDate(line.text());
        if (!date)
            return;
        const bool isAnniversary = line.name == "ANNIVERSARY";
        addEntry(kABOtherDatesProperty, line, *date, kHomeWorkLabels,
                 isAnniversary ? kABAnniversaryLabel : QString());
    }

    void readShowAs(const VCardLine &line)
    {
        if (line.text().trimmed().compare(u"COMPANY", Qt::CaseInsensitive) == 0)
            m_flags |= kABShowAsCompany;
    }

    void readAddress(const VCardLine &line)
    {
        // post office box; extended address; street; city; region; postal code; country
        const QStringList parts = line.components();
        QStringList streetLines;
        for (int i : {0, 1, 2}) {
            // Streets keep their line breaks as "\n" whatever the card used.
            QString part = parts.value(i).trimmed();
            part.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
            if (!part.isEmpty())
                streetLines.append(part);
        }
        QVariantMap address;
        const auto put = [&address](const QString &key, const QString &value) {
            if (!value.trimmed().isEmpty())
                address.insert(key, value.trimmed());
        };
        put(kABAddressStreetKey, streetLines.join(u'\n'));
        put(kABAddressCityKey, parts.value(3));
        put(kABAddressStateKey, parts.value(4));
        put(kABAddressZIPKey, parts.value(5));
        put(kABAddressCountryKey, parts.value(6));
        put(kABAddressCountryCodeKey, m_groupCountryCodes.value(line.group));
        if (!address.isEmpty())
            addEntry(kABAddressProperty, line, address, kHomeWorkLabels);
    }

    void readInstant(const VCardLine &line)
    {
        for (const InstantProperty &instant : kInstantProperties) {
            if (line.name == instant.vcardName) {
                addEntry(instant.property, line, line.text().trimmed(), kHomeWorkLabels);
                return;
            }
        }
    }

    // vCard 4.0 instant messaging: a URI whose scheme names the service.
    void readImpp(const VCardLine &line)
    {
        const QString uri = line.text().trimmed();
        const qsizetype colon = uri.indexOf(u':');
        const QString scheme = colon > 0 ? uri.left(colon).toLower() : QString();
        const QString handle =
            QUrl::fromPercentEncoding((colon > 0 ? uri.mid(colon + 1) : uri).toUtf8());
        for (const InstantProperty &instant : kInstantProperties) {
            if (scheme == QLatin1String(instant.uriScheme)) {
                addEntry(instant.property, line, handle, kHomeWorkLabels);
                return;
            }
        }
        QString service = QString::fromUtf8(line.parameter("X-SERVICE-TYPE"));
        if (service.isEmpty())
            service = scheme;
        addEntry(kABOtherInstantProperty, line, handle, nullptr, nullptr, service);
    }

    void readPhoto(const VCardLine &line)
    {
        QList<QByteArray> candidates;
        if (line.isBinary) {
            candidates.append(line.data);
        } else {
            // Some writers escape the commas of a URI value as they would a text's. A web
            // address of a picture is not fetched.
            for (const QString &uri : {line.value.trimmed(), line.text().trimmed()}) {
                if (const std::optional<QByteArray> data = vcardparser::decodeDataUri(uri))
                    candidates.append(*data);
            }
            if (candidates.isEmpty())
                return;
        }
        // Bytes decoded leniently are kept only when they still make a picture.
        for (const QByteArray &data : std::as_const(candidates)) {
            if (!QImage::fromData(data).isNull()) {
                m_person->setImageData(data);
                return;
            }
        }
        m_skipped.append(QStringLiteral("the picture of PHOTO cannot be read"));
    }

    void readPhone(const VCardLine &line)
    {
        addEntry(kABPhoneProperty, line, vcardreader::telephoneNumberOfUri(line.text().trimmed()),
                 kPhoneLabels);
    }

    template <std::size_t N>
    void addEntry(const QString &property, const VCardLine &line, const QVariant &value,
                  const TypeLabel (&labels)[N], const QString &fallbackLabel = {})
    {
        addEntry(property, line, value, std::begin(labels), std::end(labels), fallbackLabel);
    }

    void addEntry(const QString &property, const VCardLine &line, const QVariant &value,
                  const TypeLabel *labelsBegin, const TypeLabel *labelsEnd,
                  const QString &fallbackLabel)
    {
        if (!value.isValid() ||
            (value.metaType().id() == QMetaType::QString && value.toString().isEmpty()))
            return;
        QString label = m_groupLabels.value(line.group);
        if (label.isEmpty())
            label = labelFromTypes(line, labelsBegin, labelsEnd);
        if (label.isEmpty())
            label = fallbackLabel;
        auto [entry, isNew] = m_multiValues.try_emplace(property);
        if (isNew)
            entry->second =
                MutableMultiValue(builtinproperties::typeOf(RecordClass::Person, property));
        const QString identifier = entry->second.addValue(value, label);
        if (line.hasType(QStringLiteral("pref")) && entry->second.primaryIdentifier().isNull())
            entry->second.setPrimaryIdentifier(identifier);
    }

    // A card without name parts is named by its formatted name, unless that is the company's.
    void finishNames()
    {
        const QString organization = m_person->valueForProperty(kABOrganizationProperty).toString();
        if (!m_hasName && !m_formattedName.trimmed().isEmpty() && m_formattedName != organization)
            setText(kABFirstNameProperty, m_formattedName.trimmed());
    }

    const VCard &m_card;
    PersonPtr m_person = Person::create();
    GroupValues m_groupLabels;
    GroupValues m_groupCountryCodes;
    std::map<QString, MutableMultiValue> m_multiValues;
    QString m_formattedName;
    QStringList m_skipped;
    bool m_hasName = false;
    int m_flags = 0;
};

const PersonBuilder::LineRule PersonBuilder::kLineRules[] = {
    {"N", &PersonBuilder::readName},
    {"FN", &PersonBuilder::readFormattedName},
    {"ORG", &PersonBuilder::readOrganization},
    {"BDAY", &PersonBuilder::readBirthday},
    {"ADR", &PersonBuilder::readAddress},
    {"X-ABDATE", &PersonBuilder::readOtherDate},
    {"ANNIVERSARY", &PersonBuilder::readOtherDate},
    {"X-ABSHOWAS", &PersonBuilder::readShowAs},
    {"KIND", &PersonBuilder::readKind},
    {"PHOTO", &PersonBuilder::readPhoto},
    {"TEL", &PersonBuilder::readPhone},
    {"IMPP", &PersonBuilder::readImpp},
    {"X-AIM", &PersonBuilder::readInstant},
    {"X-JABBER", &PersonBuilder::readInstant},
    {"X-MSN", &PersonBuilder::readInstant},
    {"X-ICQ", &PersonBuilder::readInstant},
    {"X-YAHOO", &PersonBuilder::readInstant},
};

void PersonBuilder::readLine(const VCardLine &line)
{
    for (const TextProperty &text : kTextProperties) {
        if (line.name == text.vcardName) {
            setText(text.property, line.text());
            return;
        }
    }
    for (const LabelledProperty &labelled : kLabelledProperties) {
        if (line.name == labelled.vcardName) {
            addEntry(labelled.property, line, line.text().trimmed(), labelled.labelsBegin,
                     labelled.labelsEnd, QString());
            return;
        }
    }
    for (const LineRule &rule : kLineRules) {
        if (line.name == rule.vcardName) {
            (this->*rule.read)(line);
            return;
        }
    }
}

} // namespace

namespace vcardreader {

PersonPtr read(const QByteArray &data, QString *errorMessage, QStringList *skipped)
{
    const std::optional<VCard> card = vcardparser::parse(data, errorMessage);
    if (!card)
        return nullptr;
    PersonBuilder builder(*card);
    PersonPtr person = builder.build();
    if (skipped)
        *skipped = card->skipped + builder.skipped();
    return person;
}

QString telephoneNumberOfUri(const QString &uri)
{
    if (!uri.startsWith(QStringLiteral("tel:"), Qt::CaseInsensitive))
        return uri;
    // tel:NUMBER;ext=EXTENSION;isdn-subaddress=...;phone-context=...
    const QStringList parts = uri.mid(4).split(u';');
    QString number = QUrl::fromPercentEncoding(parts.first().toUtf8()).trimmed();
    for (const QString &parameter : parts.mid(1)) {
        if (parameter.startsWith(QStringLiteral("ext="), Qt::CaseInsensitive))
            number += QStringLiteral(" ext. ") +
                      QUrl::fromPercentEncoding(parameter.mid(4).toUtf8()).trimmed();
    }
    return number;
}

} // namespace vcardreader
