#include "google/upload/labelmapping.h"

#include "platform/addressbook/abconstants.h"
#include "platform/gdata/gdataconstants.h"

namespace labelmapping {
namespace {

struct LabelRel
{
    const QString &abLabel;
    const char *rel;
};

const LabelRel kGeneralRels[] = {
    {kABEmailWorkLabel, kGDataContactWork},
    {kABEmailHomeLabel, kGDataContactHome},
};

// Tried in this order; the "cell" test comes right after the standard mobile label.
const LabelRel kPhoneRelsBeforeCell[] = {
    {kABPhoneWorkLabel, kGDataPhoneNumberWork},
    {kABPhoneHomeLabel, kGDataPhoneNumberHome},
    {kABPhoneMobileLabel, kGDataPhoneNumberMobile},
};

const LabelRel kPhoneRelsAfterCell[] = {
    {kABPhoneWorkFAXLabel, kGDataPhoneNumberWorkFax},
    {kABPhoneHomeFAXLabel, kGDataPhoneNumberHomeFax},
    {kABPhonePagerLabel, kGDataPhoneNumberPager},
};

const QString kMainLabelText = QStringLiteral("Main");
const QString kCellText = QStringLiteral("cell");

template <std::size_t N>
std::optional<QString> relFromTable(const LabelRel (&table)[N], const QString &abLabel)
{
    for (const LabelRel &row : table) {
        if (row.abLabel == abLabel)
            return QString::fromLatin1(row.rel);
    }
    return std::nullopt;
}

bool isOtherLabel(const QString &abLabel)
{
    return abLabel.isEmpty() || abLabel == kABOtherLabel;
}

RelOrLabel rel(const QString &value)
{
    return {value, std::nullopt};
}

RelOrLabel label(const QString &value)
{
    return {std::nullopt, value};
}

} // namespace

RelOrLabel googleRelForLabel(const QString &abLabel)
{
    if (const auto found = relFromTable(kGeneralRels, abLabel))
        return rel(*found);
    if (isOtherLabel(abLabel))
        return rel(QString::fromLatin1(kGDataContactOther));
    return label(abLabel);
}

RelOrLabel googlePhoneRelForLabel(const QString &abLabel)
{
    if (const auto found = relFromTable(kPhoneRelsBeforeCell, abLabel))
        return rel(*found);
    if (abLabel.toLower().contains(kCellText))
        return rel(QString::fromLatin1(kGDataPhoneNumberMobile));
    if (const auto found = relFromTable(kPhoneRelsAfterCell, abLabel))
        return rel(*found);
    if (abLabel == kABPhoneMainLabel)
        return label(kMainLabelText);
    if (isOtherLabel(abLabel))
        return rel(QString::fromLatin1(kGDataContactOther));
    return label(abLabel);
}

RelOrLabel googleIMRelForLabel(const QString &abLabel, const QString &workLabel,
                               const QString &homeLabel)
{
    if (abLabel == workLabel && !abLabel.isEmpty())
        return {QString::fromLatin1(kGDataContactWork), QString()};
    if (abLabel == homeLabel && !abLabel.isEmpty())
        return {QString::fromLatin1(kGDataContactHome), QString()};
    if (abLabel.isEmpty())
        return rel(QString::fromLatin1(kGDataContactOther));
    return label(abLabel);
}

} // namespace labelmapping
