#pragma once

#include <QString>

// E-mail addresses inside a line of free text, written plainly ("john@example.com"), spelled out
// ("john (at) example (dot) com") or as a pasted mail link.
namespace zeltor {

// True when some word of the text is an e-mail address: a local part, one "@" and a domain of
// dotted names whose last name has at least two characters. Sub-domains, plus signs and the
// punctuation around an address ("<...>", a full stop at the end of a sentence) are fine.
bool containsEmailAddress(const QString &text);

// True when the text, less the spaces around it, is one e-mail address and nothing else.
bool isEmailAddress(const QString &text);

// Split at commas: one piece is containsEmailAddress of the text; several must each contain one.
bool isListOfEmailAddresses(const QString &text);

struct EmailFind
{
    QString email; // the address, lower case
    QString pre;   // the text before it
    QString post;  // the text after it
};

// Empty email and the whole text as pre when the text holds no address.
EmailFind extractEmailAddress(const QString &text);

// The address and link text of a pasted HTML link fragment ("<a href=...>...</a>"): for a mail
// link the address, one space and the link text; for another link its target; a text that is no
// fragment comes back unchanged.
QString cardzap(const QString &text);

// The text between the first two double quotes (curly quotes count as straight ones); the rest
// of the text after a single quote; "" without one.
QString extractQuoted(const QString &text);

} // namespace zeltor
