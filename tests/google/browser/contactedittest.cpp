// One edited contact sent to the loopback server: Google's answer replaces the engine's copy and
// its browser row; a failed edit is shown and loses nothing.

#include "tests/support/google/engineservertest.h"

#include "google/browser/browserlist.h"
#include "google/lookups/contactlookups.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <gtest/gtest.h>

namespace {

class ContactEditTest : public EngineServerTest
{
protected:
    void SetUp() override
    {
        EngineServerTest::SetUp();
        storePassword(kPassword);
        const QStringList ids = server.seedContacts(
            kUser, {GDataEntryContact::contactEntryWithTitle(QStringLiteral("Ann Lee")),
                    GDataEntryContact::contactEntryWithTitle(QStringLiteral("Bo Karl"))});
        annID = ids.value(0);
        engine = makeEngine();
        ASSERT_TRUE(logIn(*engine));
        BrowserRowsProgress quiet;
        browserlist::setContactBrowserArray(
            engine->lists(),
            QList<GDataEntryContactPtr>(engine->contactArray().begin(),
                                        engine->contactArray().end()),
            quiet);
        held = contactlookups::contactForID(engine->lists(), annID);
        ASSERT_TRUE(held);
    }

    // A copy of the held contact with a new note, as the edit sheet leaves it.
    GDataEntryContactPtr editedCopy(const QString &note) const
    {
        auto edited = std::make_shared<GDataEntryContact>(*held);
        edited->setContentWithString(note);
        return edited;
    }

    QString serverNote(const QString &identifier)
    {
        const GDataFeedPtr feed = server.entries(kUser, GDataEntryBase::Kind::Contact);
        for (const GDataEntryPtr &entry : feed->entries()) {
            if (entry->identifier() == identifier)
                return entry->content().value_or(QString());
        }
        return QStringLiteral("(missing)");
    }

    QString rowNotes() const
    {
        return browserlist::contactBrowserEntryForID(engine->lists(), annID)
            ->value(QStringLiteral("notes"))
            .toString();
    }

    std::unique_ptr<OfferingEngine> engine;
    QString annID;
    GDataEntryContactPtr held;
};

TEST_F(ContactEditTest, AnsweredEdit_ReplacesTheContactAndItsBrowserRow)
{
    engine->updateGoogleContact(*editedCopy(QStringLiteral("Met at the fair")));
    ASSERT_TRUE(runUntil([&] { return journal.contains(QStringLiteral("closeUserInfo")); }));

    EXPECT_EQ(serverNote(annID), QStringLiteral("Met at the fair"));
    const GDataEntryContactPtr now = contactlookups::contactForID(engine->lists(), annID);
    ASSERT_TRUE(now);
    EXPECT_NE(now, held);
    EXPECT_EQ(now->content().value_or(QString()), QStringLiteral("Met at the fair"));
    // Google's answer carries the new version, so the next edit is not refused as stale.
    EXPECT_NE(now->ETag(), held->ETag());
    EXPECT_EQ(rowNotes(), QStringLiteral("Met at the fair"));
    // The row is searched by its new note, and the window is told which row was made anew.
    const int position = engine->lists().browserRowPositions(annID).front();
    EXPECT_TRUE(engine->lists().browserSearchTexts()[position].contains(u"met at the fair"_qs));
    EXPECT_TRUE(journal.contains(QStringLiteral("contactBrowserRowReplaced:") + annID));
    EXPECT_EQ(engine->contactArray().size(), 2u);
    EXPECT_TRUE(promptMessages().isEmpty());

    journal.clear();
    auto again = std::make_shared<GDataEntryContact>(*now);
    again->setContentWithString(QStringLiteral("Moved to Oslo"));
    engine->updateGoogleContact(*again);
    ASSERT_TRUE(runUntil([&] { return journal.contains(QStringLiteral("closeUserInfo")); }));
    EXPECT_EQ(serverNote(annID), QStringLiteral("Moved to Oslo"));
}

struct EditFailure
{
    const char *name;
    // Makes the next edit fail: an injected status, or a change on Google that makes the held
    // version stale (0).
    int injectedStatus;
};

class ContactEditFailureTest : public ContactEditTest,
                               public ::testing::WithParamInterface<EditFailure>
{
};

TEST_P(ContactEditFailureTest, FailedEdit_IsShownAndNothingIsLost)
{
    if (GetParam().injectedStatus != 0) {
        // Every retry fails too.
        server.injectFault(QStringLiteral("/contacts/"), GetParam().injectedStatus, 3, 0, false,
                           "PUT");
    } else {
        engine->updateGoogleContact(*editedCopy(QStringLiteral("Changed elsewhere")));
        ASSERT_TRUE(runUntil([&] { return journal.contains(QStringLiteral("closeUserInfo")); }));
        journal.clear();
    }
    const GDataEntryContactPtr before = contactlookups::contactForID(engine->lists(), annID);
    const QString noteBefore = serverNote(annID);
    const QString rowBefore = rowNotes();

    engine->updateGoogleContact(*editedCopy(QStringLiteral("Lost?")));
    ASSERT_TRUE(runUntil([&] { return !prompter.shown().isEmpty(); }));

    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown()[0].prompt.message, QStringLiteral("Update failed"));
    EXPECT_TRUE(prompter.shown()[0].asSheet);
    const QString message = prompter.shown()[0].prompt.informativeText;
    EXPECT_TRUE(message.startsWith(
        QStringLiteral("Entry update failed: HTTP status ") +
        QString::number(GetParam().injectedStatus ? GetParam().injectedStatus : 412)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("\nUser info:"))) << message.toStdString();
    EXPECT_FALSE(journal.contains(QStringLiteral("closeUserInfo")));
    EXPECT_EQ(contactlookups::contactForID(engine->lists(), annID), before);
    EXPECT_EQ(rowNotes(), rowBefore);
    EXPECT_EQ(serverNote(annID), noteBefore);
}

INSTANTIATE_TEST_SUITE_P(Failures, ContactEditFailureTest,
                         ::testing::Values(EditFailure{"StaleVersion", 0},
                                           EditFailure{"ServerError", 500}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
