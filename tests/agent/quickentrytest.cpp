#include "tests/agent/agenttest.h"

#include "agent/configurationpanel.h"
#include "agent/handoverfile.h"
#include "agent/quickentrycontroller.h"
#include "agent/quickentrypanel.h"
#include "platform/addressbook/addressbook.h"
#include "platform/ui/beep.h"
#include "platform/ui/statusitem.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTextCursor>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kSignature = QStringLiteral(
    "Ada Lovelace\nAnalytical Engines Ltd\n12 St James Square\nLondon SW1Y 4JH\n"
    "ada@engines.example\nhttp://engines.example");

// With TOLVANE_SCREENS_DIR set (a run under a real display) each window is kept as a picture.
void keepPicture(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("TOLVANE_SCREENS_DIR");
    if (folder.isEmpty() || !widget)
        return;
    widget->show();
    widget->raise();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

class QuickEntryTest : public AgentTest
{
protected:
    void SetUp() override
    {
        AgentTest::SetUp();
        m_previousBeep = beep::setHandler([this] { ++beeps; });
        ASSERT_TRUE(startAndLogIn());
    }
    void TearDown() override
    {
        beep::setHandler(m_previousBeep);
        AgentTest::TearDown();
    }
    QuickEntryController *openEmpty()
    {
        delegate->newContact();
        return delegate->quickEntry();
    }
    QString writeHandOver(const QString &name, const QByteArray &content)
    {
        const QString path = QDir(folder("tmp")).filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return path;
    }

    int beeps = 0;

private:
    std::function<void()> m_previousBeep;
};

} // namespace

TEST_F(QuickEntryTest, KeystrokesNeverAnalyseAndAPasteAnalysesOnce)
{
    QuickEntryController *entry = openEmpty();
    QSignalSpy analysed(entry, &QuickEntryController::contactChanged);
    entry->nameFieldChanged(QuickEntryController::FirstNameTag, "A");
    entry->nameFieldChanged(QuickEntryController::FirstNameTag, "Ad");
    entry->nameFieldChanged(QuickEntryController::FirstNameTag, "Ada");
    EXPECT_EQ(analysed.count(), 0);
    entry->nameFieldChanged(QuickEntryController::FirstNameTag, kSignature);
    EXPECT_EQ(analysed.count(), 1);
    EXPECT_EQ(entry->value("nameDict.first").toString(), "Ada");
    EXPECT_EQ(entry->value("nameDict.last").toString(), "Lovelace");
    EXPECT_EQ(entry->expressPastedString(), "Ada");
}

TEST_F(QuickEntryTest, EmailAndPhoneEntriesAreRefusedWithABeepOrStoredClean)
{
    QuickEntryController *entry = openEmpty();
    EXPECT_FALSE(entry->fieldShouldEndEditing(QuickEntryController::WorkEmailTag, "workEmail",
                                              "not an address"));
    EXPECT_FALSE(entry->fieldShouldEndEditing(QuickEntryController::WorkPhoneTag, "workPhone",
                                              "(-)"));
    EXPECT_EQ(beeps, 2);
    EXPECT_TRUE(entry->fieldShouldEndEditing(QuickEntryController::WorkEmailTag, "workEmail",
                                             "Ada@Engines.Example"));
    EXPECT_EQ(entry->value("workEmail").toString(), "ada@engines.example");
    EXPECT_TRUE(entry->fieldShouldEndEditing(QuickEntryController::MobilePhoneTag, "mobilePhone",
                                             "555-0100"));
    EXPECT_FALSE(entry->value("mobilePhone").toString().isEmpty());
    EXPECT_EQ(beeps, 2);
}

TEST_F(QuickEntryTest, StreetSplitUrlInFrontAndDocumentDataOnce)
{
    QuickEntryController *entry = openEmpty();
    entry->setSelectedTab("work");
    entry->setValue("notes", "earlier");
    entry->processExpressString(kSignature);
    EXPECT_EQ(entry->value("workAddrDict.street1").toString(), "12 St James Square");
    EXPECT_EQ(entry->value("workAddrDict.street2").toString(), "");
    EXPECT_TRUE(entry->value("notes").toString().startsWith("http://engines.example\r\rearlier"))
        << entry->value("notes").toString().toStdString();

    entry->openFromHandOver({kSignature, "the document", ""});
    const QString notes = entry->value("notes").toString();
    EXPECT_EQ(notes.count("the document"), 1) << notes.toStdString();
    entry->processExpressString(kSignature);
    EXPECT_EQ(entry->value("notes").toString().count("the document"), 1);
}

