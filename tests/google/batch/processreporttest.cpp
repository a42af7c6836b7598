// The text report of a finished batch, and the count of entries Google created.

#include "tests/support/google/enginedoubles.h"
#include "tests/support/google/googleentrybuilders.h"

#include <gtest/gtest.h>

namespace {

GDataEntryPtr result(const QString &batchID, const QString &title,
                     const std::optional<GDataBatchStatus> &status,
                     const std::optional<GDataBatchInterrupted> &interrupted = std::nullopt)
{
    const GDataEntryContactPtr entry = makeContact({{}, title});
    entry->setBatchID(batchID);
    entry->setBatchStatus(status);
    entry->setBatchInterrupted(interrupted);
    return entry;
}

TEST(ProcessReport, EachResultHasItsLine_CreatedOnesAreCounted)
{
    QStringList journal;
    RecordingUIDelegate ui(journal);
    GoogleContactTool tool(GoogleContactTool::Role::MainProgram);
    tool.setUIDelegate(&ui);
    const std::vector<GDataEntryPtr> results = {
        result("a", "Ann", GDataBatchStatus{201, "Created", {}}),
        result("b", "Bob", GDataBatchStatus{404, "Not Found", {}}),
        result("c", "Cy", std::nullopt),
        result("d", "Di", GDataBatchStatus{201, "Created", {}},
               GDataBatchInterrupted{"stopped", 1, 1, 2}),
    };
    const QString head = QStringLiteral("ticket http status:200\n\na: 201 Created \n\n"
                                        "b: 404 Not Found \n\nc: no status returned\n\nd: 201 "
                                        "Created  (");

    const QString report = tool.buildProcessReportUsingResults(results, 200, true);
    EXPECT_TRUE(report.startsWith(head)) << report.toStdString();
    EXPECT_TRUE(report.endsWith(")\n\n"));
    EXPECT_TRUE(journal.contains("updateUserInfo:Processing Google responses...Ann"));
    EXPECT_TRUE(journal.contains("updateUserInfo:Processing Google responses...Di"));

    journal.clear();
    const GoogleContactTool::ProcessReport dict =
        tool.buildProcessReportDictUsingResults(results, 200);
    EXPECT_EQ(dict.report, report);
    EXPECT_EQ(dict.addCount, 2);
    EXPECT_TRUE(journal.isEmpty());
}

} // namespace
