#include "foundation/vozuveva/vozuvevaalerts.h"
#include "foundation/transientkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/termination.h"
#include "tests/support/logcapture.h"
#include "tests/support/scriptedprompter.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const QString kQuitNote = QStringLiteral("\nNOTE: The Tolvane application will now quit!");

// Captures the log, answers prompts from a script and records, instead of exiting, each time the
// program would end.
class VozuVevaAlerts : public LogCaptureTest
{
protected:
    void SetUp() override
    {
        m_previousHandler = termination::setHandler([this] { onTerminate(); });
    }
    void TearDown() override { termination::setHandler(m_previousHandler); }
    virtual void onTerminate() { ++terminations; }

    ScriptedPrompter prompter;
    int terminations = 0;

private:
    std::function<void()> m_previousHandler;
};

TEST_F(VozuVevaAlerts, ShowAlert_ShowsTheGivenButtonsAndAnswersByPosition)
{
    struct Case
    {
        const char *label;
        QString button2;
        QString button3;
        int answer;
        QStringList shown;
    };
    const Case cases[] = {
        {"one button", QString(), QString(), 1000, {"OK"}},
        {"three buttons", "No", "Cancel", 1002, {"OK", "No", "Cancel"}},
        {"no second: the third answers 1001", QString(), "Cancel", 1001, {"OK", "Cancel"}},
        {"empty title is still a title", "", QString(), 1001, {"OK", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        prompter.answer(c.answer);
        EXPECT_EQ(VozuVeva::showAlertMsg("Message", "Small", "OK", c.button2, c.button3, false),
                  c.answer);
        const Prompt &shown = prompter.shown().last().prompt;
        EXPECT_EQ(shown.buttons, c.shown);
        EXPECT_EQ(shown.message, "Message");
        EXPECT_EQ(shown.informativeText, "Small");
        EXPECT_EQ(shown.style, Prompt::Style::Warning);
        EXPECT_FALSE(prompter.shown().last().asSheet);
    }
    EXPECT_EQ(terminations, 0);
}

TEST_F(VozuVevaAlerts, ShowAlert_WritesItsLineAtEveryLevel)
{
    setLevel(0);
    VozuVeva::showAlertMsg("Sure?", QString(), "Yes", "No", QString(), false);
    VozuVeva::showAlertMsg("Fatal", "Fix it", "OK", QString(), QString(), true);
    EXPECT_EQ(lines(), (QStringList{"Alert: Sure?; Small: (null); Terminate: 0",
                                    "Alert: Fatal; Small: Fix it; Terminate: 1"}));
}

TEST_F(VozuVevaAlerts, ShowAlert_TerminatingAddsTheQuitNoteOnlyToAnInformativeText)
{
    VozuVeva::showAlertMsg("Tolvane has encountered fatal error: 1103.", "Please reinstall.", "OK",
                           QString(), QString(), true);
    VozuVeva::showAlertMsg("No store", QString(), "OK", QString(), QString(), true);
    ASSERT_EQ(prompter.shown().size(), 2);
    const Prompt &withText = prompter.shown()[0].prompt;
    EXPECT_EQ(withText.informativeText, "Please reinstall." + kQuitNote);
    EXPECT_EQ(withText.style, Prompt::Style::Critical);
    const Prompt &withoutText = prompter.shown()[1].prompt;
    EXPECT_TRUE(withoutText.informativeText.isNull());
    EXPECT_EQ(withoutText.style, Prompt::Style::Critical);
    EXPECT_EQ(terminations, 2);
}

// At the moment the program ends, what it logged and stored must already be on disk.
class VozuVevaTermination : public VozuVevaAlerts
{
protected:
    void onTerminate() override
    {
        VozuVevaAlerts::onTerminate();
        logAtEnd = lines();
        storedAtEnd = UserDefaults(UserDefaults::standard().domain()).stringForKey("lastWords");
    }
    QStringList logAtEnd;
    QString storedAtEnd;
};

TEST_F(VozuVevaTermination, EndsTheProgramAfterTheLogAndPreferencesAreOnDisk)
{
    UserDefaults::standard().setString("saved", "lastWords");
    VozuVeva::showAlertMsg("Fatal", "Quit", "OK", QString(), QString(), true);
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(logAtEnd, QStringList{"Alert: Fatal; Small: Quit; Terminate: 1"});
    EXPECT_EQ(storedAtEnd, "saved");
}

TEST_F(VozuVevaAlerts, LogError_LinesByLevelAndAnAlertOfTheError)
{
    ErrorInfo error;
    error.domain = "NSCocoaErrorDomain";
    error.code = 1570;
    error.localizedDescription = "owner is a required value.";
    error.userInfo = {{"key", "owner"}};

    setLevel(0);
    VozuVeva::logError(error);
    EXPECT_TRUE(lines().isEmpty());

    setLevel(2);
    VozuVeva::logError(error);
    EXPECT_EQ(lines(), (QStringList{
                           "*[VozuVeva logError:]",
                           "Error Domain: NSCocoaErrorDomain",
                           "Error Code: 1570",
                           "Error Description: owner is a required value.",
                           "Error Reason: (null)",
                           "Error Suggestion: (null)",
                           "Error UserInfo: {",
                           "    key = owner;",
                           "}",
                       }));

    ASSERT_EQ(prompter.shown().size(), 2);
    const Prompt &alert = prompter.shown().last().prompt;
    EXPECT_EQ(alert.message, "owner is a required value.");
    EXPECT_TRUE(alert.informativeText.isNull());
    EXPECT_EQ(alert.buttons, QStringList{"OK"});
}

TEST_F(VozuVevaAlerts, LogError_OfAnEmptyErrorLogsNullsAndStillAlerts)
{
    setLevel(1);
    ErrorInfo error;
    error.failureReason = "The disk is full.";
    error.recoverySuggestion = "Free some space.";
    error.recoveryOptions = {"Retry", "Cancel"};
    VozuVeva::logError(error);
    EXPECT_EQ(lines(), (QStringList{
                           "Error Domain: (null)",
                           "Error Code: 0",
                           "Error Description: (null)",
                           "Error Reason: The disk is full.",
                           "Error Suggestion: Free some space.",
                           "Error UserInfo: (null)",
                       }));
    ASSERT_EQ(prompter.shown().size(), 1);
    const Prompt &alert = prompter.shown().last().prompt;
    EXPECT_FALSE(alert.message.isEmpty());
    EXPECT_EQ(alert.informativeText, "The disk is full.\nFree some space.");
    EXPECT_EQ(alert.buttons, (QStringList{"Retry", "Cancel"}));
}

TEST_F(VozuVevaAlerts, BroadcastMessage_StoresEveryTimeAndLogsAboveZero)
{
    UserDefaults &defaults = UserDefaults::standard();
    QSignalSpy changes(&defaults, &UserDefaults::valueChanged);

    setLevel(0);
    VozuVeva::broadcastMessage("Fetching contacts");
    EXPECT_EQ(defaults.stringForKey(transientkeys::kStatusMessage), "Fetching contacts");
    EXPECT_TRUE(lines().isEmpty());

    setLevel(1);
    VozuVeva::broadcastMessage("Fetching contacts");
    EXPECT_EQ(lines(), QStringList{"Fetching contacts"});

    QStringList statusChanges;
    for (const QList<QVariant> &change : changes) {
        if (change.at(0).toString() == transientkeys::kStatusMessage)
            statusChanges.append(change.at(0).toString());
    }
    EXPECT_EQ(statusChanges.size(), 2);
}

} // namespace
