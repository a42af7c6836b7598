#include "platform/addressbook/localizedpropertyorlabel.h"

#include "platform/addressbook/abconstants.h"

#include <QCoreApplication>

namespace {

struct ReadableName
{
    const QString &raw;
    const char *english;
};

// Labels read in lower case inside sentences ("home page of ..."); address keys and property
// names are shown as headings.
const ReadableName kReadableNames[] = {
    {kABWorkLabel, QT_TRANSLATE_NOOP("AB", "work")},
    {kABHomeLabel, QT_TRANSLATE_NOOP("AB", "home")},
    {kABOtherLabel, QT_TRANSLATE_NOOP("AB", "other")},
    {kABPhoneMobileLabel, QT_TRANSLATE_NOOP("AB", "mobile")},
    {kABPhoneMainLabel, QT_TRANSLATE_NOOP("AB", "main")},
    {kABPhoneHomeFAXLabel, QT_TRANSLATE_NOOP("AB", "home fax")},
    {kABPhoneWorkFAXLabel, QT_TRANSLATE_NOOP("AB", "work fax")},
    {kABPhonePagerLabel, QT_TRANSLATE_NOOP("AB", "pager")},
    {kABHomePageLabel, QT_TRANSLATE_NOOP("AB", "home page")},
    {kABAnniversaryLabel, QT_TRANSLATE_NOOP("AB", "anniversary")},
    {kABSpouseLabel, QT_TRANSLATE_NOOP("AB", "spouse")},
    {kABFatherLabel, QT_TRANSLATE_NOOP("AB", "father")},
    {kABMotherLabel, QT_TRANSLATE_NOOP("AB", "mother")},
    {kABParentLabel, QT_TRANSLATE_NOOP("AB", "parent")},
    {kABBrotherLabel, QT_TRANSLATE_NOOP("AB", "brother")},
    {kABSisterLabel, QT_TRANSLATE_NOOP("AB", "sister")},
    {kABChildLabel, QT_TRANSLATE_NOOP("AB", "child")},
    {kABFriendLabel, QT_TRANSLATE_NOOP("AB", "friend")},
    {kABPartnerLabel, QT_TRANSLATE_NOOP("AB", "partner")},
    {kABAssistantLabel, QT_TRANSLATE_NOOP("AB", "assistant")},
    {kABManagerLabel, QT_TRANSLATE_NOOP("AB", "manager")},
    {kABAddressStreetKey, QT_TRANSLATE_NOOP("AB", "Street")},
    {kABAddressCityKey, QT_TRANSLATE_NOOP("AB", "City")},
    {kABAddressStateKey, QT_TRANSLATE_NOOP("AB", "State")},
    {kABAddressZIPKey, QT_TRANSLATE_NOOP("AB", "ZIP")},
    {kABAddressCountryKey, QT_TRANSLATE_NOOP("AB", "Country")},
    {kABAddressCountryCodeKey, QT_TRANSLATE_NOOP("AB", "Country Code")},
    {kABUIDProperty, QT_TRANSLATE_NOOP("AB", "Unique ID")},
    {kABCreationDateProperty, QT_TRANSLATE_NOOP("AB", "Creation Date")},
    {kABModificationDateProperty, QT_TRANSLATE_NOOP("AB", "Modification Date")},
    {kABGroupNameProperty, QT_TRANSLATE_NOOP("AB", "Group Name")},
    {kABFirstNameProperty, QT_TRANSLATE_NOOP("AB", "First")},
    {kABLastNameProperty, QT_TRANSLATE_NOOP("AB", "Last")},
    {kABMiddleNameProperty, QT_TRANSLATE_NOOP("AB", "Middle")},
    {kABTitleProperty, QT_TRANSLATE_NOOP("AB", "Title")},
    {kABSuffixProperty, QT_TRANSLATE_NOOP("AB", "Suffix")},
    {kABNicknameProperty, QT_TRANSLATE_NOOP("AB", "Nickname")},
    {kABOrganizationProperty, QT_TRANSLATE_NOOP("AB", "Company")},
    {kABDepartmentProperty, QT_TRANSLATE_NOOP("AB", "Department")},
    {kABJobTitleProperty, QT_TRANSLATE_NOOP("AB", "Job Title")},
    {kABNoteProperty, QT_TRANSLATE_NOOP("AB", "Note")},
    {kABBirthdayProperty, QT_TRANSLATE_NOOP("AB", "Birthday")},
    {kABPersonFlags, QT_TRANSLATE_NOOP("AB", "Flags")},
    {kABEmailProperty, QT_TRANSLATE_NOOP("AB", "Email")},
    {kABPhoneProperty, QT_TRANSLATE_NOOP("AB", "Phone")},
    {kABURLsProperty, QT_TRANSLATE_NOOP("AB", "URLs")},
    {kABRelatedNamesProperty, QT_TRANSLATE_NOOP("AB", "Related Names")},
    {kABAIMInstantProperty, QT_TRANSLATE_NOOP("AB", "AIM")},
    {kABJabberInstantProperty, QT_TRANSLATE_NOOP("AB", "Jabber")},
    {kABMSNInstantProperty, QT_TRANSLATE_NOOP("AB", "MSN")},
    {kABICQInstantProperty, QT_TRANSLATE_NOOP("AB", "ICQ")},
    {kABYahooInstantProperty, QT_TRANSLATE_NOOP("AB", "Yahoo")},
    {kABOtherInstantProperty, QT_TRANSLATE_NOOP("AB", "Instant Message")},
    {kABOtherDatesProperty, QT_TRANSLATE_NOOP("AB", "Dates")},
    {kABAddressProperty, QT_TRANSLATE_NOOP("AB", "Address")},
};

} // namespace

QString localizedPropertyOrLabel(const QString &propertyOrLabel)
{
    for (const ReadableName &name : kReadableNames) {
        if (name.raw == propertyOrLabel)
            return QCoreApplication::translate("AB", name.english);
    }
    return propertyOrLabel;
}
