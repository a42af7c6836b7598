#include "tests/support/google/googleaccountseed.h"

#include "tests/support/google/testpicture.h"

#include "addressbook/addressbookkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <QColor>

#include <iterator>
#include <optional>
#include <vector>

namespace googleaccountseed {
namespace {

// Texts of the tables hold "%1" where the contact's index goes.
QString filled(const char *pattern, int index)
{
    return QString::fromUtf8(pattern).replace(QStringLiteral("%1"), QString::number(index));
}

std::optional<QString> optionalText(const char *text)
{
    return text ? std::optional<QString>(QString::fromUtf8(text)) : std::nullopt;
}

const char kCarRel[] = "http://schemas.google.com/g/2005#car";
const char kVacationRel[] = "http://schemas.google.com/g/2005#vacation";

// An e-mail address or phone number: its rel and label on Google (null: none), its value, its
// primary mark, and the label the person gets (null: the Google label itself).
struct ValueRow
{
    const char *rel;
    const char *label;
    const char *value;
    bool primary;
    const QString *bookLabel;
};

const std::vector<ValueRow> kEmailVariants[] = {
    {{kGDataContactHome, nullptr, "p%1@home.example", true, &kABEmailHomeLabel},
     {kGDataContactWork, nullptr, "p%1@work.example", false, &kABEmailWorkLabel}},
    {{nullptr, "Home office", "p%1@office.example", false, &kABEmailHomeLabel},
     {nullptr, "Cottage", "p%1@cottage.example", true, &kABOtherLabel}},
    {{kGDataContactOther, nullptr, "p%1@other.example", false, &kABOtherLabel},
     {nullptr, nullptr, "p%1@plain.example", false, &kABOtherLabel}},
    {{nullptr, "Work stuff", "p%1@stuff.example", true, &kABEmailWorkLabel}},
    {},
    {{kGDataContactHome, nullptr, "p%1@example.com", false, &kABEmailHomeLabel}},
};

const ValueRow kSharedEmail = {kGDataContactHome, nullptr, "shared@example.com", true,
                               &kABEmailHomeLabel};

const std::vector<ValueRow> kPhoneVariants[] = {
    {{kGDataPhoneNumberMobile, nullptr, "555 %1 1", false, &kABPhoneMobileLabel},
     {kGDataPhoneNumberHome, nullptr, "555 %1 2", false, &kABPhoneHomeLabel},
     {kGDataPhoneNumberHomeFax, nullptr, "555 %1 3", true, &kABPhoneHomeFAXLabel}},
    {{kGDataPhoneNumberWork, nullptr, "555 %1 1", false, &kABPhoneWorkLabel},
     {kGDataPhoneNumberWorkFax, nullptr, "555 %1 2", false, &kABPhoneWorkFAXLabel},
     {kGDataPhoneNumberPager, nullptr, "555 %1 3", false, &kABPhonePagerLabel},
     {kGDataPhoneNumberOther, nullptr, "555 %1 4", false, &kABOtherLabel}},
    {{nullptr, "Boat", "555 %1 1", false, nullptr},
     {nullptr, "Home Fax", "555 %1 2", false, &kABPhoneHomeFAXLabel},
     {nullptr, "work fax line", "555 %1 3", false, &kABPhoneWorkFAXLabel},
     {nullptr, nullptr, "555 %1 4", true, &kABPhoneMainLabel}},
    {{nullptr, "MobilePhone", "555 %1 1", false, &kABPhoneMobileLabel},
     {nullptr, "Home", "555 %1 2", false, &kABPhoneHomeLabel},
     {nullptr, "Work", "555 %1 3", false, &kABPhoneWorkLabel},
     {kCarRel, nullptr, "555 %1 4", false, &kABPhoneMainLabel}},
};

// A postal address: Google's text and what it parses into. An address with a rel the book has
// no label for is not added.
struct AddressRow
{
    const char *rel;
    const char *label;
    const char *text;
    bool primary;
    const QString *bookLabel;
    bool added;
    const char *street;
    const char *city;
    const char *state;
    const char *zip;
    const char *country;
};

const std::vector<AddressRow> kAddressVariants[] = {
    {{kGDataContactHome, nullptr, "%1 Main St\nApt %1\nSpringfield, IL 62704\nUSA", true,
      &kABAddressHomeLabel, true, "%1 Main St\rApt %1", "Springfield", "IL", "62704", "USA"}},
    {{nullptr, "Cottage", "%1 Lake Rd\nBergen, Hordaland 5003\nNorway", false, nullptr, true,
      "%1 Lake Rd", "Bergen", "Hordaland", "5003", "Norway"},
     {kGDataContactWork, nullptr, "%1 Works Rd\nSuite %1\nShelbyville, IL 62565\nUSA", true,
      &kABAddressWorkLabel, true, "%1 Works Rd\rSuite %1", "Shelbyville", "IL", "62565", "USA"}},
    {{nullptr, nullptr, "%1 Elm St\nSpringfield, IL 62704\nUSA", false, &kABAddressWorkLabel, true,
      "%1 Elm St", "Springfield", "IL", "62704", "USA"},
     {kGDataContactOther, nullptr, "%1 Oak Ave\nDecatur, IL 62521\nUSA", false, &kABOtherLabel,
      true, "%1 Oak Ave", "Decatur", "IL", "62521", "USA"},
     {kVacationRel, nullptr, "%1 Beach Rd\nNaples, FL 34102\nUSA", true, nullptr, false, "", "", "",
      "", ""}},
};

// A handle: its protocol, address and primary mark; the person's service property it lands in,
// and for the services the book has no property of its own, the service name it is labelled with.
struct IMRow
{
    const char *protocol;
    const char *address;
    bool primary;
    const QString *property;
    const char *serviceName;
};

const std::vector<IMRow> kIMVariants[] = {
    {{kGDataIMProtocolAIM, "aim%1", false, &kABAIMInstantProperty, nullptr},
     {kGDataIMProtocolJabber, "j%1@jabber.example", true, &kABJabberInstantProperty, nullptr},
     {kGDataIMProtocolSkype, "sky%1", false, &kABOtherInstantProperty, "Skype"}},
    {{kGDataIMProtocolMSN, "m%1@msn.example", true, &kABMSNInstantProperty, nullptr},
     {kGDataIMProtocolICQ, "%1042", false, &kABICQInstantProperty, nullptr},
     {kGDataIMProtocolQQ, "qq%1", false, &kABOtherInstantProperty, "QQ"},
     {kGDataIMProtocolGoogleTalk, "g%1@talk.example", false, &kABJabberInstantProperty, nullptr}},
    {{kGDataIMProtocolYahoo, "y%1", true, &kABYahooInstantProperty, nullptr}},
};

// A note: Google's text, the note the person keeps and the web address its lines carry.
struct NoteRow
{
    const char *text;
    const char *note;
    const char *urlLabel; // null: no web address; "" the book's home page label
    const char *url;
};

const NoteRow kNoteVariants[] = {
    {"Met at fair %1\n%2:: http://p%1.example.com", "Met at fair %1", "", "http://p%1.example.com"},
    {"Plain note %1", "Plain note %1", nullptr, nullptr},
    {"Ratio %1::1\nBlog:: https://blog%1.example.com\nend", "Ratio %1::1\rend", "Blog",
     "https://blog%1.example.com"},
    {nullptr, nullptr, nullptr, nullptr},
    {"Line one %1\nline two", "Line one %1\nline two", nullptr, nullptr},
};

const char *const kFirstNames[] = {"Ann", "Bo", "Cy", "Di", "Ed", "Flo", "Gus", "Hal"};
const char *const kGroupTitles[] = {"Team A", "Team B", "Team C", "Team D", "Team E", "Team F"};
constexpr int kGroupCount = int(std::size(kGroupTitles));

struct Names
{
    std::optional<QString> title;
    QString first;
    QString nickname;
    QString last;
};

bool isCompany(int index)
{
    return index % 20 == 18 || index % 20 == 19;
}

QString family(int index)
{
    return QStringLiteral("Family%1").arg(index, 3, 10, QLatin1Char('0'));
}

// The title on Google and the names it splits into: two words, three words, a quoted nickname,
// one word, and now and then no title at all.
Names namesAt(int index)
{
    if (isCompany(index))
        return {QStringLiteral("Firm%1 Ltd").arg(index), {}, {}, {}};
    if (index % 50 == 25)
        return {std::nullopt, {}, {}, {}};
    switch (index % 10) {
    case 3:
        return {QStringLiteral("Mary Ann ") + family(index),
                QStringLiteral("Mary"),
                {},
                QStringLiteral("Ann ") + family(index)};
    case 6:
        return {QStringLiteral("Al \"Ace%1\" ").arg(index) + family(index), QStringLiteral("Al"),
                QStringLiteral("Ace%1").arg(index), family(index)};
    case 8:
        return {QStringLiteral("Solo%1").arg(index), QStringLiteral("Solo%1").arg(index), {}, {}};
    default: {
        const QString first = QString::fromLatin1(kFirstNames[index % 8]);
        return {first + QLatin1Char(' ') + family(index), first, {}, family(index)};
    }
    }
}

// The organisations on Google: none, one, or two with the second primary.
std::vector<GDataOrganization> organizationsAt(int index)
{
    if (index % 4 == 1) {
        GDataOrganization works =
            GDataOrganization::organizationWithName(QStringLiteral("Works%1").arg(index % 7));
        if (index % 8 != 5)
            works.orgTitle = QStringLiteral("Engineer");
        return {works};
    }
    if (index % 4 == 3) {
        GDataOrganization old =
            GDataOrganization::organizationWithName(QStringLiteral("Old Works"));
        old.orgTitle = QStringLiteral("Clerk");
        GDataOrganization current =
            GDataOrganization::organizationWithName(QStringLiteral("Works%1").arg(index % 5));
        current.orgTitle = QStringLiteral("Pilot");
        current.primary = true;
        return {old, current};
    }
    return {};
}

std::optional<GDataOrganization> primaryOrganization(int index)
{
    const std::vector<GDataOrganization> organizations = organizationsAt(index);
    if (organizations.empty())
        return std::nullopt;
    return organizations.back().primary ? organizations.back() : organizations.front();
}

std::vector<ValueRow> emailsAt(int index)
{
    if (index == kSharedEmailFirst || index == kSharedEmailSecond)
        return {kSharedEmail};
    return kEmailVariants[index % std::size(kEmailVariants)];
}

// A People account has no counterpart for the rels only Atom knows: it never holds them.
template <typename Row> std::vector<Row> withoutAtomOnlyRels(std::vector<Row> rows, Flavour flavour)
{
    if (flavour == Flavour::People)
        std::erase_if(rows, [](const Row &row) {
            return row.rel &&
                   (qstrcmp(row.rel, kCarRel) == 0 || qstrcmp(row.rel, kVacationRel) == 0);
        });
    return rows;
}

std::vector<ValueRow> phonesAt(int index, Flavour flavour)
{
    if (index % 13 == 0)
        return {};
    return withoutAtomOnlyRels(kPhoneVariants[index % std::size(kPhoneVariants)], flavour);
}

std::vector<AddressRow> addressesAt(int index, Flavour flavour)
{
    if (index % 17 == 0)
        return {};
    return withoutAtomOnlyRels(kAddressVariants[index % std::size(kAddressVariants)], flavour);
}

std::vector<IMRow> handlesAt(int index)
{
    if (index % 11 == 0)
        return {};
    return kIMVariants[index % std::size(kIMVariants)];
}

const NoteRow &noteAt(int index)
{
    return kNoteVariants[index % std::size(kNoteVariants)];
}

// Indexes into the account's own groups.
QList<int> groupsAt(int index)
{
    if (index % 9 == 0)
        return {};
    QList<int> groups = {index % kGroupCount};
    if (index % 4 == 0)
        groups << (index + 3) % kGroupCount;
    return groups;
}

bool hasPhoto(int index)
{
    return index % 37 == 5;
}

QColor photoColor(int index)
{
    return QColor::fromHsv((index * 7) % 360, 200, 200);
}

QString homePageText()
{
    return localizedPropertyOrLabel(kABHomePageLabel);
}

template <typename Element>
std::vector<Element> valuesOf(const std::vector<ValueRow> &rows, int index)
{
    std::vector<Element> values;
    for (const ValueRow &row : rows)
        values.push_back({filled(row.value, index), optionalText(row.rel), optionalText(row.label),
                          row.primary});
    return values;
}

void addContactValues(GDataEntryContact &contact, int index, Flavour flavour)
{
    contact.setEmailAddresses(valuesOf<GDataEmail>(emailsAt(index), index));
    contact.setPhoneNumbers(valuesOf<GDataPhoneNumber>(phonesAt(index, flavour), index));
    std::vector<GDataPostalAddress> addresses;
    for (const AddressRow &row : addressesAt(index, flavour))
        addresses.push_back(
            {filled(row.text, index), optionalText(row.rel), optionalText(row.label), row.primary});
    contact.setPostalAddresses(addresses);
    std::vector<GDataIM> handles;
    for (const IMRow &row : handlesAt(index)) {
        GDataIM handle = GDataIM::IMWithProtocol(optionalText(row.protocol), std::nullopt,
                                                 std::nullopt, filled(row.address, index));
        handle.primary = row.primary;
        handles.push_back(handle);
    }
    contact.setIMAddresses(handles);
}

QStringList entriesOf(const std::vector<ValueRow> &rows, int index)
{
    QStringList entries;
    for (const ValueRow &row : rows)
        entries << personcard::entry(row.bookLabel ? *row.bookLabel : QString::fromUtf8(row.label),
                                     filled(row.value, index), row.primary);
    return entries;
}

QStringList addressEntriesOf(const std::vector<AddressRow> &rows, int index)
{
    QStringList entries;
    for (const AddressRow &row : rows) {
        if (!row.added)
            continue;
        const std::pair<const QString &, const char *> parts[] = {
            {kABAddressStreetKey, row.street},
            {kABAddressCityKey, row.city},
            {kABAddressStateKey, row.state},
            {kABAddressZIPKey, row.zip},
            {kABAddressCountryKey, row.country}};
        QVariantMap address;
        for (const auto &[key, pattern] : parts)
            address.insert(key, filled(pattern, index));
        entries << personcard::entry(row.bookLabel ? *row.bookLabel : QString::fromUtf8(row.label),
                                     personcard::addressText(address), row.primary);
    }
    return entries;
}

void insertEntries(PersonCard &card, const QString &property, const QStringList &entries)
{
    if (!entries.isEmpty())
        card.insert(property, entries);
}

void insertText(PersonCard &card, const QString &property, const QString &text)
{
    if (!text.isEmpty())
        card.insert(property, text);
}

void insertNamesAndOrganization(PersonCard &card, int index)
{
    const Names names = namesAt(index);
    const std::optional<GDataOrganization> organization = primaryOrganization(index);
    insertText(card, kABFirstNameProperty, names.first);
    insertText(card, kABNicknameProperty, names.nickname);
    insertText(card, kABLastNameProperty, names.last);
    // A company is named by its organisation, or by its title without one.
    if (organization)
        insertText(card, kABOrganizationProperty, organization->orgName.value_or(QString()));
    else if (isCompany(index))
        insertText(card, kABOrganizationProperty, names.title.value_or(QString()));
    if (organization)
        insertText(card, kABJobTitleProperty, organization->orgTitle.value_or(QString()));
    card.insert(kABPersonFlags, isCompany(index) ? kABShowAsCompany : kABShowAsPerson);
}

void insertNoteAndURLs(PersonCard &card, int index)
{
    const NoteRow &note = noteAt(index);
    if (note.note)
        insertText(card, kABNoteProperty, filled(note.note, index));
    if (note.urlLabel) {
        const QString label = *note.urlLabel ? QString::fromUtf8(note.urlLabel) : kABHomePageLabel;
        card.insert(kABURLsProperty,
                    QStringList{personcard::entry(label, filled(note.url, index), false)});
    }
}

void insertHandles(PersonCard &card, int index)
{
    QMap<QString, QStringList> byProperty;
    for (const IMRow &row : handlesAt(index))
        byProperty[*row.property] << personcard::entry(
            row.serviceName ? QString::fromUtf8(row.serviceName) : kABHomeLabel,
            filled(row.address, index), row.primary);
    for (auto it = byProperty.cbegin(); it != byProperty.cend(); ++it)
        card.insert(it.key(), it.value());
}

} // namespace

QStringList groupTitles()
{
    QStringList titles;
    for (const char *title : kGroupTitles)
        titles << QString::fromUtf8(title);
    return titles;
}

GDataEntryContactPtr contactAt(int index, const QStringList &groupIDs, const QString &myContactsID,
                               Flavour flavour)
{
    const GDataEntryContactPtr contact =
        GDataEntryContact::contactEntryWithTitle(namesAt(index).title);
    contact->setOrganizations(organizationsAt(index));
    const NoteRow &note = noteAt(index);
    if (note.text)
        contact->setContentWithString(
            filled(note.text, index).replace(QStringLiteral("%2"), homePageText()));
    addContactValues(*contact, index, flavour);
    std::vector<GDataGroupMembershipInfo> memberships = {
        GDataGroupMembershipInfo::groupMembershipInfoWithHref(myContactsID)};
    for (int group : groupsAt(index))
        memberships.push_back(
            GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupIDs.value(group)));
    contact->setGroupMembershipInfos(memberships);
    if (isCompany(index)) {
        GDataExtendedProperty property = GDataExtendedProperty::propertyWithName(
            UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName));
        property.setXMLValues({{QStringLiteral("isCo"), QStringLiteral("1")}});
        contact->setExtendedProperties({property});
    }
    return contact;
}

bool isDeleted(int index)
{
    return index % 29 == 11;
}

QByteArray photoAt(int index)
{
    if (!hasPhoto(index))
        return {};
    return testpicture::encoded(photoColor(index), "PNG");
}

PersonCard expectedCard(int index, Flavour flavour)
{
    PersonCard card;
    insertNamesAndOrganization(card, index);
    insertNoteAndURLs(card, index);
    insertEntries(card, kABEmailProperty, entriesOf(emailsAt(index), index));
    insertEntries(card, kABPhoneProperty, entriesOf(phonesAt(index, flavour), index));
    insertEntries(card, kABAddressProperty, addressEntriesOf(addressesAt(index, flavour), index));
    insertHandles(card, index);
    QStringList groups;
    for (int group : groupsAt(index))
        groups << QString::fromUtf8(kGroupTitles[group]);
    groups.sort();
    card.insert(personcard::groupsKey, groups);
    if (hasPhoto(index))
        card.insert(personcard::pictureKey, photoColor(index).name());
    return card;
}

} // namespace googleaccountseed
