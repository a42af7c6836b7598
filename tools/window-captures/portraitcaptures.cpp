#include "tools/window-captures/portraitcaptures.h"

#include "browser/portrait/portraitsheet.h"
#include "browser/window/browserwindowcontroller.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace portraitcaptures {

namespace {

// A picture of a face-like figure, larger than the view, so that the first zoom shows.
QImage samplePicture()
{
    QImage picture(480, 360, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 360);
    sky.setColorAt(0, QColor(120, 170, 220));
    sky.setColorAt(1, QColor(230, 240, 250));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(90, 60, 40));
    painter.drawEllipse(QPointF(240, 170), 95, 110);
    painter.setBrush(QColor(240, 200, 170));
    painter.drawEllipse(QPointF(240, 190), 75, 90);
    painter.setBrush(QColor(40, 40, 60));
    painter.drawEllipse(QPointF(212, 175), 9, 9);
    painter.drawEllipse(QPointF(268, 175), 9, 9);
    painter.setBrush(QColor(60, 100, 160));
    painter.drawRect(120, 300, 240, 60);
    return picture;
}

} // namespace

void run(BrowserWindowController *browser, int settleMs, const Capture &capture,
         const std::function<void()> &done)
{
    browser->grabImageFile({{QStringLiteral("imageData"), samplePicture()},
                            {QStringLiteral("path"), QStringLiteral("clipboard")}});
    QPointer<BrowserWindowController> guarded(browser);
    QTimer::singleShot(settleMs, browser, [guarded, capture, done] {
        if (PortraitSheet *const sheet = guarded ? guarded->imageMaker() : nullptr) {
            capture(sheet, portraitSheet);
            guarded->closeImageMaker();
        }
        done();
    });
}

} // namespace portraitcaptures
