#include "foundation/applicationdelegate.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A delegate that offers what it is told to and records the calls.
class RecordingDelegate : public ApplicationDelegate
{
public:
    explicit RecordingDelegate(bool offers)
        : m_offers(offers)
    {}
    bool offersFormatAsPhoneNumber() const override { return m_offers; }
    QString formatAsPhoneNumber(const QString &phoneNumber) override
    {
        return "(" + phoneNumber.left(3) + ") " + phoneNumber.mid(3);
    }
    bool offersUpdateCoreData() const override { return m_offers; }
    void updateCoreData() override { ++saves; }

    int saves = 0;

private:
    bool m_offers;
};

TEST(ApplicationDelegate, OptionalOperationsRunOnlyWhereOffered)
{
    EXPECT_EQ(ApplicationDelegate::formatAsPhoneNumberIfOffered("5550100"), "5550100");
    ApplicationDelegate::updateCoreDataIfOffered();

    RecordingDelegate silent(false);
    ApplicationDelegate::setShared(&silent);
    EXPECT_EQ(ApplicationDelegate::formatAsPhoneNumberIfOffered("5550100"), "5550100");
    ApplicationDelegate::updateCoreDataIfOffered();
    EXPECT_EQ(silent.saves, 0);

    RecordingDelegate offering(true);
    ApplicationDelegate::setShared(&offering);
    EXPECT_EQ(ApplicationDelegate::shared(), &offering);
    EXPECT_EQ(ApplicationDelegate::formatAsPhoneNumberIfOffered("5550100"), "(555) 0100");
    ApplicationDelegate::updateCoreDataIfOffered();
    EXPECT_EQ(offering.saves, 1);
    ApplicationDelegate::setShared(nullptr);
}

TEST(ApplicationDelegate, ADelegateThatGoesAwayLeavesNoDanglingRegistration)
{
    {
        RecordingDelegate offering(true);
        ApplicationDelegate::setShared(&offering);
    }
    EXPECT_EQ(ApplicationDelegate::shared(), nullptr);
    EXPECT_EQ(ApplicationDelegate::formatAsPhoneNumberIfOffered("5550100"), "5550100");
}

TEST(ApplicationDelegate, SeedingUsesTheCurrentSecond)
{
    // Seeding twice within the same second gives the same draws; retry across a second boundary.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::time_t before = std::time(nullptr);
        ApplicationDelegate::seedPseudoRandomGenerator();
        const long draw = ::random();
        ::srandom(static_cast<unsigned>(before));
        const long expected = ::random();
        if (std::time(nullptr) == before) {
            EXPECT_EQ(draw, expected);
            return;
        }
    }
    FAIL() << "the clock never stayed within one second";
}

} // namespace
