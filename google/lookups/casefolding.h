// Case folding for keys that compare without regard to case.
#pragma once

#include <QString>
#include <QStringView>

namespace casefolding {

// The text case-folded. A text that folding leaves unchanged is returned as it is, without a copy:
// most keys (e-mail addresses, folded words) are lower case already.
QString folded(const QString &text);
// The same for a part of a text, made in one allocation.
QString folded(QStringView text);

// Whether the two texts are the same once folded, and a hash of the folded text (equal for texts
// that fold alike). Plain ASCII, as nearly every address is, is compared and hashed without
// making a folded copy.
bool equalFolded(QStringView a, QStringView b);
size_t foldedHash(QStringView text);

} // namespace casefolding
