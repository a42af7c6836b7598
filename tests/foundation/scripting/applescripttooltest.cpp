#include "foundation/scripting/applescripttool.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/logcapture.h"

#include <QDesktopServices>
#include <QUrl>

#include <gtest/gtest.h>

// Stands in for the user's browser: takes the addresses that would have opened.
class BrowserStandIn : public QObject
{
    Q_OBJECT

public:
    BrowserStandIn()
    {
        QDesktopServices::setUrlHandler("http", this, "open");
        QDesktopServices::setUrlHandler("https", this, "open");
    }
    ~BrowserStandIn() override
    {
        QDesktopServices::unsetUrlHandler("http");
        QDesktopServices::unsetUrlHandler("https");
    }

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

namespace {

class ManageSafariTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        defaults.setString("mail.google.com", "googleContactDomain");
        defaults.setString("#contacts", "googleContactURLTag");
    }
    void set(bool useSafari, bool launchSafari, bool running)
    {
        defaults.setBool(useSafari, "useSafari");
        defaults.setBool(launchSafari, "launchSafari");
        defaults.setBool(running, "isSafariRunning");
    }

    UserDefaults &defaults = UserDefaults::standard();
    BrowserStandIn browser;
    const QUrl page = QUrl("http://mail.google.com/mail/#contacts");
};

TEST_F(ManageSafariTest, OpensThePageOnlyWhereThePreferencesAllow)
{
    const struct
    {
        bool useSafari, launchSafari, running, opens;
    } cases[] = {
        {false, true, true, false},
        {true, false, false, false},
        {true, true, false, true},
        {true, false, true, true},
    };
    for (const auto &c : cases) {
        browser.opened.clear();
        set(c.useSafari, c.launchSafari, c.running);
        AppleScriptTool::manageSafari();
        EXPECT_EQ(browser.opened, c.opens ? QList<QUrl>{page} : QList<QUrl>())
            << c.useSafari << c.launchSafari << c.running;
    }
}

TEST_F(ManageSafariTest, WhenTheOpenPageCannotBeAsked_ItOpensAndTheFailureIsLogged)
{
    set(true, false, true);
    LogCapture log;
    LogCapture::setLevel(1);
    EXPECT_FALSE(AppleScriptTool::isGoogleContactsOpen());
    LogCapture::setLevel(0);
    AppleScriptTool::manageSafari();
    EXPECT_EQ(browser.opened, QList<QUrl>{page});
    const QStringList lines = log.lines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith("[VozuVeva getBooleanFromAppleScript:] theScript = tell "
                                    "application \"Safari\" \r set winList"));
    EXPECT_TRUE(lines[0].contains("URL contains \"mail.google.com\") and (URL contains "
                                  "\"#contacts\")"));
}

TEST(AppleScriptTool, ExecuteScript_LogsFailureAboveLevelZeroOnly)
{
    LogCapture log;
    AppleScriptTool::executeScript("beep");
    AppleScriptTool::appToFront("Finder");
    EXPECT_TRUE(log.lines().isEmpty());
    LogCapture::setLevel(1);
    AppleScriptTool::executeScript("beep");
    AppleScriptTool::appToFront("Finder");
    LogCapture::setLevel(0);
    const QStringList lines = log.lines();
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], "[AppleScriptTool executeScript:] ERROR:: beep");
    EXPECT_TRUE(lines[1].startsWith("[AppleScriptTool executeScript:] [errorDict "
                                    "objectForKey:@\"NSAppleScriptErrorMessage\"] = "));
    EXPECT_TRUE(lines[2].startsWith("[AppleScriptTool executeScript:] errorDict = {"));
    EXPECT_TRUE(lines.filter("activate").isEmpty());
}

TEST(AppleScriptTool, CallSub_SetsTheHandlerNameInLowerCase)
{
    const AppleEventDescriptor event = AppleScriptTool::callSub("MixedCase", {});
    EXPECT_EQ(event.descriptorForKeyword(fourCharCode("snam")).stringValue(), "mixedcase");
}

} // namespace

#include "applescripttooltest.moc"
