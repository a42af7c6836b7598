#include "foundation/mailcomposer.h"
#include "tests/support/logcapture.h"

#include <QUrlQuery>

#include <gtest/gtest.h>

namespace {

// Records the URLs the composer opens instead of starting a mail program.
class MailComposer : public LogCaptureTest
{
protected:
    void SetUp() override
    {
        VozuVeva::setMailOpener([this](const QUrl &url) {
            m_opened.append(url.toString(QUrl::FullyEncoded));
            return true;
        });
    }
    void TearDown() override
    {
        VozuVeva::setMailOpener({});
    }

    QStringList m_opened;
};

const QString kDefaultEscaped = QStringLiteral("A%20Message%20from%20Tolvane");

TEST_F(MailComposer, BuildsTheMailUrlFromItsParts)
{
    struct Case
    {
        const char *to, *cc, *bcc, *subject, *body;
        QString url;
    };
    const Case cases[] = {
        {"", "", "", "", "",
         "mailto:support@zel-tor.com?Subject=" + kDefaultEscaped + "&Body=" + kDefaultEscaped},
        {"a@example.com,b@example.org", "", "", "Hi", "Hello there",
         "mailto:a@example.com,b@example.org?Subject=Hi&Body=Hello%20there"},
        {"a@example.com", "c@example.com", "", "s", "b",
         "mailto:a@example.com?Subject=s&Body=b&CC=c@example.com"},
        {"a@example.com", "", "d@example.com", "s", "b",
         "mailto:a@example.com?Subject=s&Body=b&BCC=d@example.com"},
        {"a@example.com", "c@example.com", "d@example.com, e+x@example.com", "s", "b",
         "mailto:a@example.com?Subject=s&Body=b&CC=c@example.com&BCC=d@example.com,e%2Bx@example."
         "com"},
        // one invalid copy list drops both
        {"a@example.com", "not an address", "d@example.com", "s", "b",
         "mailto:a@example.com?Subject=s&Body=b"},
        // query characters in a copy list cannot add fields
        {"a@example.com", "c@example.com&Body=x", "d@example.com?bcc=e@example.com", "s", "b",
         "mailto:a@example.com?Subject=s&Body=b"},
        // subject and body are escaped as query components; what looks escaped is the user's text
        {"a@example.com", "", "", "Q&A #2 = 100%", "https://maps.example.com/?q=1+Main%20St&z=3",
         "mailto:a@example.com?Subject=Q%26A%20%232%20%3D%20100%25"
         "&Body=https%3A%2F%2Fmaps.example.com%2F%3Fq%3D1%2BMain%2520St%26z%3D3"},
        {"a@example.com", "", "", "Grüße", "line1\nline2",
         "mailto:a@example.com?Subject=Gr%C3%BC%C3%9Fe&Body=line1%0Aline2"},
    };
    for (const Case &c : cases) {
        m_opened.clear();
        VozuVeva::sendMailTo(c.to, c.cc, c.bcc, c.subject, c.body);
        EXPECT_EQ(m_opened, QStringList{c.url}) << c.to << " / " << c.cc << " / " << c.bcc;
    }
}

TEST_F(MailComposer, OpensNothingForAnInvalidRecipient)
{
    setLevel(1);
    for (const char *to : {"John Smith", "a@example.com?bcc=x@example.com", "a@example.com,",
                           "Ann <a@example.com>"}) {
        VozuVeva::sendMailTo(to, "", "", "s", "b");
        VozuVeva::sendSimpleMessage(to);
    }
    VozuVeva::sendSimpleMessage("");
    EXPECT_TRUE(m_opened.isEmpty()) << m_opened.join(u' ').toStdString();
    EXPECT_EQ(lines().first(),
              "[VozuVeva sendMailTo:cc:bcc:subject:body:] - invalid data to send message");
    EXPECT_EQ(lines().size(), 8);
}

TEST_F(MailComposer, SimpleMessageGoesToTheAddressAlone)
{
    VozuVeva::sendSimpleMessage("jane.doe@example.com");
    EXPECT_EQ(m_opened, QStringList{"mailto:jane.doe@example.com?"});
}

TEST_F(MailComposer, MailWithoutRecipientNeverGoesToTheSupportAddress)
{
    const QString body = QStringLiteral("\r\r\rhere's the link:\rhttp://x/?q=1&To=a@b.c");
    VozuVeva::sendMailWithoutRecipient(QStringLiteral("A Map"), body);
    ASSERT_EQ(m_opened.size(), 1);
    const QUrl url(m_opened.first());
    EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(url.path(), QString());
    const QUrlQuery query(url);
    // The link's own "&" and "=" stay inside the body: no header field comes of them.
    EXPECT_EQ(
        query.queryItems(QUrl::FullyDecoded),
        (QList<std::pair<QString, QString>>{{QStringLiteral("Subject"), QStringLiteral("A Map")},
                                            {QStringLiteral("Body"), body}}));
}

} // namespace
