#pragma once

#include "app/sheets/contactsheet.h"
#include "google/engine/googlecontacttool.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "tests/support/app/mainprogramtest.h"

#include <QLineEdit>
#include <QTest>

// The main program signed in to the loopback server with the contacts and groups seeded before
// the start, its first window closed and a browser window key, on which the sheets open.
class SheetsTest : public MainProgramTest
{
protected:
    void startWith(const std::vector<GDataEntryPtr> &contacts = {},
                   const std::vector<GDataEntryPtr> &groups = {});
    RecordingWindow *browser() const { return m_browser; }
    GoogleContactTool *engine() const { return delegate->appGoogleContactTool(); }
    // Types into the line edit as the user would and leaves it.
    static void typeInto(QLineEdit *edit, const QString &text);
    // The server's contact of that title (not deleted), or null.
    GDataEntryContactPtr serverContact(const QString &title);
    bool waitForServerContact(const QString &title);
    // The browser dictionary of the engine's contact of that identifier.
    QVariantMap browserRowOf(const QString &identifier) const;

private:
    RecordingWindow *m_browser = nullptr;
};
