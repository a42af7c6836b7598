#include "platform/addressbook/vcard/vcardwriter.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"

#include <QDate>

#include <algorithm>
#include <initializer_list>

namespace {

// Type parameters that stand for a standard label, per property.
struct LabelTypes
{
    const QString &label;
    const char *types;
};

const LabelTypes kEmailTypes[] = {
    {kABHomeLabel, ";type=HOME"},
    {kABWorkLabel, ";type=WORK"},
};

const LabelTypes kPhoneTypes[] = {
    {kABHomeLabel, ";type=HOME"},
    {kABWorkLabel, ";type=WORK"},
    {kABPhoneMobileLabel, ";type=CELL"},
    {kABPhoneMainLabel, ";type=MAIN"},
    {kABPhoneHomeFAXLabel, ";type=HOME;type=FAX"},
    {kABPhoneWorkFAXLabel, ";type=WORK;type=FAX"},
    {kABPhonePagerLabel, ";type=PAGER"},
};

// Web addresses and instant messaging know home and work only, like e-mail.
const LabelTypes kAddressTypes[] = {
    {kABHomeLabel, ";type=HOME"},
    {kABWorkLabel, ";type=WORK"},
};

struct InstantService
{
    const QString &property;
    const char *name;
};

const InstantService kInstantServices[] = {
    {kABAIMInstantProperty, "X-AIM"},     {kABJabberInstantProperty, "X-JABBER"},
    {kABMSNInstantProperty, "X-MSN"},     {kABICQInstantProperty, "X-ICQ"},
    {kABYahooInstantProperty, "X-YAHOO"},
};

QString escaped(QString text)
{
    // Most values hold none of the characters escaped: they are handed back without six passes.
    const auto plain = std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        return c == u'\\' || c == u'\r' || c == u'\n' || c == u',' || c == u';';
    });
    if (plain)
        return text;
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u',', QStringLiteral("\\,"));
    text.replace(u';', QStringLiteral("\\;"));
    return text;
}

// A parameter value that holds a separator is quoted; quotes cannot stand inside one.
QString parameterValue(QString text)
{
    text.remove(u'"');
    for (const QChar c : {u';', u':', u','}) {
        if (text.contains(c))
            return u'"' + text + u'"';
    }
    return text;
}

QString structured(std::initializer_list<QString> parts)
{
    QString text;
    for (const QString &part : parts) {
        if (&part != parts.begin())
            text.append(u';');
        text.append(escaped(part));
    }
    return text;
}

const char *typesFor(const QString &label, const LabelTypes *begin, const LabelTypes *end)
{
    for (const LabelTypes *entry = begin; entry != end; ++entry) {
        if (entry->label == label)
            return entry->types;
    }
    return nullptr;
}

class CardBuilder
{
public:
    explicit CardBuilder(const Person &person)
        : m_person(person)
    {
        m_text.reserve(1024);
    }

    QString text(const QString &property) const
    {
        return m_person.valueForProperty(property).toString();
    }

    // One line of the parts given, written straight into the card's text.
    template <typename... Parts> void add(const Parts &...parts)
    {
        (m_text.append(parts), ...);
        m_text.append(QLatin1String("\r\n"));
    }

    void addIfPresent(const char *name, const QString &property)
    {
        const QString value = text(property);
        if (!value.isEmpty())
            add(QLatin1String(name), u':', escaped(value));
    }

    // A multi-value whose standard labels are type parameters and whose other labels become
    // grouped items. An entry without a label is written plainly.
    template <std::size_t N>
    void addLabelled(const QString &property, const QString &name, const QString &baseTypes,
                     const LabelTypes (&standard)[N])
    {
        const MultiValue values = m_person.multiValueForProperty(property);
        for (int i = 0; i < values.count(); ++i) {
            const QString value = escaped(values.valueAt(i).toString());
            const QString label = values.labelAt(i);
            const QLatin1String pref =
                isPrimary(values, i) ? QLatin1String(";type=pref") : QLatin1String();
            if (const char *types = typesFor(label, standard, standard + N))
                add(name, baseTypes, QLatin1String(types), pref, u':', value);
            else if (label.isEmpty())
                add(name, baseTypes, pref, u':', value);
            else
                addGrouped(label, name, baseTypes, pref, u':', value);
        }
    }

    void addAddresses()
    {
        const MultiValue values = m_person.multiValueForProperty(kABAddressProperty);
        for (int i = 0; i < values.count(); ++i) {
            const QVariantMap address = values.valueAt(i).toMap();
            const QString label = values.labelAt(i);
            const char *types = typesFor(label, std::begin(kAddressTypes), std::end(kAddressTypes));
            const QString item = nextItem();
            add(item, QLatin1String(".ADR"), QLatin1String(types ? types : ""),
                isPrimary(values, i) ? QLatin1String(";type=pref") : QLatin1String(),
                QLatin1String(":;;"),
                structured({address.value(kABAddressStreetKey).toString(),
                            address.value(kABAddressCityKey).toString(),
                            address.value(kABAddressStateKey).toString(),
                            address.value(kABAddressZIPKey).toString(),
                            address.value(kABAddressCountryKey).toString()}));
            if (!types && !label.isEmpty())
                add(item, QLatin1String(".X-ABLabel:"), escaped(label));
            const QString code = address.value(kABAddressCountryCodeKey).toString();
            if (!code.isEmpty())
                add(item, QLatin1String(".X-ABADR:"), escaped(code));
        }
    }

