#include "foundation/vozuveva/vozuvevaappcontrol.h"
#include "foundation/programfolder.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/busapplication.h"
#include "tests/support/logcapture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

// Installs a program for the test: a desktop entry under the test's own XDG_DATA_HOME.
void install(const QString &bundleIdentifier, const QByteArray &keys)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile entry(folder + u'/' + bundleIdentifier + QStringLiteral(".desktop"));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\n" + keys);
}

QString uniqueIdentifier()
{
    return QStringLiteral("com.zel-tor.test") + QUuid::createUuid().toString(QUuid::Id128);
}

TEST(VozuVevaAppControl, UnknownProgram_IsNotInstalledNotRunningAndNotLaunched)
{
    const QString id = uniqueIdentifier();
    EXPECT_TRUE(VozuVeva::pathToApplication(id).isNull());
    EXPECT_FALSE(VozuVeva::isApplicationInstalled(id));
    EXPECT_FALSE(VozuVeva::isApplicationRunning(id));
    EXPECT_TRUE(VozuVeva::iconForApplication(id).isNull());
    EXPECT_EQ(VozuVeva::launchApplication(id), "False");
    EXPECT_FALSE(VozuVeva::quitApplication(id));
}

TEST(VozuVevaAppControl, InstalledProgramNotRunning_LaunchIsAccepted)
{
    const QString id = uniqueIdentifier();
    install(id, "Name=Quick\nExec=true --flag %F\nIcon=/nonexistent/quick.png\n");
    EXPECT_EQ(VozuVeva::pathToApplication(id), QStandardPaths::findExecutable("true"));
    EXPECT_TRUE(VozuVeva::isApplicationInstalled(id));
    EXPECT_FALSE(VozuVeva::isApplicationRunning(id));
    EXPECT_EQ(VozuVeva::launchApplication(id), "True");
}

TEST(VozuVevaAppControl, AddressBookApplication_IsTheToolBesideTheProgram)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    programfolder::setPathForTesting(folder.path());
    const QString id = programfolder::kAddressBookBundleIdentifier;
    EXPECT_FALSE(VozuVeva::isApplicationInstalled(id));

    const QString tool = folder.filePath(programfolder::kAddressBookToolName);
    ASSERT_TRUE(QFile::copy(QStandardPaths::findExecutable("true"), tool));
    EXPECT_EQ(VozuVeva::pathToApplication(id), tool);
    EXPECT_TRUE(VozuVeva::isApplicationInstalled(id));
    // The tool never runs as a program of the desktop, so it is never found running.
    EXPECT_FALSE(VozuVeva::isApplicationRunning(id));
    programfolder::setPathForTesting(QString());
}

TEST(VozuVevaAppControl, RunningProgram_FoundWholeAndWithoutRegardToCaseAndQuits)
{
    const QString id = uniqueIdentifier();
    install(id, "Name=Running\nExec=true\n");
    install(id + "Service", "Name=Running Service\nExec=true\n");
    BusApplication self(id);
    ASSERT_TRUE(self.isRegistered());

    EXPECT_TRUE(VozuVeva::isApplicationRunning(id));
    EXPECT_FALSE(VozuVeva::isApplicationRunning(id + "Service"));
    EXPECT_EQ(VozuVeva::launchApplication(id), "True");
    EXPECT_TRUE(VozuVeva::quitApplication(id));
}

TEST(VozuVevaAppControl, RunningIdentifierInCapitals_IsFoundRunning)
{
    const QString id = uniqueIdentifier();
    install(id.toUpper(), "Name=Capitals\nExec=true\n");
    BusApplication self(id);
    ASSERT_TRUE(self.isRegistered());
    EXPECT_TRUE(VozuVeva::isApplicationRunning(id.toUpper()));
}

TEST(VozuVevaAppControl, Version_InfoStringThenShortVersionThenEmpty)
{
    install(uniqueIdentifier(), "Name=Both\nExec=true\nX-GetInfoString=Both 2.1, (c) Zel-Tor\n"
                                "X-ShortVersionString=2.1\n");
    install(uniqueIdentifier(), "Name=Short\nExec=true\nX-ShortVersionString=3.0b2\n");
    install(uniqueIdentifier(), "Name=Neither\nExec=true\n");
    EXPECT_EQ(VozuVeva::versionOfApplication("Both"), "Both 2.1, (c) Zel-Tor");
    EXPECT_EQ(VozuVeva::versionOfApplication("Short"), "3.0b2");
    EXPECT_EQ(VozuVeva::versionOfApplication("Neither"), "");
    EXPECT_EQ(VozuVeva::versionOfApplication("Not Installed Anywhere"), "");
}

