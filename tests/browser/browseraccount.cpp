#include "tests/browser/browseraccount.h"

#include "browser/models/contactarraycontroller.h"
#include "google/browser/browserlist.h"
#include "google/engine/listkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include "tests/support/google/googleentrybuilders.h"

namespace {

GDataEntryContactPtr contact(const QString &id, const QString &title, const QStringList &groups,
                             const std::vector<GDataExtendedProperty::XMLValue> &values)
{
    GDataEntryContactPtr entry = makeContact({id, title, {}, groups});
    if (!values.empty())
        entry->setExtendedProperties({makeProperty(u"tolvaneContact"_qs, values)});
    return entry;
}

} // namespace

void BrowserAccountTest::SetUp()
{
    GoogleEntryTest::SetUp();
    UserDefaults &defaults = UserDefaults::standard();
    const std::pair<QString, QString> pseudo[] = {
        {listkeys::systemGroupRecent, recent},       {listkeys::systemGroupNoGroup, noGroup},
        {listkeys::systemGroupEmailOnly, emailOnly}, {listkeys::systemGroupCompany, company},
        {listkeys::systemGroupMale, male},           {listkeys::systemGroupFemale, female},
        {listkeys::systemGroupNoGender, noGender},
    };
    for (const auto &[key, value] : pseudo)
        defaults.setString(value, key);

    GoogleContactLists &lists = tool.lists();
    lists.setGroups({makeGroup(myContacts, u"System Group: My Contacts"_qs, u"Contacts"_qs),
                     makeGroup(golf, u"Golf"_qs), makeGroup(work, u"Work"_qs)});
    GDataEntryContactPtr bo =
        contact(u"bo"_qs, u"bo Karl"_qs, {myContacts, work}, {{u"gender"_qs, u"M"_qs}});
    bo->setPostalAddresses(
        {{"1 Elm St\nSmithfield UT 84335", QString(kGDataContactHome), {}, false}});
    GDataEntryContactPtr eve = makeContact({u"eve"_qs, u"Eve"_qs, {u"eve@example.com"_qs}});
    lists.setContacts({
        contact(u"ann"_qs, u"Ann Lee"_qs, {myContacts, golf}, {{u"gender"_qs, u"F"_qs}}),
        bo,
        contact(u"cy"_qs, u"Cy Acme"_qs, {myContacts, golf, work}, {{u"isCo"_qs, u"1"_qs}}),
        contact(u"dee"_qs, u"Dee Moss"_qs, {myContacts}, {}),
        eve,
    });
    BrowserRowsProgress quiet;
    browserlist::setContactBrowserArray(
        lists, QList<GDataEntryContactPtr>(lists.contacts().begin(), lists.contacts().end()),
        quiet);
}

QStringList BrowserAccountTest::shownIDs(const ContactArrayController &contacts)
{
    QStringList ids;
    for (int row = 0; row < contacts.rowCount(); ++row)
        ids.append(contacts.gIDAt(row));
    return ids;
}
