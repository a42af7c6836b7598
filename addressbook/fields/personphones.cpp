#include "addressbook/fields/personphones.h"

#include "addressbook/fields/labelledvalues.h"
#include "foundation/applicationdelegate.h"
#include "platform/addressbook/abconstants.h"

using namespace labelledvalues;

namespace AddressBookTool {

namespace {

const QString kCellLabel = QStringLiteral("cell");
const QString kIPhoneLabel = QStringLiteral("iPhone");

MultiValue phonesOf(const PersonPtr &person)
{
    return valuesOf(person, kABPhoneProperty);
}

QString formattedPhoneAt(const MultiValue &phones, int index)
{
    if (index < 0)
        return QStringLiteral("");
    const QString formatted =
        ApplicationDelegate::formatAsPhoneNumberIfOffered(textAt(phones, index));
    return formatted.isNull() ? QStringLiteral("") : formatted;
}

bool isOtherPhoneLabel(const QString &label)
{
    if (label == kABOtherLabel)
        return true;
    for (const QString &named : {kABPhoneMobileLabel, kABPhoneHomeLabel, kABPhoneWorkLabel,
                                 kABPhoneMainLabel, kCellLabel, kIPhoneLabel}) {
        if (label == named)
            return false;
    }
    return true;
}

// The value rule also takes custom labels such as "Cell phone" or "My iPhone".
bool isMobilePhoneValueLabel(const QString &label)
{
    if (label == kABPhoneMobileLabel || label == kABPhonePagerLabel)
        return true;
    const QString lower = label.toLower();
    return lower.contains(QLatin1String("cell")) || lower.contains(QLatin1String("iphone"));
}

bool isMobilePhonePositionLabel(const QString &label)
{
    return label == kABPhoneMobileLabel || label == kABPhonePagerLabel || label == kCellLabel ||
           label == kIPhoneLabel;
}

} // namespace

QString primaryPhoneForPerson(const PersonPtr &person)
{
    const MultiValue phones = phonesOf(person);
    return formattedPhoneAt(phones, primaryIndex(phones));
}

QString workPhoneForPerson(const PersonPtr &person)
{
    const MultiValue phones = phonesOf(person);
    return formattedPhoneAt(phones, firstIndexOfLabel(phones, kABPhoneWorkLabel));
}

QString homePhoneForPerson(const PersonPtr &person)
{
    const MultiValue phones = phonesOf(person);
    return formattedPhoneAt(phones, firstIndexOfLabel(phones, kABPhoneHomeLabel));
}

QString otherPhoneForPerson(const PersonPtr &person)
{
    const MultiValue phones = phonesOf(person);
    return formattedPhoneAt(phones, lastIndexWhere(phones, isOtherPhoneLabel));
}

QString mobilePhoneForPerson(const PersonPtr &person)
{
    const MultiValue phones = phonesOf(person);
    const int mobile = firstIndexWhere(phones, isMobilePhoneValueLabel);
    if (mobile < 0)
        return QStringLiteral("");
    const QString number = formattedPhoneAt(phones, mobile);
    if (!number.isEmpty())
        return number;
    return formattedPhoneAt(phones, firstIndexOfLabel(phones, kABPhoneMainLabel));
}

int indexOfWorkPhoneForPerson(const PersonPtr &person)
{
    return firstIndexOfLabel(phonesOf(person), kABPhoneWorkLabel);
}

int indexOfHomePhoneForPerson(const PersonPtr &person)
{
    return firstIndexOfLabel(phonesOf(person), kABPhoneHomeLabel);
}

int indexOfOtherPhoneForPerson(const PersonPtr &person)
{
    return firstIndexWhere(phonesOf(person), isOtherPhoneLabel);
}

int indexOfMobilePhoneForPerson(const PersonPtr &person)
{
    return firstIndexWhere(phonesOf(person), isMobilePhonePositionLabel);
}

} // namespace AddressBookTool