// The anchor of the notes field's text at the position, as the panel marks it.
QString anchorAt(QPlainTextEdit *notes, int position)
{
    QTextCursor cursor(notes->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat().anchorHref();
}

TEST_F(QuickEntryTest, NotesShowTheirWebAndMailAddressesAsLinksAndKeepTheirText)
{
    QuickEntryController *entry = openEmpty();
    entry->processExpressString(kSignature);
    QPlainTextEdit *notes = entry->panel()->notesField();
    EXPECT_EQ(anchorAt(notes, 0), "http://engines.example");
    EXPECT_EQ(entry->linkifiedNotes().size(), 1);

    // A typed address becomes a link; the stored notes stay plain text.
    QTextCursor end(notes->document());
    end.movePosition(QTextCursor::End);
    end.insertText("\nwrite to ada@engines.example.");
    const QString stored = entry->value("notes").toString();
    EXPECT_TRUE(stored.endsWith("\rwrite to ada@engines.example.")) << stored.toStdString();
    const int mail = int(notes->toPlainText().indexOf("ada@"));
    EXPECT_EQ(anchorAt(notes, mail), "mailto:ada@engines.example");
    EXPECT_EQ(anchorAt(notes, mail - 2), "");
}

TEST_F(QuickEntryTest, CreateDateLineSwitchesOnAndOff)
{
    QuickEntryController *entry = openEmpty();
    entry->setValue("notes", "note");
    entry->toggleCreateDate();
    EXPECT_TRUE(entry->value("notes").toString().startsWith("note\r\rdate created: "));
    entry->toggleCreateDate();
    EXPECT_EQ(entry->value("notes").toString(), "note");
}

TEST_F(QuickEntryTest, AMenuPanelCarriesNothingOfAnEarlierHandOver)
{
    QString why;
    const QString path = writeHandOver("first", "Ada Lovelace##$$##secret document##$$##org.example.none");
    ASSERT_TRUE(delegate->cardzapFromFile(path, &why)) << why.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
    // Not an installed program: never raised.
    EXPECT_EQ(delegate->quickEntry()->sourceBID(), "");
    EXPECT_EQ(delegate->quickEntry()->sourceData(), "secret document");
    QuickEntryController *entry = openEmpty();
    EXPECT_EQ(entry->sourceData(), "");
    EXPECT_EQ(entry->sourceBID(), "");
    EXPECT_FALSE(entry->value("notes").toString().contains("secret document"));
}

TEST_F(QuickEntryTest, HandOverPathsOutsideTmpAreRefusedAndLeftAlone)
{
    const QString outside = QDir(data.path()).filePath("precious");
    {
        QFile file(outside);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    const QString link = QDir(folder("tmp")).filePath("link");
    ASSERT_TRUE(QFile::link(outside, link));
    const QString large =
        writeHandOver("large", QByteArray(handoverfile::kMaxSize + 1, 'a') + "##$$####$$##");
    QString why;
    for (const QString &path : {outside, link, folder("tmp"), large}) {
        EXPECT_FALSE(delegate->cardzapFromFile(path, &why)) << path.toStdString();
        EXPECT_TRUE(QFileInfo::exists(path));
    }
    QFile kept(outside);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep me"));
}

TEST_F(QuickEntryTest, AddressBookTargetKeepsEveryValueOfThePanel)
{
    QuickEntryController *entry = openEmpty();
    entry->setAddToGoogleContacts(false);
    entry->setAddToAddressBook(true);
    entry->setValue("nameDict.first", "Grace");
    entry->setValue("nameDict.last", "Hopper");
    entry->setValue("workEmail", "grace@navy.example");
    entry->setValue("homeEmail", "grace@home.example");
    entry->setValue("workPhone", "555-0101");
    entry->setValue("homePhone", "555-0102");
    entry->setValue("workAddrDict.street1", "1 Navy Way");
    entry->setValue("workAddrDict.street2", "Room 2");
    entry->setValue("homeAddrDict.city", "Arlington");
    entry->setValue("workIM", "ghopper");
    entry->setValue("homeIM", "amazinggrace");
    const int before = int(AddressBook::shared()->people().size());
    entry->saveNewGoogleContact();
    ASSERT_EQ(int(AddressBook::shared()->people().size()), before + 1);
    // Read back as another program sees the saved book.
    QString uid;
    for (const QString &line : abtool({"list"}).split(u'\n'))
        if (line.contains("Grace Hopper"))
            uid = line.section(u'\t', 0, 0);
    ASSERT_FALSE(uid.isEmpty());
    const QString card = abtool({"show", uid});
    for (const char *value : {"grace@navy.example", "grace@home.example", "555-0101", "555-0102",
                              "1 Navy Way", "Room 2", "Arlington", "ghopper", "amazinggrace"})
        EXPECT_TRUE(card.contains(QString::fromLatin1(value))) << value << "\n"
                                                               << card.toStdString();
}

TEST_F(QuickEntryTest, WindowsOpenWithTheirModels)
{
    QWidget *window = delegate->statusItem()->window();
    ASSERT_NE(window, nullptr);
    keepPicture(window, "agent-window");
    QMenu *menu = delegate->statusMenu();
    QStringList titles;
    for (QAction *action : menu->actions())
        titles << action->text();
    EXPECT_TRUE(titles.contains("Pause"));
    EXPECT_TRUE(titles.contains("Configure..."));
    EXPECT_TRUE(titles.contains("New Contact..."));
    EXPECT_TRUE(titles.contains("Quit Agent Tolvane"));
    if (!qEnvironmentVariable("TOLVANE_SCREENS_DIR").isEmpty()) {
        menu->popup(window->mapToGlobal(QPoint(0, window->height())));
        keepPicture(menu, "agent-menu");
        menu->hide();
    }

    abtool({"add-to-group", "Friends", abtool({"list"}).section(u'\t', 0, 0)});
    delegate->loadAutoABGroups();
    delegate->configure();
    ConfigurationPanel *panel = delegate->configurationPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->groupsModel()->rowCount(), int(delegate->autoABGroups().size()));
    keepPicture(panel, "agent-configuration");
    delegate->closeConfigure();
    EXPECT_FALSE(panel->isVisible());

    QuickEntryController *entry = openEmpty();
    entry->processExpressString(kSignature);
    QuickEntryPanel *entryPanel = entry->panel();
    ASSERT_EQ(entryPanel->tabs()->count(), 3);
    EXPECT_EQ(entryPanel->field("nameDict.last")->text(), "Lovelace");
    for (int tab = 0; tab < 3; ++tab) {
        entryPanel->tabs()->setCurrentIndex(tab);
        keepPicture(entryPanel, QStringLiteral("agent-quickentry-%1").arg(tab));
    }
    EXPECT_EQ(entry->selectedTab(), "note");
}

TEST_F(QuickEntryTest, SavingRaisesOnlyTheInstalledSourceProgramNamedPlainly)
{
    // The installed program, whose every start leaves a line.
    const QDir home(qEnvironmentVariable("XDG_DATA_HOME"));
    ASSERT_TRUE(home.mkpath("applications"));
    const QString starts = home.filePath("starts");
    const QString program = home.filePath("editor.sh");
    const QString installed = home.filePath("applications/org.example.editor.desktop");
    // The program stays installed for this test only.
    const auto uninstall = qScopeGuard([&] {
        QFile::remove(installed);
        QFile::remove(program);
        QFile::remove(starts);
    });
    {
        QFile script(program);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho started >> '" + starts.toUtf8() + "'\n");
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        QFile entry(installed);
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Editor\nExec=" + program.toUtf8() +
                    "\n");
    }
    // Refused identifiers first, so that the one start seen afterwards is the installed one's.
    const char *sources[] = {"org.example.none",
                             "x;touch pwned",
                             "../applications/org.example.editor",
                             "applications/org.example.editor",
                             "$(touch pwned)",
                             "org.example.editor"};
    for (const char *source : sources) {
        SCOPED_TRACE(source);
        QString why;
        const QString path = writeHandOver(
            "handover", "Ada Lovelace##$$##x;touch pwned##$$##data##$$##" + QByteArray(source));
        ASSERT_TRUE(delegate->cardzapFromFile(path, &why)) << why.toStdString();
        QuickEntryController *entry = delegate->quickEntry();
        entry->setAddToGoogleContacts(false);
        entry->setAddToAddressBook(false);
        entry->saveNewGoogleContact();
    }
    const auto startsSeen = [&] {
        QFile started(starts);
        return started.open(QIODevice::ReadOnly) ? int(started.readAll().count('\n')) : 0;
    };
    ASSERT_TRUE(runUntil([&] { return startsSeen() > 0; }));
    // Time for a start that should not have been to show.
    runUntil([&] { return startsSeen() > 1; }, 500);
    EXPECT_EQ(startsSeen(), 1);
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath("pwned")));
}
