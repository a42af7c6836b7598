// The browser sign-in of the People protocol through the login sheet and the preferences, against
// the loopback server's authorization and token endpoints; a scripted browser fetches the
// authorization page (answered at once) and follows its redirect to the sign-in's listener.

#include "app/prefs/googleclientsection.h"
#include "app/prefs/prefpages.h"
#include "app/prefs/prefsheet.h"
#include "app/signin/googlesignin.h"
#include "app/signin/signintexts.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleoauthclient.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "tests/support/app/mainprogramtest.h"
#include "tests/support/app/scriptedbrowser.h"
#include "tests/support/httptestclient.h"
#include "tests/support/scriptedfilechooser.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

namespace {

const QString kClientId = QStringLiteral("tolvane-app.apps.loopback");
const QString kClientSecret = QStringLiteral("app-client-secret");

class BrowserSignInTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        ASSERT_TRUE(browser.install(server, kClientId, kClientSecret));
    }

    void TearDown() override
    {
        browser.uninstall();
        MainProgramTest::TearDown();
    }

    LoginSheet *sheet() const { return delegate->loginPanel(); }
    bool sheetOpen() const { return sheet() && sheet()->isVisible(); }

    // Clicks Login and waits for the browser step to end.
    bool signInFromSheet()
    {
        if (!sheet()->loginButton()->isEnabled())
            return false;
        QTest::mouseClick(sheet()->loginButton(), Qt::LeftButton);
        return runUntil([this] { return !sheet()->isWaitingForBrowser(); });
    }

    std::optional<OAuthCredential> storedCredential()
    {
        return parseOAuthCredential(storedPassword(kAccount), kClientId);
    }

    // Whether the token endpoint still renews with the refresh token.
    int refreshStatus(const QString &refreshToken)
    {
        QUrlQuery form;
        form.addQueryItem("grant_type", "refresh_token");
        form.addQueryItem("refresh_token", refreshToken);
        form.addQueryItem("client_id", kClientId);
        form.addQueryItem("client_secret", kClientSecret);
        return httptest::send("POST", QUrl(server.baseUrl().toString() + "/token"),
                              form.query(QUrl::FullyEncoded).toUtf8(),
                              {{"content-type", "application/x-www-form-urlencoded"}})
            .status;
    }

    ScriptedBrowser browser;
};

