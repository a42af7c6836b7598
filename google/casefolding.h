// Case folding for keys that compare without regard to case.
#pragma once

#include <QString>

namespace casefolding {

// The text case-folded. A text that folding leaves unchanged is returned as it is, without a copy:
// most keys (e-mail addresses, folded words) are lower case already.
QString folded(const QString &text);

} // namespace casefolding
