#include "foundation/mailcomposer.h"

#include "foundation/log.h"
#include "foundation/parsers/emailparser.h"
#include "foundation/text/zeltorescaping.h"

#include <QDesktopServices>
#include <QStringList>

namespace VozuVeva {

namespace {

MailOpener &mailOpener()
{
    static MailOpener opener;
    return opener;
}

void openMailUrl(const QString &url)
{
    const QUrl mailUrl = QUrl::fromEncoded(url.toLatin1(), QUrl::StrictMode);
    if (mailOpener())
        mailOpener()(mailUrl);
    else
        QDesktopServices::openUrl(mailUrl);
}

// Every piece between commas is one address and nothing else; an empty list is no list.
bool isAddressList(const QString &list)
{
    const QStringList pieces = list.split(u',');
    return std::all_of(pieces.begin(), pieces.end(), zeltor::isEmailAddress);
}

// The addresses escaped for the URL; the commas between them and each "@" stay as they are.
QString escapedAddressList(const QString &list)
{
    QStringList escaped;
    for (const QString &piece : list.split(u','))
        escaped.append(QString::fromLatin1(QUrl::toPercentEncoding(piece.trimmed(), "@")));
    return escaped.join(u',');
}

QString orDefault(const QString &text, const QString &fallback)
{
    return text.isEmpty() ? fallback : text;
}

} // namespace

void sendMailTo(const QString &to, const QString &cc, const QString &bcc, const QString &subject,
                const QString &body)
{
    const QString recipients = orDefault(to, kSupportMailAddress);
    if (!isAddressList(recipients)) {
        tlog::message(QStringLiteral("VozuVeva"), QStringLiteral("sendMailTo:cc:bcc:subject:body:"),
                      QStringLiteral("invalid data to send message"));
        return;
    }
    QString url = QStringLiteral("mailto:%1?Subject=%2&Body=%3")
                      .arg(escapedAddressList(recipients),
                           zeltor::urlSafe(orDefault(subject, kDefaultMailText)),
                           zeltor::urlSafe(orDefault(body, kDefaultMailText)));
    const bool ccValid = cc.isEmpty() || isAddressList(cc);
    const bool bccValid = bcc.isEmpty() || isAddressList(bcc);
    if (ccValid && bccValid) {
        if (!cc.isEmpty())
            url += QStringLiteral("&CC=") + escapedAddressList(cc);
        if (!bcc.isEmpty())
            url += QStringLiteral("&BCC=") + escapedAddressList(bcc);
    }
    openMailUrl(url);
}

void sendMailWithoutRecipient(const QString &subject, const QString &body)
{
    openMailUrl(QStringLiteral("mailto:?Subject=%1&Body=%2")
                    .arg(zeltor::urlSafe(orDefault(subject, kDefaultMailText)),
                         zeltor::urlSafe(orDefault(body, kDefaultMailText))));
}

void sendSimpleMessage(const QString &address)
{
    if (address.isEmpty())
        return;
    if (!isAddressList(address)) {
        tlog::message(QStringLiteral("VozuVeva"), QStringLiteral("sendSimpleMessage:"),
                      QStringLiteral("invalid data to send message"));
        return;
    }
    openMailUrl(QStringLiteral("mailto:%1?").arg(escapedAddressList(address)));
}

void setMailOpener(MailOpener opener)
{
    mailOpener() = std::move(opener);
}

} // namespace VozuVeva