// Every failure leaves the sheet open with its message and nothing in the keyring; then a sign-in
// that succeeds stores the credential of the account the browser signed in and closes the sheet.
TEST_F(BrowserSignInTest, TheSheetSignsInThroughTheBrowserAndStaysOpenOnEveryFailure)
{
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(runUntil([this] { return sheetOpen(); }));
    EXPECT_TRUE(sheet()->signsInWithBrowser());
    EXPECT_FALSE(sheet()->pwTextField()->isVisibleTo(sheet()));
    EXPECT_TRUE(sheet()->findChild<QLabel *>("browserSignInLine")->isVisibleTo(sheet()));
    EXPECT_EQ(sheet()->findChild<QLabel *>("browserSignInLine")->text(),
              "You sign in with Google in your browser.");
    QTest::keyClicks(sheet()->userTextField(), "bob");
    ASSERT_TRUE(delegate->canLogin()) << "the account and a client are enough";

    struct Case
    {
        const char *label;
        QJsonObject consent;
        bool browserFollows;
        bool cancelInBrowserStep;
        bool tokenEndpointDrops = false;
    };
    // clang-format off
    const Case failures[] = {
        {"denied",                       {{"consentDenied", true}},                 true,  false},
        {"another account",              {{"consentAccount", "other@example.com"}}, true,  false},
        {"the scope unticked",           {{"consentScopes", "openid email"}},       true,  false},
        {"time-out",                     {},                                        false, false},
        {"its own Cancel",               {},                                        false, true},
        {"the token endpoint unreached", {},                                        true,  false, true},
    };
    // clang-format on
    for (const Case &c : failures) {
        SCOPED_TRACE(c.label);
        QJsonObject options{
            {"consentDenied", false}, {"consentAccount", ""}, {"consentScopes", ""}};
        for (auto it = c.consent.begin(); it != c.consent.end(); ++it)
            options.insert(it.key(), it.value());
        server.setOptions(options);
        browser.follows = c.browserFollows;
        // Qt Network sends a request once more by itself when a kept-alive connection closes
        // unanswered: every try is dropped.
        if (c.tokenEndpointDrops)
            server.injectFault(QStringLiteral("/token"), 0, 3, 0, true);
        const int opensBefore = browser.opens;
        QTest::mouseClick(sheet()->loginButton(), Qt::LeftButton);
        ASSERT_TRUE(sheet()->isWaitingForBrowser());
        EXPECT_TRUE(sheet()->browserCancelButton()->isVisibleTo(sheet()));
        EXPECT_EQ(sheet()->findChild<QLabel *>("waitingForBrowser")->text(),
                  "Waiting for your browser…");
        EXPECT_FALSE(sheet()->loginButton()->isEnabled());
        if (c.cancelInBrowserStep)
            QTest::mouseClick(sheet()->browserCancelButton(), Qt::LeftButton);
        ASSERT_TRUE(runUntil([this] { return !sheet()->isWaitingForBrowser(); }));
        server.clearFaults();
        EXPECT_EQ(browser.opens, opensBefore + 1);
        EXPECT_TRUE(sheetOpen());
        EXPECT_TRUE(sheet()->messageLabel()->isVisibleTo(sheet()));
        EXPECT_FALSE(sheet()->messageLabel()->text().isEmpty());
        EXPECT_TRUE(storedPassword(kAccount).isNull());
        EXPECT_TRUE(sheet()->loginButton()->isEnabled()) << "the person may try again";
        EXPECT_EQ(terminations, 0);
    }

    server.setOptions({{"consentDenied", false}, {"consentAccount", ""}, {"consentScopes", ""}});
    browser.follows = true;
    ASSERT_TRUE(signInFromSheet());
    const std::optional<OAuthCredential> credential = storedCredential();
    ASSERT_TRUE(credential) << storedPassword(kAccount).toStdString();
    EXPECT_FALSE(credential->refreshToken.isEmpty());
    EXPECT_FALSE(sheetOpen());
    EXPECT_TRUE(lines().contains("Signed in with Google as " + kAccount));
    EXPECT_EQ(UserDefaults::standard().stringForKey(googlekeys::gsAccount), "bob");
    // The first fetch runs on the People face with the new credential.
    ASSERT_TRUE(runUntil([this] { return delegate->appGoogleContactTool()->isLoggedIn(); }));
    EXPECT_FALSE(requestsTo("/v1/people").isEmpty());
    EXPECT_TRUE(requestsTo("/m8/feeds").isEmpty());
    EXPECT_EQ(terminations, 0);
    // Nothing a thief could use is in the log.
    EXPECT_FALSE(lines().join(u'\n').contains(credential->refreshToken));
    EXPECT_FALSE(lines().join(u'\n').contains(kClientSecret));
}

// A password kept from the Atom protocol is no credential: Google refuses the account, and the
// alert's "Submit" opens the sheet for a browser sign-in.
TEST_F(BrowserSignInTest, AnOldPasswordInTheKeychainCountsAsRefused)
{
    storePassword(kPassword);
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(runUntil([this] { return sheetOpen(); }));
    ASSERT_FALSE(prompter.shown().isEmpty());
    EXPECT_EQ(prompter.shown().at(0).prompt.message, "A Google Authetication Error has Occurred.");
    EXPECT_TRUE(sheet()->signsInWithBrowser());
    EXPECT_EQ(browser.opens, 0) << "no browser opens before the person asks";
    EXPECT_EQ(terminations, 0);
}

TEST_F(BrowserSignInTest, WithoutAClientTheSheetSaysHowAndTheClientSectionMakesItSignIn)
{
    googleoauthclient::clearClient();
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(runUntil([this] { return sheetOpen(); }));
    QTest::keyClicks(sheet()->userTextField(), "bob");
    EXPECT_FALSE(delegate->canLogin());
    EXPECT_FALSE(sheet()->loginButton()->isEnabled());
    QLabel *const note = sheet()->findChild<QLabel *>("clientNote");
    ASSERT_TRUE(note);
    EXPECT_TRUE(note->isVisibleTo(sheet()));
    EXPECT_TRUE(note->text().contains("Desktop app"));

    QTest::mouseClick(sheet()->clientButton(), Qt::LeftButton);
    ASSERT_TRUE(delegate->prefSheet());
    EXPECT_TRUE(delegate->prefSheet()->isVisible());
    GoogleClientSection *const section = delegate->prefPages()->clientSection();
    EXPECT_TRUE(section->isVisibleTo(delegate->prefSheet()));
    EXPECT_EQ(section->clientIdLabel()->text(), "No client imported");

    QTemporaryDir folder;
    const QString path = folder.filePath("client_secret.json");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"installed": {"client_id": ")" + kClientId.toUtf8() +
               R"(", "client_secret": ")" + kClientSecret.toUtf8() +
               R"(", "redirect_uris": ["http://localhost"]}})");
    file.close();
    ScriptedFileChooser chooser;
    chooser.answer(path);
    QTest::mouseClick(section->importButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntil([section] { return section->clientIdLabel()->text() == kClientId; }));
    EXPECT_TRUE(section->clearButton()->isEnabled());
    EXPECT_TRUE(delegate->canLogin()) << "the open sheet learnt of the client";
    EXPECT_FALSE(note->isVisibleTo(sheet()));
}

