#include "addressbook/google/googleaddress.h"

#include "addressbook/google/browserdictionarykeys.h"
#include "foundation/text/zeltorstring.h"
#include "platform/addressbook/abconstants.h"

namespace AddressBookTool {

namespace {

struct KeyPair
{
    const QString &google;
    const QString &addressBook;
};

} // namespace

QVariantMap abAdddressForGoogleDict(const QVariantMap &googleAddress)
{
    QVariantMap address;
    const QString street =
        zeltor::googlob(googleAddress.value(googleaddresskeys::street1).toString(),
                        googleAddress.value(googleaddresskeys::street2).toString());
    if (!street.isEmpty())
        address.insert(kABAddressStreetKey, street);
    const KeyPair parts[] = {{googleaddresskeys::city, kABAddressCityKey},
                             {googleaddresskeys::state, kABAddressStateKey},
                             {googleaddresskeys::postal, kABAddressZIPKey},
                             {googleaddresskeys::country, kABAddressCountryKey}};
    for (const KeyPair &part : parts) {
        const QString text = googleAddress.value(part.google).toString();
        if (!text.isEmpty())
            address.insert(part.addressBook, text);
    }
    return address;
}

} // namespace AddressBookTool
