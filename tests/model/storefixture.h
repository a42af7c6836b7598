#pragma once

#include "platform/store/managedobjectcontext.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A fresh shared store in a temporary folder, one context over it, and the log lines written
// while the test runs.
class StoreFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<ManagedObjectContext> openContext();
    QString storePath() const;
    // Runs SQL on the store file behind the context's back, to make its fetches fail.
    void execOnStoreFile(const QString &statement);

    QStringList logLines();
    bool logged(const QString &line);
    static void setLogLevel(int level);

    QTemporaryDir m_dir;
    std::unique_ptr<ManagedObjectContext> m_context;

private:
    int m_savedStderr = -1;
};
