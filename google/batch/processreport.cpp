// The plain-text report of a finished batch: one line per result entry, by batch identifier.
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/groupaccessors.h"

namespace {

constexpr unsigned kCreated = 201;

QString displayName(const GDataEntryPtr &entry)
{
    if (const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry))
        return tolvane::entryDisplayName(*contact);
    if (const auto group = std::dynamic_pointer_cast<GDataEntryContactGroup>(entry))
        return tolvane::entryDisplayName(*group);
    return entry->title().value_or(QString());
}

QString reportLine(const GDataEntryBase &entry)
{
    const QString batchID = entry.batchID().value_or(QString());
    const std::optional<GDataBatchStatus> status = entry.batchStatus();
    if (!status)
        return QStringLiteral("%1: no status returned\n\n").arg(batchID);
    if (const std::optional<GDataBatchInterrupted> interrupted = entry.batchInterrupted())
        return QStringLiteral("%1: %2 %3  (%4)\n\n")
            .arg(batchID)
            .arg(status->code)
            .arg(status->reason, interrupted->description());
    return QStringLiteral("%1: %2 %3 \n\n").arg(batchID).arg(status->code).arg(status->reason);
}

} // namespace

QString GoogleContactTool::buildProcessReportUsingResults(const std::vector<GDataEntryPtr> &results,
                                                          int httpStatus, bool updateGUI)
{
    QString report = QStringLiteral("ticket http status:%1\n\n").arg(httpStatus);
    for (const GDataEntryPtr &entry : results) {
        if (updateGUI && m_uiDelegate)
            m_uiDelegate->updateUserInfoWithMessage(
                QStringLiteral("Processing Google responses...%1").arg(displayName(entry)));
        report += reportLine(*entry);
    }
    return report;
}

GoogleContactTool::ProcessReport
GoogleContactTool::buildProcessReportDictUsingResults(const std::vector<GDataEntryPtr> &results,
                                                      int httpStatus)
{
    ProcessReport dict{buildProcessReportUsingResults(results, httpStatus, false), 0};
    for (const GDataEntryPtr &entry : results) {
        const std::optional<GDataBatchStatus> status = entry->batchStatus();
        if (status && status->code == kCreated)
            ++dict.addCount;
    }
    return dict;
}
