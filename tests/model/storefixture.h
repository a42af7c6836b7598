#pragma once

#include "foundation/applicationdelegate.h"
#include "platform/store/managedobjectcontext.h"
#include "tests/support/logcapture.h"

#include <QTemporaryDir>

#include <memory>
#include <utility>

// A fresh shared store in a temporary folder, one context over it, an application delegate that
// saves that context, and the log lines written while the test runs.
class StoreFixture : public LogCaptureTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<ManagedObjectContext> openContext();
    QString storePath() const;
    // Runs SQL on the store file behind the context's back, to make its fetches fail.
    void execOnStoreFile(const QString &statement);
    bool logged(const QString &line) { return lines().contains(line); }
    // From now on each change the context announces as done is kept as a line such as
    // "Region.name" or "TolvaneOwner.menuPrefs +Region"; takeChanges answers them and starts
    // afresh.
    void recordChanges();
    QStringList takeChanges() { return std::exchange(m_changes, {}); }

    QTemporaryDir m_dir;
    std::unique_ptr<ManagedObjectContext> m_context;
    QStringList m_changes;

private:
    class SavingDelegate : public ApplicationDelegate
    {
    public:
        explicit SavingDelegate(StoreFixture &fixture)
            : m_fixture(fixture)
        {}
        bool offersUpdateCoreData() const override { return true; }
        void updateCoreData() override { m_fixture.m_context->save(nullptr); }

    private:
        StoreFixture &m_fixture;
    };

    SavingDelegate m_delegate{*this};
};
