#include "tests/loader/webview/webviewtest.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>

namespace {

struct PageCase
{
    const char *name;
    const char *path;
    const char *title;
};

void PrintTo(const PageCase &pageCase, std::ostream *os)
{
    *os << pageCase.path;
}

class SafariWindowPageTest : public WebViewTest, public ::testing::WithParamInterface<PageCase>
{
};

TEST_P(SafariWindowPageTest, TheTitleEndsWithTheDocumentTitleAndTheResourceProgress)
{
    openWindowOn(QString::fromUtf8(GetParam().path));
    const QString expected = QString::fromUtf8(GetParam().title);
    EXPECT_TRUE(waitForTitle(expected)) << "titles: " << titles.join(" | ").toStdString();
    // Reports that come late (resource timing is delivered in batches) must not move it on.
    QTest::qWait(300);
    EXPECT_EQ(title(), expected);
}

// The main document is a resource too, finished or failed with its frame.
INSTANTIATE_TEST_SUITE_P(
    Pages, SafariWindowPageTest,
    ::testing::Values(
        PageCase{"TenImagesTwoRefused", "/ten.html", "Ten:  Loaded 9 of 9, 2 resource errors"},
        PageCase{"MissingElementsFailAMissingFetchEnds", "/mixed.html",
                 "Mixed:  Loaded 3 of 3, 2 resource errors"},
        // The engine's title of an untitled page is its address; the document's is empty.
        PageCase{"UntitledPage", "/untitled.html", ":  Loaded 2 of 2"},
        // The server's own error page is a page like any other.
        PageCase{"ErrorAnswerOfTheServer", "/gone.html", "Gone:  Loaded 1 of 1"},
        // A redirect is one more step of the same document, not a resource that never ends.
        PageCase{"RedirectedPage", "/moved.html", "Landing:  Loaded 1 of 1"}),
    [](const ::testing::TestParamInfo<PageCase> &info) { return std::string(info.param.name); });

TEST_F(WebViewTest, BeforeAnythingHasLoadedTheTitleSaysLoading)
{
    openWindowOn(QStringLiteral("/untitled.html"));
    ASSERT_TRUE(waitForTitle(QStringLiteral(":  Loaded 2 of 2")));
    ASSERT_FALSE(titles.isEmpty());
    EXPECT_EQ(titles.first(), QStringLiteral(":  Loading..."));
    for (const QString &shown : titles)
        EXPECT_FALSE(shown.contains(QStringLiteral("127.0.0.1"))) << shown.toStdString();
}

TEST_F(WebViewTest, AnUnreachableAddressTypedIntoTheFieldShowsWhy)
{
    openWindowOn(QStringLiteral("/ten.html"));
    ASSERT_TRUE(waitForTitle(QStringLiteral("Ten:  Loaded 9 of 9, 2 resource errors")));
    QLineEdit *const field = controller->addressField();
    EXPECT_EQ(field->text(), pages.url("/ten.html").toString());

    const QUrl refused = WebPageServer::refusedUrl(QStringLiteral("/nothing.html"));
    field->clear();
    QTest::keyClicks(field, refused.toString());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(waitForTitle(QStringLiteral(":  net::ERR_CONNECTION_REFUSED")))
        << "titles: " << titles.join(" | ").toStdString();
    EXPECT_EQ(controller->URL(), refused.toString());

    // The next page that loads shows its own progress again.
    field->clear();
    QTest::keyClicks(field, pages.url("/landing.html").toString());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(waitForTitle(QStringLiteral("Landing:  Loaded 1 of 1")))
        << "titles: " << titles.join(" | ").toStdString();
}

TEST_F(WebViewTest, ASignInOnThePageOutlivesTheWindow)
{
    pages.addPage(QStringLiteral("/signin.html"), "<!DOCTYPE html><title>Signed in</title>");
    pages.addHeader(QStringLiteral("/signin.html"), "Set-Cookie",
                    "account=bob; Max-Age=86400; Path=/");
    openWindowOn(QStringLiteral("/signin.html"));
    ASSERT_TRUE(waitForTitle(QStringLiteral("Signed in:  Loaded 1 of 1")));
    closeWindow();

    openWindowOn(QStringLiteral("/landing.html"));
    ASSERT_TRUE(waitForTitle(QStringLiteral("Landing:  Loaded 1 of 1")));
    EXPECT_EQ(pages.cookiesSentFor(QStringLiteral("/landing.html")),
              QList<QByteArray>{"account=bob"});
    EXPECT_TRUE(QDir(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Tolvane/WebView"))
                    .exists(QStringLiteral("Cookies")));
}

} // namespace
