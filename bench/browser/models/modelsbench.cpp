// The browser's lists over a full account: 25,000 sample contacts (parsed from the sample feed)
// in 200 groups, one of them of 10,000 members, every contact also in My Contacts. Each figure
// stands beside a floor measured in the same run:
// - the rows of every contact and the All row's table laid out, beside the rows as they were
//   built before (a laid-out title document per row);
// - one search keystroke with the table's update, matching a few rows and matching none, beside
//   a bare QSortFilterProxyModel filtering the same search texts;
// - switching the group row (the 10,000-member group, the All row, a union of three) with the
//   list, its table and the first contact's notes, beside the engine's membership computation
//   alone;
// - sorting by name and by organisation, beside std::sort of the same keys.

#include "bench/platform/gdata/samplecontacts.h"
#include "bench/support/residentmemory.h"

#include "browser/models/contactarraycontroller.h"
#include "browser/models/contactcolumns.h"
#include "browser/models/grouparraycontroller.h"
#include "browser/selection/groupsetcontroller.h"
#include "foundation/vozuveva/vozuvevawindows.h"
#include "google/browser/browserdictionary.h"
#include "google/browser/browserlist.h"
#include "google/browser/browsersearchtext.h"
#include "google/browser/pseudogroups.h"
#include "google/engine/googlecontacttool.h"
#include "platform/gdata/atom/atomreader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr int kContacts = 25000;
constexpr int kGroups = 200;
constexpr int kBigGroup = 10000;
const QString kBase = QStringLiteral("http://127.0.0.1:47180");
const QString kUser = QStringLiteral("bench@example.com");

QString groupID(int index)
{
    return kBase + QStringLiteral("/m8/feeds/groups/bench%40example.com/base/g") +
           QString::number(index);
}
const QString kMyContacts = groupID(999);

// The account, parsed once: group 0 holds the first 10,000 contacts, every contact is also in one
// of the other 199 groups and in My Contacts.
struct Account
{
    Account()
    {
        const QByteArray xml = samplecontacts::feedXML(kContacts, kBase, kUser);
        const auto feed = atomreader::parseFeed(xml, GDataEntryBase::Kind::Contact);
        std::vector<GDataEntryContactPtr> contacts;
        int index = 0;
        for (const GDataEntryPtr &entry : (*feed)->entries()) {
            auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry);
            std::vector<GDataGroupMembershipInfo> memberships = {
                GDataGroupMembershipInfo::groupMembershipInfoWithHref(kMyContacts),
                GDataGroupMembershipInfo::groupMembershipInfoWithHref(
                    groupID(1 + index % (kGroups - 1)))};
            if (index < kBigGroup)
                memberships.push_back(
                    GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupID(0)));
            contact->setGroupMembershipInfos(memberships);
            contacts.push_back(contact);
            ++index;
        }
        std::vector<GDataEntryContactGroupPtr> groups;
        auto my = std::make_shared<GDataEntryContactGroup>();
        my->setIdentifier(kMyContacts);
        my->setTitle(QStringLiteral("System Group: My Contacts"));
        my->setSystemGroup(QStringLiteral("Contacts"));
        groups.push_back(my);
        for (int g = 0; g < kGroups; ++g) {
            auto group = std::make_shared<GDataEntryContactGroup>();
            group->setIdentifier(groupID(g));
            group->setTitle(QStringLiteral("Group %1").arg(g, 3, 10, QLatin1Char('0')));
            groups.push_back(group);
        }
        tool.lists().setGroups(groups);
        tool.lists().setContacts(contacts);
        entriesMB = residentMB();
    }

    QList<GDataEntryContactPtr> all() const
    {
        return {tool.contactArray().begin(), tool.contactArray().end()};
    }

    GoogleContactTool tool{GoogleContactTool::Role::MainProgram};
    double entriesMB = 0;
};

// Made on first use and deleted while the application still exists.
Account *g_account = nullptr;
struct Browser;
Browser *g_browser = nullptr;
void deleteBrowserAndAccount();

