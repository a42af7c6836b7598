#include "tests/app/sheets/sheetstest.h"

#include "google/browser/browserdictionary.h"
#include "google/lookups/contactlookups.h"

void SheetsTest::startWith(const std::vector<GDataEntryPtr> &contacts,
                           const std::vector<GDataEntryPtr> &groups)
{
    if (!groups.empty())
        server.seedGroups(kAccount, groups);
    if (!contacts.empty())
        server.seedContacts(kAccount, contacts);
    storePassword(kPassword);
    ASSERT_TRUE(startAndLogIn());
    ASSERT_TRUE(runUntil([this] { return engine()->isLoggedIn(); }));
    if (WindowController *const loader = delegate->dataMoverWindowController())
        loader->window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delegate->openBrowserView();
    m_browser = qobject_cast<RecordingWindow *>(delegate->googleBrowserWindowController());
    ASSERT_NE(m_browser, nullptr);
    m_browser->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_browser->window()));
    server.clearRequestLog();
}

void SheetsTest::typeInto(QLineEdit *edit, const QString &text)
{
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    emit edit->editingFinished();
}

GDataEntryContactPtr SheetsTest::serverContact(const QString &title)
{
    const GDataFeedPtr feed = server.entries(kAccount, GDataEntryBase::Kind::Contact);
    for (const GDataEntryPtr &entry : feed ? feed->entries() : std::vector<GDataEntryPtr>{}) {
        const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry);
        if (contact && !contact->isDeleted() && contact->title() == title)
            return contact;
    }
    return nullptr;
}

bool SheetsTest::waitForServerContact(const QString &title)
{
    return runUntil([&] { return serverContact(title) != nullptr; });
}

QVariantMap SheetsTest::browserRowOf(const QString &identifier) const
{
    const GDataEntryContactPtr contact =
        contactlookups::contactForID(engine()->lists(), identifier);
    return contact ? tolvane::tolvaneBrowserDictionary(*contact) : QVariantMap();
}
