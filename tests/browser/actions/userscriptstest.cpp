// The user's scripts: what the menu lists, the records they read, and the outcome of a run.
#include "browser/actions/userscripts.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class UserScriptsTest : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &content, bool executable)
    {
        const QString path = QDir(dir.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable)
            permissions |= QFile::ExeOwner;
        file.setPermissions(permissions);
        return path;
    }
    QString script(const QString &name, const QByteArray &body)
    {
        return write(name, "#!/bin/sh\n" + body + "\n", true);
    }

    QTemporaryDir dir;
};

using userscripts::MenuItem;

TEST_F(UserScriptsTest, MenuListsScriptFilesAndExecutablesSortedWithoutCase)
{
    write("beta.txt", "", false);
    write("Alpha.scpt", "", false);
    write("my.script.scpt", "", false);
    script("tool", "");             // an executable without extension
    script("runner.sh", "");        // an executable of another extension
    write("notes.md", "", false);   // neither
    write("Upper.SCPT", "", false); // the extension is compared exactly
    write(".hidden.scpt", "", false);
    write("GetCurrentDocumentData.applescript", "", true);
    write("x.app", "", false);
    write("y.applescript", "", false);
    write("z.text", "", false);
    EXPECT_EQ(userscripts::menuItems(dir.path()), (QList<MenuItem>{{"Alpha", "Alpha.scpt"},
                                                                   {"beta", "beta.txt"},
                                                                   {"my.script", "my.script.scpt"},
                                                                   {"runner.sh", "runner.sh"},
                                                                   {"tool", "tool"},
                                                                   {"x", "x.app"},
                                                                   {"y", "y.applescript"},
                                                                   {"z", "z.text"}}));
    EXPECT_TRUE(userscripts::menuItems(QString()).isEmpty());
}

TEST_F(UserScriptsTest, TitleWithoutExtensionTakesTheFirstExistingInSearchOrder)
{
    write("a.txt", "", false);
    write("a.applescript", "", false);
    write("a.app", "", false);
    EXPECT_EQ(userscripts::fileNameForTitle(dir.path(), "a"), "a.app");
    EXPECT_EQ(userscripts::fileNameForTitle(dir.path(), "missing"), "missing.txt");
    // A title with a dot of its own is taken as it is.
    EXPECT_EQ(userscripts::fileNameForTitle(dir.path(), "my.script"), "my.script");
}

TEST_F(UserScriptsTest, RecordTakesThePartsFieldsAndWorkBeforeHome)
{
    const QVariantMap row = {
        {"name", "Ann Lee"},    {"workEmail", ""},         {"homeEmail", "ann@h.com"},
        {"workPhone", "555-1"}, {"homePhone", "555-2"},    {"mobilePhone", "555-3"},
        {"workLocation", ""},   {"homeLocation", "Logan"}, {"job", "Chef"},
        {"org", "Acme"},        {"gID", "ignored"},
    };
    const QJsonObject expected{{"gname", "Ann Lee"},    {"email", "ann@h.com"},
                               {"phone", "555-1"},      {"mobilePhone", "555-3"},
                               {"location", "Logan"},   {"jobtitle", "Chef"},
                               {"organization", "Acme"}}; // no "notes": the row has none
    EXPECT_EQ(userscripts::scriptRecord(row), expected);
    EXPECT_EQ(userscripts::scriptRecord({}), QJsonObject());
}

TEST_F(UserScriptsTest, RunGivesTheArgumentTheRecordsAndTheTrimmedAnswer)
{
    // Answers with its argument and the records it read.
    const QString path = script("echo", "read records\nprintf '  %s %s\\n\\n' \"$1\" \"$records\"");
    const QJsonArray records{QJsonObject{{"gname", "Ann"}}, QJsonObject{}};
    const userscripts::Outcome outcome = userscripts::run(path, records, 10000);
    EXPECT_EQ(outcome.kind, userscripts::Outcome::Kind::Text);
    EXPECT_EQ(outcome.text, "runTolvaneScript " + QString::fromUtf8(QJsonDocument(records).toJson(
                                                      QJsonDocument::Compact)));
}

TEST_F(UserScriptsTest, RunFailsForScriptsThatCannotStartFailOrRunTooLong)
{
    struct Case
    {
        const char *name;
        QString path;
        QString reason;
    };
    const Case cases[] = {
        {"not executable", write("plain.txt", "echo Success\n", false), {}},
        {"missing", QDir(dir.path()).filePath("gone.scpt"), {}},
        {"error status with its message", script("fails", "echo broken >&2\nexit 3"), "broken"},
        {"error status without message", script("quiet", "exit 4"),
         "The script ended with status 4."},
        {"too long", script("slow", "sleep 5\necho Success"),
         "The script did not finish within 0.3 seconds."},
    };
    for (const Case &c : cases) {
        const userscripts::Outcome outcome = userscripts::run(c.path, {}, 300);
        EXPECT_EQ(outcome.kind, userscripts::Outcome::Kind::Failed) << c.name;
        if (c.reason.isEmpty())
            EXPECT_FALSE(outcome.text.isEmpty()) << c.name;
        else
            EXPECT_EQ(outcome.text, c.reason) << c.name;
    }
}

} // namespace
