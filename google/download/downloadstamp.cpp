#include "google/download/downloadstamp.h"

#include "addressbook/google/linkproperties.h"
#include "foundation/text/textdate.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"

namespace downloadstamp {

namespace {

// The stamp keeps whole seconds and is taken before the fields are written; the writes of one
// person end well within this.
constexpr qint64 kWriteSpanMs = 2000;

} // namespace

bool isUnchangedSinceDownload(const GDataEntryBase &contact, const PersonPtr &person)
{
    const AddressBookTool::LinkPropertyNames names = AddressBookTool::contactLinkPropertyNames();
    const QString version = person->valueForProperty(names.version).toString();
    if (version.isEmpty() || version != textdate::format(contact.updatedDate()))
        return false;
    const QDateTime asOf = textdate::parse(person->valueForProperty(names.asOfDate).toString());
    const QDateTime modified = person->valueForProperty(kABModificationDateProperty).toDateTime();
    if (!asOf.isValid() || !modified.isValid())
        return false;
    const qint64 sinceWrite = asOf.addSecs(-kAsOfAheadSeconds).msecsTo(modified);
    return sinceWrite >= 0 && sinceWrite < kWriteSpanMs;
}

} // namespace downloadstamp
