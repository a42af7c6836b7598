#pragma once

#include <QString>

// Escaping of user text for URLs and XML. Both escape exactly once: text that already looks
// escaped is the user's text and is escaped again, never decoded.
namespace zeltor {

// Percent-escapes (UTF-8, upper-case hex) every character but the unreserved ones (letters,
// digits, "-", ".", "_", "~"), so the result is safe as a query component: "&", "=", "?", "#",
// "+" and "%" are escaped too.
QString urlSafe(const QString &text);

// "&", "<", ">" and the double quote become entities, in one pass; the apostrophe stays. A null
// text gives "".
QString xmlSafe(const QString &text);

} // namespace zeltor
