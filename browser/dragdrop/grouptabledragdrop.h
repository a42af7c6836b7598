// The group table's drags and drops. A drag of group rows gives other programs the text and the
// vCard files of the contacts the window shows; a drop on a row copies into that row's group,
// and a drop of groups (another window's, or the address book's) creates the groups this
// account lacks, then copies their members in the step the engine runs once they exist. Each
// group drop waits for that step with its own data, so a second drop before the first one's
// step takes nothing of the first.
#pragma once

#include "browser/models/tabledragdrop.h"
#include "google/engine/googlecontacttool.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QList>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

class BrowserDragDrop;

class GroupTableDragDrop : public TableDragDrop
{
public:
    explicit GroupTableDragDrop(BrowserDragDrop &browser);
    ~GroupTableDragDrop() override;

    QString windowToken() const override;
    bool writeDrag(const QList<int> &rows, QMimeData &data) override;
    bool canDrop(const QMimeData *data, int row, const QModelIndex &parent) const override;
    bool drop(const QMimeData *data, int row, const QModelIndex &parent) override;

    // A group copy of another window, waiting for its groups.
    struct GoogleGroupsJob
    {
        QString sourceToken;
        QList<int> rows;
        // The titles of the dragged rows, read from the source when the drop was made.
        QStringList groupNames;
        QString groupID;
    };
    // An address book group copy, waiting for its groups.
    struct ABGroupsJob
    {
        QStringList groupIDs;
        QStringList groupNames;
    };
    void uploadGoogleGroups(const GoogleGroupsJob &job);
    void uploadABGroups(const ABGroupsJob &job);
    void uploadABPeople(const QStringList &abids, const QString &groupID);
    void uploadVCards(const QStringList &paths, const QString &groupID);
    // The follow-up steps, once the groups exist.
    void processGoogleGroups();
    void processGroupABGroups();
    // As processGoogleGroups, but each group's members go in an import of their own.
    void processVCards();
    int pendingGroupJobs() const { return int(m_googleJobs.size() + m_abJobs.size()); }

private:
    // The pending group copy whose groups exist now (else the oldest), taken off the list.
    std::optional<GoogleGroupsJob> takeReadyGoogleJob();
    // The ready job and its source when each of its groups is copied on its own; with an
    // intersecting source the copy is started here and nothing is answered.
    std::optional<std::pair<GoogleGroupsJob, BrowserDragDrop *>>
    takeJobForEachGroup(bool skipFirstRowInIntersection);
    // The source's members of each dragged group but row 0, for the groups that have any.
    static QList<GoogleContactTool::VCardJob> membersByGroup(const GoogleGroupsJob &job,
                                                             BrowserDragDrop &source);
    // This account's groups of the job's titles; skipFirstRow leaves out a dragged row 0.
    std::vector<GDataEntryContactGroupPtr> groupsNamedIn(const GoogleGroupsJob &job,
                                                         bool skipFirstRow) const;
    QString targetGroupType(int row) const;
    bool rowTitleExists(const QString &title) const;
    bool groupsExist(const QStringList &names) const;
    void later(std::function<void()> job);
    bool dropContactRows(const QMimeData *data, const QString &target);

    BrowserDragDrop &m_browser;
    QList<GoogleGroupsJob> m_googleJobs;
    QList<ABGroupsJob> m_abJobs;
};
