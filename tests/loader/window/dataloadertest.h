#pragma once

#include "loader/window/datamoverwindowcontroller.h"
#include "tests/support/app/mainprogramtest.h"

#include <QStringList>

// The main program started against the loopback server with the real data loader in its window
// factory, the upload and download options every test starts from, the account logged in and the
// data loader open.
class DataLoaderTest : public MainProgramTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program and opens the window; false when either failed.
    bool openLoader();
    GoogleContactTool *tool() const;
    // Clicks the button, answers its sheet with the given button and waits until the process has
    // ended and the fetch after it has come back.
    bool runPass(QAbstractButton *button, int answer = kAlertSecondButtonReturn);
    // Waits until the window is idle.
    bool settle();
    // Every entry of the kind on the server that is not a tombstone.
    std::vector<GDataEntryPtr> liveEntries(GDataEntryBase::Kind kind);
    int batchRequests();
    QStringList sheetTitles() const;
    // The agent stand-in, installed and started by the program as its agent; call before
    // openLoader.
    void startAgentStandIn();
    QStringList agentCalls();
    bool agentListening();

    DataMoverWindowController *loader = nullptr;
    int processesEnded = 0;

private:
    bool m_withAgent = false;
};