Account &account()
{
    if (!g_account) {
        g_account = new Account;
        qAddPostRoutine(deleteBrowserAndAccount);
    }
    return *g_account;
}

// The browser's two tables over the models, laid out offscreen with fixed row heights.
struct Browser
{
    Browser()
    {
        BrowserRowsProgress quiet;
        browserlist::setContactBrowserArray(account().tool.lists(), account().all(), quiet);
        contacts.contactRowsChanged();
        groups.setGroupArray(account().tool.groupArray());
        for (QTableView *view : {&contactTable, &groupTable}) {
            view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
            view->verticalHeader()->setDefaultSectionSize(18);
            view->resize(800, 600);
            view->show();
        }
        contactTable.setModel(&contacts);
        groupTable.setModel(&groups);
        contactTable.setSelectionModel(selection.contactSelection());
        groupTable.setSelectionModel(selection.groupSelection());
        QApplication::processEvents();
    }

    // Lays the tables out as a window shows them.
    void layOut()
    {
        contactTable.viewport()->repaint();
        groupTable.viewport()->repaint();
        QApplication::processEvents();
    }

    GroupArrayController groups;
    ContactArrayController contacts{account().tool.lists()};
    GroupSetController selection{account().tool, groups, contacts};
    QTableView contactTable;
    QTableView groupTable;
};

Browser &browser()
{
    if (!g_browser)
        g_browser = new Browser;
    return *g_browser;
}

void deleteBrowserAndAccount()
{
    delete g_browser;
    delete g_account;
}

void BM_RowsAndTableOfAllContacts(benchmark::State &state)
{
    Account &a = account();
    const double before = residentMB();
    qint64 rowsNs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        a.tool.lists().entriesChanged();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        BrowserRowsProgress quiet;
        browserlist::setContactBrowserArray(a.tool.lists(), a.all(), quiet);
        rowsNs += clock.nsecsElapsed();
        browser().contacts.contactRowsChanged();
        browser().layOut();
    }
    state.counters["rows_ms"] = double(rowsNs) / 1e6 / double(state.iterations());
    state.counters["rows"] = double(a.tool.lists().browserRows().size());
    state.counters["entries_MB"] = a.entriesMB;
    state.counters["with_rows_MB"] = std::max(before, residentMB());
}
BENCHMARK(BM_RowsAndTableOfAllContacts)->Unit(benchmark::kMillisecond)->Iterations(3);

