#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Hands a message to the user's mail program as a "mailto:" URL; the user sends it from there.
namespace VozuVeva {

inline const QString kDefaultMailText = QStringLiteral("A Message from Tolvane");
inline const QString kSupportMailAddress = QStringLiteral("support@zel-tor.com");

// To, CC and BCC are comma-separated address lists. An empty subject or body becomes the default
// text, an empty To the support address. Nothing opens unless every piece of To is an address
// (logged); CC and BCC are left off unless every piece of each non-empty one is. Every part is
// escaped as a URL query component, so no text can add header fields of its own.
void sendMailTo(const QString &to, const QString &cc, const QString &bcc, const QString &subject,
                const QString &body);

// A message with no recipient at all, for the user to address in the mail program: what it holds
// (a contact's map link) never goes to the support address by default.
void sendMailWithoutRecipient(const QString &subject, const QString &body);

// A message to one address (or list), with no subject or body; nothing opens for an empty text or
// one that is not a list of addresses.
void sendSimpleMessage(const QString &address);

// What opens a mail URL: the desktop's handler unless replaced (tests record the URL instead).
using MailOpener = std::function<bool(const QUrl &)>;
void setMailOpener(MailOpener opener); // an empty function restores the desktop's handler

} // namespace VozuVeva
