// A Google account of 300 contacts built from tables of variants by index: every element kind a
// download maps (names, organisations and job titles, notes with web-address lines, e-mails,
// phones and postal addresses of each rel and custom labels, handles of every IM protocol, group
// memberships), companies, photos, contacts without e-mail, two contacts sharing an address and
// tombstones. From the same tables it tells what the person of each contact must hold after a
// download.
#pragma once

#include "tests/support/google/personcard.h"

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QByteArray>
#include <QStringList>

namespace googleaccountseed {

inline constexpr int kContactCount = 300;
// Two contacts that share their only e-mail address.
inline constexpr int kSharedEmailFirst = 100;
inline constexpr int kSharedEmailSecond = 101;

// An account on Google's People service holds only what that service has types for; the Atom
// seed adds a phone and an address of rels People has no counterpart for.
enum class Flavour { Atom, People };

// The account's own groups, in the order they are seeded.
QStringList groupTitles();

// The contact of that index. Its memberships point into groupIDs (the identifiers of the seeded
// groups, in the order of groupTitles()) and to My Contacts, the system group every contact of a
// real account belongs to.
GDataEntryContactPtr contactAt(int index, const QStringList &groupIDs, const QString &myContactsID,
                               Flavour flavour = Flavour::Atom);
// A tombstone after the seed: deleted on the server before the download.
bool isDeleted(int index);
// The PNG the server holds as the contact's photo; empty when the contact has none.
QByteArray photoAt(int index);

// What the person of that contact holds after a download into a book where it was new, with the
// options every download test sets (every "abUpdate" field on, handles labelled home, the city
// line read as city, state, ZIP).
PersonCard expectedCard(int index, Flavour flavour = Flavour::Atom);

} // namespace googleaccountseed
