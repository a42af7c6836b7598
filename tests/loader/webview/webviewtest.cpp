#include "tests/loader/webview/webviewtest.h"

#include "app/appkeys.h"
#include "app/bundleinfo.h"
#include "platform/defaults/userdefaults.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QWidget>

namespace {

QByteArray pngImage()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray imageTags(const QString &base, const QString &name, int count)
{
    QByteArray tags;
    for (int i = 1; i <= count; ++i)
        tags += QStringLiteral("<img src=\"%1/%2%3.png\">").arg(base, name).arg(i).toUtf8();
    return tags;
}

} // namespace

void WebViewTest::SetUp()
{
    UserDefaults::setStandardDomain(bundleinfo::kBundleIdentifier);
    ASSERT_TRUE(pages.start());
    const QByteArray png = pngImage();
    for (int i = 1; i <= 8; ++i)
        pages.addFile(QStringLiteral("/img%1.png").arg(i), "image/png", png);
    pages.addFile(QStringLiteral("/ok.png"), "image/png", png);

    // Ten images, two of them on a port where nothing listens.
    const QString refused = WebPageServer::refusedUrl(QString()).toString();
    pages.addPage(QStringLiteral("/ten.html"), "<!DOCTYPE html><title>Ten</title><body>" +
                                                   imageTags(QString(), QStringLiteral("img"), 8) +
                                                   imageTags(refused, QStringLiteral("gone"), 2));
    // A missing image and a missing script fail as elements; a missing address fetched by a
    // script has no element and ends like any answer.
    pages.addPage(QStringLiteral("/mixed.html"),
                  "<!DOCTYPE html><title>Mixed</title><body><img src=\"/ok.png\">"
                  "<img src=\"/missing.png\"><script src=\"/missing.js\"></script>"
                  "<script>fetch('/missing-data').then(r => r.text());</script>");
    pages.addPage(QStringLiteral("/untitled.html"), "<!DOCTYPE html><body><img src=\"/ok.png\">");
    pages.addPage(QStringLiteral("/gone.html"),
                  "<!DOCTYPE html><title>Gone</title><body>This page is gone.", 404);
    pages.addRedirect(QStringLiteral("/moved.html"), pages.url("/landing.html").toString());
    pages.addPage(QStringLiteral("/landing.html"), "<!DOCTYPE html><title>Landing</title>");
}

void WebViewTest::TearDown()
{
    closeWindow();
}

void WebViewTest::openWindowOn(const QString &pathOrAddress)
{
    const QUrl address =
        QUrl(pathOrAddress).scheme().isEmpty() ? pages.url(pathOrAddress) : QUrl(pathOrAddress);
    UserDefaults::standard().setString(address.toString(), appkeys::googleContactsPage);
    titles.clear();
    controller = std::make_unique<SafariWindowController>();
    QObject::connect(controller->window(), &QWidget::windowTitleChanged,
                     [this](const QString &title) { titles << title; });
    controller->showWindow();
}

void WebViewTest::closeWindow()
{
    if (!controller)
        return;
    // The window ends its controller, which the test gives up: it deletes itself once closed.
    controller->window()->close();
    controller.release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool WebViewTest::waitForTitle(const QString &title, int timeoutMs)
{
    return runUntil([&] { return this->title() == title; }, timeoutMs);
}

bool WebViewTest::runUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

QString WebViewTest::title() const
{
    return controller ? controller->window()->windowTitle() : QString();
}