// Floor: the rows as they were built before, with a laid-out title document each.
void BM_Floor_RowsWithATitleDocumentEach(benchmark::State &state)
{
    Account &a = account();
    for (auto _ : state) {
        QList<QVariantMap> rows;
        rows.reserve(kContacts);
        for (const GDataEntryContactPtr &contact : a.tool.contactArray()) {
            QVariantMap row = tolvane::tolvaneBrowserDictionary(*contact);
            const QSharedPointer<QTextDocument> title(
                VozuVeva::nameWithImageForTitle(row.value(QStringLiteral("name")).toString(),
                                                tolvane::typeIconName(*contact), 15, 2.0F)
                    .release());
            row.insert(QStringLiteral("nameWithImage"), QVariant::fromValue(title));
            rows.append(std::move(row));
        }
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_Floor_RowsWithATitleDocumentEach)->Unit(benchmark::kMillisecond)->Iterations(1);

const char *const kSearches[] = {"firstname1234", "nobody has this"};

void BM_SearchKeystroke(benchmark::State &state)
{
    Browser &b = browser();
    b.selection.refreshView();
    const QString search = QString::fromLatin1(kSearches[state.range(0)]);
    for (auto _ : state) {
        b.contacts.setSearchString(search);
        b.layOut();
        state.PauseTiming();
        b.contacts.setSearchString(QString());
        b.layOut();
        state.ResumeTiming();
    }
    b.contacts.setSearchString(search);
    state.counters["shown"] = b.contacts.rowCount();
    b.contacts.setSearchString(QString());
}
BENCHMARK(BM_SearchKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Floor: a bare proxy filtering the same texts.
void BM_Floor_ProxyFilterOfTheSameTexts(benchmark::State &state)
{
    QStringListModel texts(account().tool.lists().browserSearchTexts());
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&texts);
    proxy.rowCount();
    const QString search = QString::fromLatin1(kSearches[state.range(0)]);
    for (auto _ : state) {
        proxy.setFilterFixedString(search);
        benchmark::DoNotOptimize(proxy.rowCount());
        state.PauseTiming();
        proxy.setFilterFixedString(QString());
        proxy.rowCount();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Floor_ProxyFilterOfTheSameTexts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

QStringList switchTarget(int which)
{
    switch (which) {
    case 0:
        return {groupID(0)};
    case 1:
        return {kMyContacts};
    default:
        return {groupID(1), groupID(2), groupID(3)};
    }
}

void BM_SwitchGroup(benchmark::State &state)
{
    Browser &b = browser();
    const QStringList target = switchTarget(int(state.range(0)));
    QString notes;
    for (auto _ : state) {
        state.PauseTiming();
        b.selection.selectGroupIdentifiers({groupID(150)});
        b.layOut();
        state.ResumeTiming();
        b.selection.selectGroupIdentifiers(target);
        // The inspector's copy of the first contact and its notes.
        const QModelIndexList selected = b.selection.contactSelection()->selectedRows();
        if (!selected.isEmpty()) {
            QVariantMap current = b.contacts.arrangedObject(selected.front().row());
            notes = current.value(QStringLiteral("notes")).toString();
        }
        b.layOut();
    }
    benchmark::DoNotOptimize(notes);
    state.counters["shown"] = b.contacts.rowCount();
}
BENCHMARK(BM_SwitchGroup)
    ->ArgName("tenThousand0_all1_unionOfThree2")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

// Floor: the engine's membership computation of the same selection alone.
void BM_Floor_ContactsForGroupSet(benchmark::State &state)
{
    const GoogleContactLists &lists = account().tool.lists();
    const QStringList target = switchTarget(int(state.range(0)));
    const pseudogroups::GroupSelection selection = pseudogroups::groupSetForIDs(lists, target);
    for (auto _ : state)
        benchmark::DoNotOptimize(pseudogroups::contactsForGroupSet(lists, selection, false));
}
BENCHMARK(BM_Floor_ContactsForGroupSet)
    ->ArgName("tenThousand0_all1_unionOfThree2")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

const char *const kSortColumns[] = {"name", "org"};

void BM_SortByColumn(benchmark::State &state)
{
    Browser &b = browser();
    b.selection.selectGroupIdentifiers({kMyContacts});
    const int column = contactcolumns::columnOf(QString::fromLatin1(kSortColumns[state.range(0)]));
    Qt::SortOrder order = Qt::DescendingOrder;
    for (auto _ : state) {
        b.contactTable.sortByColumn(column, order);
        b.layOut();
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
    state.counters["rows"] = b.contacts.rowCount();
}
BENCHMARK(BM_SortByColumn)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Floor: std::sort of the same keys, already case-folded.
void BM_Floor_StdSortOfTheSameKeys(benchmark::State &state)
{
    const QString key = QString::fromLatin1(kSortColumns[state.range(0)]);
    std::vector<QString> keys;
    for (const QVariantMap &row : account().tool.lists().browserRows())
        keys.push_back(row.value(key).toString().toCaseFolded());
    bool descending = true;
    for (auto _ : state) {
        std::vector<QString> sorted = keys;
        if (descending)
            std::sort(sorted.begin(), sorted.end(), std::greater<>());
        else
            std::sort(sorted.begin(), sorted.end());
        descending = !descending;
        benchmark::DoNotOptimize(sorted);
    }
}
BENCHMARK(BM_Floor_StdSortOfTheSameKeys)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