    void addInstantMessaging()
    {
        for (const InstantService &service : kInstantServices)
            addLabelled(service.property, QLatin1String(service.name), QString(), kEmailTypes);
        const MultiValue others = m_person.multiValueForProperty(kABOtherInstantProperty);
        for (int i = 0; i < others.count(); ++i) {
            const QString service = others.labelAt(i);
            add(QStringLiteral("IMPP") +
                (service.isEmpty() ? QString()
                                   : QStringLiteral(";X-SERVICE-TYPE=") + parameterValue(service)) +
                (isPrimary(others, i) ? QStringLiteral(";type=pref") : QString()) + u':' +
                escaped(others.valueAt(i).toString()));
        }
    }

    // Related names and dates are always grouped, and their label line always follows.
    void addAlwaysGrouped(const QString &property, const QString &name)
    {
        const MultiValue values = m_person.multiValueForProperty(property);
        for (int i = 0; i < values.count(); ++i) {
            const QVariant value = values.valueAt(i);
            const QString text = value.metaType().id() == QMetaType::QDate
                                     ? value.toDate().toString(Qt::ISODate)
                                     : escaped(value.toString());
            addGrouped(values.labelAt(i), name,
                       isPrimary(values, i) ? QLatin1String(";type=pref") : QLatin1String(), u':',
                       text);
        }
    }

    QByteArray finish()
    {
        add(QLatin1String("X-ABUID:"), m_person.uniqueId());
        add(QLatin1String("END:VCARD"));
        return m_text.toUtf8();
    }

private:
    static bool isPrimary(const MultiValue &values, int index)
    {
        return !values.primaryIdentifier().isNull() &&
               values.identifierAt(index) == values.primaryIdentifier();
    }

    QString nextItem() { return QLatin1String("item") + QString::number(++m_items); }

    template <typename... Parts> void addGrouped(const QString &label, const Parts &...line)
    {
        const QString item = nextItem();
        add(item, u'.', line...);
        add(item, QLatin1String(".X-ABLabel:"), escaped(label));
    }

    const Person &m_person;
    // The card's lines, each ended by CRLF, written in one text as they are added.
    QString m_text;
    int m_items = 0;
};

bool isCompany(const Person &person)
{
    return (person.valueForProperty(kABPersonFlags).toInt() & kABShowAsMask) == kABShowAsCompany;
}

// The name parts in the order of the N line.
struct NameParts
{
    QString last, first, middle, title, suffix;
};

QString displayName(const Person &person, const NameParts &name)
{
    const QString organization = person.valueForProperty(kABOrganizationProperty).toString();
    if (isCompany(person) && !organization.isEmpty())
        return organization;
    QStringList parts;
    for (const QString *part : {&name.title, &name.first, &name.middle, &name.last, &name.suffix}) {
        if (!part->isEmpty())
            parts.append(*part);
    }
    return parts.isEmpty() ? organization : parts.join(u' ');
}

void addOpening(CardBuilder &card, const Person &person)
{
    card.add(QStringLiteral("BEGIN:VCARD"));
    card.add(QStringLiteral("VERSION:3.0"));
    // Read once for both lines: each read looks the property up in the record.
    const NameParts name{card.text(kABLastNameProperty), card.text(kABFirstNameProperty),
                         card.text(kABMiddleNameProperty), card.text(kABTitleProperty),
                         card.text(kABSuffixProperty)};
    card.add(QLatin1String("N:"),
             structured({name.last, name.first, name.middle, name.title, name.suffix}));
    card.add(QLatin1String("FN:"), escaped(displayName(person, name)));
}

void addOrganization(CardBuilder &card)
{
    const QString organization = card.text(kABOrganizationProperty);
    const QString department = card.text(kABDepartmentProperty);
    if (organization.isEmpty() && department.isEmpty())
        return;
    card.add(QLatin1String("ORG:"), structured({organization, department}));
}

} // namespace

namespace vcardwriter {

QByteArray write(const Person &person, const QStringList &groupNames, const Options &options)
{
    CardBuilder card(person);
    addOpening(card, person);
    card.addIfPresent("NICKNAME", kABNicknameProperty);
    addOrganization(card);
    card.addIfPresent("TITLE", kABJobTitleProperty);
    card.addLabelled(kABEmailProperty, QStringLiteral("EMAIL"), QStringLiteral(";type=INTERNET"),
                     kEmailTypes);
    card.addLabelled(kABPhoneProperty, QStringLiteral("TEL"), QString(), kPhoneTypes);
    card.addAddresses();
    card.addLabelled(kABURLsProperty, QStringLiteral("URL"), QString(), kEmailTypes);
    const QDate birthday = person.valueForProperty(kABBirthdayProperty).toDate();
    if (birthday.isValid())
        card.add(QStringLiteral("BDAY;value=date:") + birthday.toString(Qt::ISODate));
    card.addInstantMessaging();
    card.addAlwaysGrouped(kABRelatedNamesProperty, QStringLiteral("X-ABRELATEDNAMES"));
    card.addAlwaysGrouped(kABOtherDatesProperty, QStringLiteral("X-ABDATE"));
    if (isCompany(person))
        card.add(QStringLiteral("X-ABShowAs:COMPANY"));
    if (options.includeNote)
        card.addIfPresent("NOTE", kABNoteProperty);
    if (options.includePhoto && person.hasImage()) {
        card.add(QStringLiteral("PHOTO;BASE64:"));
        card.add(QStringLiteral("  ") + QString::fromLatin1(person.imageData().toBase64()));
    }
    if (!groupNames.isEmpty()) {
        QStringList escapedNames;
        for (const QString &name : groupNames)
            escapedNames.append(escaped(name));
        card.add(QStringLiteral("CATEGORIES:") + escapedNames.join(u','));
    }
    return card.finish();
}

} // namespace vcardwriter
