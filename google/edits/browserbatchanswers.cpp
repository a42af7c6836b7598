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

// The result's batch identifier, an interruption's description and the status code with its
// reason, then an empty line.
QString reportLines(const GDataEntryBase &entry)
{
    QString lines = entry.batchID().value_or(QString()) + u'\n';
    if (const std::optional<GDataBatchInterrupted> interrupted = entry.batchInterrupted())
        lines += interrupted->description() + u'\n';
    if (const std::optional<GDataBatchStatus> status = entry.batchStatus())
        lines += edittexts::reportEntryStatus.arg(status->code).arg(status->reason);
    return lines + u'\n';
}

bool wasRefused(const GDataEntryBase &entry)
{
    const std::optional<GDataBatchStatus> status = entry.batchStatus();
    return entry.batchInterrupted() || !status || status->code >= 400;
}

} // namespace

void GoogleContactTool::browserBatchAnswered(const TicketSet &set)
{
    QString report = edittexts::reportStatus.arg(set.lastStatusCode());
    QString refused;
    for (const GDataEntryPtr &entry : set.results()) {
        const QString lines = reportLines(*entry);
        report += lines;
        if (wasRefused(*entry))
            refused += lines;
    }
    m_lastBatchReport = report;
    // A failed feed, and an entry Google refused, are shown whether or not the user asked to see
    // the reports: the browser must not look as if every change went through.
    if (!set.failures().empty())
        showSheet(edittexts::failedTitle,
                  edittexts::failedText.arg(set.failures().front().error.description));
    else if (!refused.isEmpty())
        showSheet(edittexts::failedTitle, edittexts::failedText.arg(refused.trimmed()));
    else if (UserDefaults::standard().boolForKey(batchkeys::showGoogleAlerts))
        showSheet(edittexts::completedTitle, edittexts::completedText.arg(report));
    m_isGoogleContactFetchPending = false;
    if (m_uiDelegate)
        m_uiDelegate->setProgressMessage(edittexts::refreshing);
    refreshFeeds();
}
