// The end of a browser edit batch: one report of every result, the outcome shown, and the lists
// fetched again whatever Google answered, so the held entries' changes that Google never took
// do not stay on show.
#include "google/batch/batchkeys.h"
#include "google/batch/ticketset.h"
#include "google/edits/edittexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/prompter.h"

#include <QApplication>

namespace {

void showSheet(const QString &title, const QString &text)
{
    Prompter::current().beginSheet(Prompt{title, text, {googletexts::okButton}},
                                   QApplication::activeWindow(), [](int) {});
}

} // namespace

QString GoogleContactTool::browserBatchReport(const TicketSet &set) const
{
    QString report = edittexts::reportStatus.arg(set.lastStatusCode());
    for (const GDataEntryPtr &entry : set.results()) {
        report += entry->batchID().value_or(QString()) + u'\n';
        if (const std::optional<GDataBatchInterrupted> interrupted = entry->batchInterrupted())
            report += interrupted->description() + u'\n';
        if (const std::optional<GDataBatchStatus> status = entry->batchStatus())
            report += edittexts::reportEntryStatus.arg(status->code).arg(status->reason);
        report += u'\n';
    }
    return report;
}

void GoogleContactTool::browserBatchAnswered(const TicketSet &set)
{
    m_lastBatchReport = browserBatchReport(set);
    if (!set.failures().empty())
        showSheet(edittexts::failedTitle,
                  edittexts::failedText.arg(set.failures().front().error.description));
    else if (UserDefaults::standard().boolForKey(batchkeys::showGoogleAlerts))
        showSheet(edittexts::completedTitle, edittexts::completedText.arg(m_lastBatchReport));
    m_isGoogleContactFetchPending = false;
    if (m_uiDelegate)
        m_uiDelegate->setProgressMessage(edittexts::refreshing);
    refreshFeeds();
}