TEST(VozuVevaAppControl, RecordApplicationDefaults_KeysWithoutSpacesAndLinesAtEveryLevel)
{
    const QString installedId = uniqueIdentifier();
    install(installedId, "Name=Address Book\nExec=true\nX-ShortVersionString=4.1\n");
    BusApplication running(installedId);
    ASSERT_TRUE(running.isRegistered());
    UserDefaults &defaults = UserDefaults::standard();
    LogCapture log;

    VozuVeva::recordApplicationDefaults(installedId, "Address Book");
    EXPECT_TRUE(defaults.boolForKey("isAddressBookInstalled"));
    EXPECT_TRUE(defaults.boolForKey("isAddressBookRunning"));
    EXPECT_EQ(defaults.stringForKey("versionAddressBook"), "4.1");
    EXPECT_FALSE(defaults.objectForKey("isAddress BookInstalled").isValid());

    defaults.setBool(true, "isSafariRunning");
    VozuVeva::recordApplicationDefaults(uniqueIdentifier(), "Safari");
    EXPECT_FALSE(defaults.boolForKey("isSafariInstalled"));
    EXPECT_FALSE(defaults.boolForKey("isSafariRunning"));
    EXPECT_EQ(defaults.stringForKey("versionSafari"), "Not Installed");

    EXPECT_EQ(log.lines(), (QStringList{"Address Book is Installed - Running - Version: 4.1",
                                        "Safari is NOT installed"}));
}

TEST(VozuVevaAppControl, ScriptsCannotRun_GettersAnswerTheirFailureValuesAndLog)
{
    LogCapture log;
    LogCapture::setLevel(1);
    const QString source = "tell application \"Finder\" to get version";
    EXPECT_FALSE(VozuVeva::getObjectFromAppleScript(source).isValid());
    EXPECT_FALSE(VozuVeva::getDateFromAppleScript(source).isValid());
    EXPECT_FALSE(VozuVeva::getBooleanFromAppleScript(source));
    EXPECT_EQ(VozuVeva::getIntegerFromAppleScript(source), -1);
    EXPECT_TRUE(VozuVeva::getStringFromAppleScript(source).isNull());
    EXPECT_FALSE(VozuVeva::getArrayFromAppleScript(source));
    LogCapture::setLevel(0);
    EXPECT_EQ(VozuVeva::getIntegerFromAppleScript(source), -1);

    // The error information is written over several lines; the prefixed lines are the reports.
    const QStringList lines = log.lines().filter(QRegularExpression("^\\[VozuVeva "));
    ASSERT_EQ(lines.size(), 14);
    EXPECT_TRUE(lines[0].startsWith("[VozuVeva getObjectFromAppleScript:] "
                                    "[errorDict objectForKey:@\"NSAppleScriptErrorMessage\"] = "));
    EXPECT_TRUE(lines[1].startsWith("[VozuVeva getObjectFromAppleScript:] errorDict = {"));
    EXPECT_EQ(lines[4], "[VozuVeva getBooleanFromAppleScript:] theScript = " + source);
    EXPECT_EQ(lines[9], "[VozuVeva getStringFromAppleScript:] ERROR:: " + source);
}

TEST(VozuVevaAppControl, HandlerCall_LowerCasesTheNameAndListsTheArgumentsInOrder)
{
    const AppleEventDescriptor event =
        VozuVeva::callSub("runTolvaneScript", {AppleEventDescriptor::descriptorWithString("first"),
                                               AppleEventDescriptor::descriptorWithInt32(2)});
    EXPECT_EQ(event.eventClass(), fourCharCode("ascr"));
    EXPECT_EQ(event.eventID(), fourCharCode("psbr"));
    EXPECT_EQ(event.returnID(), -1);
    EXPECT_EQ(event.transactionID(), 0);
    EXPECT_EQ(event.descriptorForKeyword(fourCharCode("snam")).stringValue(), "runtolvanescript");
    const AppleEventDescriptor arguments = event.descriptorForKeyword(fourCharCode("----"));
    ASSERT_EQ(arguments.numberOfItems(), 2);
    EXPECT_EQ(arguments.descriptorAtIndex(1).stringValue(), "first");
    EXPECT_EQ(arguments.descriptorAtIndex(2).int32Value(), 2);

    EXPECT_EQ(VozuVeva::callSub("Empty", {}).descriptorForKeyword(fourCharCode("----")),
              AppleEventDescriptor::listDescriptor());
    EXPECT_EQ(VozuVeva::makeAppleEvent("runTolvaneScript", arguments), event);
}

} // namespace
