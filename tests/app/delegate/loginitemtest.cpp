#include "app/delegate/appdelegate.h"
#include "platform/ui/loginitems.h"
#include "tests/support/app/mainprogramtest.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class LoginItemTest : public MainProgramTest
{
protected:
    QString entryPath() const
    {
        return QDir(loginitems::autostartFolder()).filePath("com.zel-tor.agentTolvane.desktop");
    }
    // What the checkbox is told after each toggle.
    QList<bool> shown(const QSignalSpy &spy) const
    {
        QList<bool> values;
        for (const QList<QVariant> &call : spy)
            values << call.at(0).toBool();
        return values;
    }
};

TEST_F(LoginItemTest, TheCheckboxAddsTheInstalledAgentAndASecondToggleRemovesIt)
{
    ASSERT_TRUE(startProgram());
    const QString agent = library("agent-tolvane");
    EXPECT_EQ(delegate->agentLoginItemPath(), agent);
    EXPECT_FALSE(delegate->loginItemExistsForPath(agent));
    QSignalSpy spy(delegate.get(), &AppDelegate::isLoginItemChanged);

    delegate->manageLoginItemStatus();
    EXPECT_TRUE(delegate->isLoginItem());
    EXPECT_TRUE(delegate->loginItemExistsForPath(agent));
    QFile entry(entryPath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(text.contains("\nType=Application\n"));
    EXPECT_TRUE(text.contains("\nName=Agent Tolvane\n"));

    delegate->manageLoginItemStatus();
    EXPECT_FALSE(delegate->isLoginItem());
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_EQ(shown(spy), (QList<bool>{true, false}));
}

TEST_F(LoginItemTest, AHiddenEntryIsNoLoginItemAndTheToggleAddsAVisibleOne)
{
    ASSERT_TRUE(startProgram());
    QDir().mkpath(loginitems::autostartFolder());
    QFile hidden(entryPath());
    ASSERT_TRUE(hidden.open(QIODevice::WriteOnly));
    hidden.write(("[Desktop Entry]\nType=Application\nExec=" + delegate->agentLoginItemPath() +
                  "\nHidden=true\n")
                     .toUtf8());
    hidden.close();
    EXPECT_FALSE(delegate->loginItemExistsForPath(delegate->agentLoginItemPath()));

    delegate->manageLoginItemStatus();
    EXPECT_TRUE(delegate->isLoginItem());
    EXPECT_TRUE(delegate->loginItemExistsForPath(delegate->agentLoginItemPath()));
}

TEST_F(LoginItemTest, AFailedWriteLeavesTheBoxShowingThatThereIsNone)
{
    ASSERT_TRUE(startProgram());
    // A file where the autostart folder should be.
    QDir().mkpath(QFileInfo(loginitems::autostartFolder()).path());
    QFile blocker(loginitems::autostartFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSignalSpy spy(delegate.get(), &AppDelegate::isLoginItemChanged);

    delegate->manageLoginItemStatus();
    EXPECT_FALSE(delegate->isLoginItem());
    EXPECT_EQ(shown(spy), QList<bool>{false});
    const QStringList log = lines();
    EXPECT_TRUE(std::any_of(log.cbegin(), log.cend(), [](const QString &line) {
        return line.startsWith("login item of ") && line.contains("agent-tolvane not changed: ");
    }));
}

} // namespace
