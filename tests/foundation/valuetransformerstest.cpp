#include "foundation/valuetransformers.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Case
{
    QVariant value;
    bool expected;
};

template <typename Transformer> void expectAll(std::initializer_list<Case> cases)
{
    const Transformer transformer;
    const char *name = Transformer::kName;
    EXPECT_EQ(transformer.transformedValueType(), QMetaType::fromType<bool>()) << name;
    EXPECT_FALSE(transformer.allowsReverseTransformation()) << name;
    for (const Case &c : cases) {
        const QVariant result = transformer.transformedValue(c.value);
        EXPECT_EQ(result.typeId(), QMetaType::Bool) << name;
        EXPECT_EQ(result.toBool(), c.expected)
            << name << " of " << ::testing::PrintToString(c.value);
    }
}

const QVariant missing;

TEST(ValueTransformers, NotZeroNotOneNotTwoAndNilZeroOrFalse)
{
    expectAll<IsNotZeroTransformer>(
        {{missing, false}, {0, false}, {1, true}, {-1, true}, {"0", false}, {"3 items", true}});
    expectAll<IsNotOneTransformer>(
        {{missing, true}, {1, false}, {1.7, false}, {"1", false}, {0, true}, {2, true}});
    expectAll<IsNotTwoTransformer>({{missing, true}, {2, false}, {"2", false}, {1, true}});
    expectAll<IsNilZeroOrFalseTransformer>(
        {{missing, true}, {0, true}, {false, true}, {"", true}, {true, false}, {5, false}});
}

TEST(ValueTransformers, OneOrTrueAndTwo)
{
    expectAll<IsOneOrTrueTransformer>({{missing, false},
                                       {true, true},
                                       {1, true},
                                       {0, false},
                                       {7, true},
                                       {0.5, true},
                                       {"YES", true},
                                       {"no", false}});
    expectAll<IsEqualToTwoTransformer>(
        {{missing, false}, {2, true}, {"2", true}, {2.9, true}, {3, false}});
}

TEST(ValueTransformers, GreaterThanTakeOnlyNumbersAndArrays)
{
    expectAll<IsGreaterThanZeroTransformer>({{missing, false},
                                             {1, true},
                                             {0, false},
                                             {-4, false},
                                             {0.5, false},
                                             {"5", false},
                                             {QVariantList{"a"}, true},
                                             {QVariantList{}, false},
                                             {QStringList{"a"}, true},
                                             {QVariantMap{{"a", 1}}, false}});
    expectAll<IsGreaterThanOneTransformer>({{missing, false},
                                            {1, false},
                                            {2, true},
                                            {"7", false},
                                            {QVariantList{"a"}, false},
                                            {QVariantList{"a", "b"}, true}});
}

} // namespace