TEST_F(BrowserSignInTest, AMalformedClientFileIsRefusedWithAMessageAndChangesNothing)
{
    ASSERT_TRUE(startProgram());
    delegate->showPreferencePanel();
    delegate->accountPrefs();
    GoogleClientSection *const section = delegate->prefPages()->clientSection();
    ASSERT_EQ(section->clientIdLabel()->text(), kClientId);
    struct Case
    {
        const char *label;
        QByteArray contents;
    };
    const Case cases[] = {
        {"not JSON", "<html>client</html>"},
        {"a web client", R"({"web": {"client_id": "web.apps", "client_secret": "w"}})"},
        {"no secret", R"({"installed": {"client_id": "other.apps"}})"},
    };
    QTemporaryDir folder;
    ScriptedFileChooser chooser;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const QString path = folder.filePath(QString::fromLatin1(c.label) + ".json");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.contents);
        file.close();
        chooser.answer(path);
        QTest::mouseClick(section->importButton(), Qt::LeftButton);
        ASSERT_TRUE(runUntil([section] { return section->messageLabel()->isVisibleTo(section); }));
        EXPECT_TRUE(section->messageLabel()->text().startsWith("The client file was not imported."))
            << section->messageLabel()->text().toStdString();
        EXPECT_EQ(UserDefaults::standard().stringForKey(googlekeys::googleOAuthClientID),
                  kClientId);
        const std::optional<GoogleOAuthClient> client = googleoauthclient::currentClient();
        ASSERT_TRUE(client);
        EXPECT_EQ(client->clientSecret, kClientSecret);
        EXPECT_EQ(section->clientIdLabel()->text(), kClientId);
    }
    // Clear forgets the client: the sheet can no longer sign in.
    QTest::mouseClick(section->clearButton(), Qt::LeftButton);
    EXPECT_FALSE(googleoauthclient::currentClient());
    EXPECT_EQ(section->clientIdLabel()->text(), "No client imported");
}

// "Sign in again…" replaces the account's credential, revokes the grant it replaced and logs in.
TEST_F(BrowserSignInTest, SigningInAgainReplacesTheItemAndRevokesTheOldGrant)
{
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(runUntil([this] { return sheetOpen(); }));
    QTest::keyClicks(sheet()->userTextField(), "bob");
    ASSERT_TRUE(signInFromSheet());
    const std::optional<OAuthCredential> first = storedCredential();
    ASSERT_TRUE(first);

    delegate->showPreferencePanel();
    delegate->accountPrefs();
    GoogleClientSection *const section = delegate->prefPages()->clientSection();
    ASSERT_TRUE(section->signInAgainButton()->isVisibleTo(section));
    EXPECT_EQ(section->signInAgainButton()->text(), "Sign in again…");
    EXPECT_FALSE(delegate->prefSheet()
                     ->findChild<QLineEdit *>("changePWField")
                     ->isVisibleTo(delegate->prefSheet()));
    const int opensBefore = browser.opens;
    QTest::mouseClick(section->signInAgainButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntil([this, &first] {
        const std::optional<OAuthCredential> now = storedCredential();
        return now && now->refreshToken != first->refreshToken;
    }));
    EXPECT_EQ(browser.opens, opensBefore + 1);
    const std::optional<OAuthCredential> second = storedCredential();
    ASSERT_TRUE(second);
    EXPECT_TRUE(runUntil([&] { return refreshStatus(first->refreshToken) == 400; }));
    EXPECT_EQ(refreshStatus(second->refreshToken), 200);
    EXPECT_TRUE(lines().contains("User credentials established")) << "it logged in again";
}

} // namespace
