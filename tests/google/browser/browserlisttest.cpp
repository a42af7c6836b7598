#include "google/browser/browserlist.h"

#include "addressbook/addressbookkeys.h"
#include "google/engine/googlekeys.h"
#include "google/engine/listkeys.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/google/googleentrybuilders.h"

#include <gtest/gtest.h>

namespace {

class RecordedProgress : public BrowserRowsProgress
{
public:
    void setProgressCurValue(double value) override { current.append(value); }
    void setProgressMaxValue(double value) override { maximum = value; }
    void updateUserInfoWithMessage(const QString &text) override { message = text; }

    QList<double> current;
    double maximum = -1;
    QString message;
};

class BrowserListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UserDefaults::standard().setString(u"tolvaneContact"_qs,
                                           abkeys::googleContactExtendedPropertyName);
    }

    void setContacts(bool withGender)
    {
        GDataEntryContactPtr ann = makeContact({u"ann"_qs, u"Ann"_qs});
        if (withGender)
            ann->setExtendedProperties(
                {makeProperty(u"tolvaneContact"_qs, {{u"gender"_qs, u"F"_qs}})});
        lists.setContacts({ann, makeContact({u"bo"_qs, u"Bo"_qs})});
    }

    QStringList rowIDs() const
    {
        QStringList ids;
        for (const QVariantMap &row : lists.browserRows())
            ids.append(row.value(u"gID"_qs).toString());
        return ids;
    }

    GoogleContactLists lists;
    RecordedProgress progress;
};

TEST_F(BrowserListTest, Rows_FollowTheContactsAndReportProgress)
{
    setContacts(false);
    const QList<GDataEntryContactPtr> shown = {lists.contacts()[1], lists.contacts()[0]};
    browserlist::setContactBrowserArray(lists, shown, progress);
    EXPECT_EQ(rowIDs(), (QStringList{u"bo"_qs, u"ann"_qs}));
    EXPECT_EQ(progress.maximum, 2.0);
    EXPECT_EQ(progress.current, (QList<double>{0.0, 1.0, 2.0}));
    EXPECT_EQ(progress.message, u"Processing Google Data"_qs);

    browserlist::setContactBrowserArray(lists, {}, progress);
    EXPECT_TRUE(lists.browserRows().isEmpty());
}

TEST_F(BrowserListTest, GenderImages_NeedTypeIconsAndAGender)
{
    struct Case
    {
        const char *name;
        bool typeIcons;
        bool gender;
        bool expected;
    } cases[] = {
        {"type icons and a gender", true, true, true},
        {"type icons, no gender", true, false, false},
        {"a gender, no type icons", false, true, false},
    };
    for (const Case &c : cases) {
        UserDefaults::standard().setBool(c.typeIcons, listkeys::useTypeIcons);
        setContacts(c.gender);
        browserlist::setContactBrowserArray(lists, {lists.contacts()[1]}, progress);
        EXPECT_EQ(UserDefaults::standard().boolForKey(googlekeys::useGenderBasedImages), c.expected)
            << c.name;
    }
}

TEST_F(BrowserListTest, KeptRows_AreTakenAgainUntilTheirEntryChanges)
{
    setContacts(false);
    const QList<GDataEntryContactPtr> all(lists.contacts().begin(), lists.contacts().end());
    browserlist::setContactBrowserArray(lists, all, progress);
    const QVariantMap annRow = lists.browserRows()[0];

    // Another list of the same contacts builds nothing: the rows are the kept ones, shared.
    progress.current.clear();
    browserlist::setContactBrowserArray(lists, {all[0]}, progress);
    EXPECT_TRUE(progress.current.isEmpty());
    EXPECT_TRUE(lists.browserRows()[0].isSharedWith(annRow));
    EXPECT_EQ(lists.browserSearchTexts(),
              QStringList{QStringLiteral("ann") + QString(9, QChar(0))});

    // A contact replaced by a new entry gets a new row; the other keeps its row.
    GDataEntryContactPtr annNow = makeContact({u"ann"_qs, u"Ann Lee"_qs});
    lists.setContacts({annNow, all[1]});
    browserlist::setContactBrowserArray(lists, {annNow, all[1]}, progress);
    EXPECT_EQ(progress.current, (QList<double>{0.0, 1.0}));
    EXPECT_EQ(lists.browserRows()[0].value(u"name"_qs), u"Ann Lee"_qs);
    const QVariantMap boRow = lists.browserRows()[1];

    // Entries changed in place leave no row standing.
    progress.current.clear();
    lists.entriesChanged();
    browserlist::setContactBrowserArray(lists, {all[1]}, progress);
    EXPECT_EQ(progress.current, (QList<double>{0.0, 1.0}));
    EXPECT_FALSE(lists.browserRows()[0].isSharedWith(boRow));
}

TEST_F(BrowserListTest, EntryForID_AnswersOnlyAUniqueRow)
{
    setContacts(false);
    const QList<GDataEntryContactPtr> shown = {lists.contacts()[0], lists.contacts()[1],
                                               lists.contacts()[1]};
    browserlist::setContactBrowserArray(lists, shown, progress);
    const std::optional<QVariantMap> ann = browserlist::contactBrowserEntryForID(lists, u"ann"_qs);
    ASSERT_TRUE(ann.has_value());
    EXPECT_EQ(ann->value(u"name"_qs).toString(), u"Ann"_qs);
    EXPECT_FALSE(browserlist::contactBrowserEntryForID(lists, u"bo"_qs).has_value());
    EXPECT_FALSE(browserlist::contactBrowserEntryForID(lists, u"zed"_qs).has_value());
    EXPECT_FALSE(browserlist::contactBrowserEntryForID(lists, QString()).has_value());
}

} // namespace
