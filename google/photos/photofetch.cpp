// The single photo fetch of the engine: one photo, waited for on the run loop.
#include "addressbook/fields/personimages.h"
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/photos/phototexts.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdatahttpfetcher.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QImage>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");

void setImageFetchComplete(bool complete)
{
    UserDefaults::standard().setBool(complete, googlekeys::imageFetchComplete);
}

} // namespace

QByteArray GoogleContactTool::imageDataForURL(const QUrl &url, const std::optional<QString> &eTag)
{
    // The ETag names the photo the caller knows; a fetch always takes the one stored now.
    Q_UNUSED(eTag);
    if (url.isEmpty())
        return QByteArray();
    m_imageData = QByteArray();
    const quint64 tag = ++m_imageFetchCount;
    m_imageFetchInFlight = tag;
    m_imageWait.arm(m_imageTime);
    getImageForURL(url, tag);
    const bool answered = m_imageWait.wait();
    // From here on an answer of this fetch is stale, whether it came or not.
    m_imageFetchInFlight = 0;
    if (!answered) {
        m_imageWait.clear();
        setImageTime();
        tlog::labelled(kClass, QStringLiteral("imageDataForURL:eTag:"),
                       phototexts::imageDataForURLFailed, url.toString());
        return QByteArray();
    }
    return m_imageData;
}

void GoogleContactTool::getImageForURL(const QUrl &url, quint64 tag)
{
    setImageFetchComplete(false);
    QNetworkRequest request = contactService()->requestForURL(url);
    request.setRawHeader("Accept", "image/*");
    auto *fetcher = new GDataHTTPFetcher(contactService()->networkAccessManager(), this);
    fetcher->beginFetch(
        request,
        [this, tag](GDataHTTPFetcher *done, const QByteArray &data) {
            done->deleteLater();
            imageFetchEnded(tag, data);
        },
        [this, tag, url](GDataHTTPFetcher *done, int status, const QByteArray &data) {
            done->deleteLater();
            tlog::bare(phototexts::getImageFailedWithStatus.arg(tlog::orNull(url.toString()))
                           .arg(status)
                           .arg(QString::fromUtf8(data)));
            imageFetchEnded(tag, std::nullopt);
        },
        [this, tag, url](GDataHTTPFetcher *done, const GDataError &error) {
            done->deleteLater();
            tlog::bare(phototexts::getImageFailedWithError.arg(url.toString(), error.description));
            imageFetchEnded(tag, std::nullopt);
        });
}

void GoogleContactTool::imageFetchEnded(quint64 tag, const std::optional<QByteArray> &data)
{
    if (tag != m_imageFetchInFlight) {
        tlog::message(kClass, QStringLiteral("getImage:finishedWithData:"),
                      phototexts::staleImageAnswer);
        return;
    }
    if (data)
        m_imageData = *data;
    m_imageWait.clear();
    setImageFetchComplete(true);
}

bool GoogleContactTool::setImageForPerson(const PersonPtr &person, const QUrl &url,
                                          const std::optional<QString> &eTag)
{
    const QByteArray data = imageDataForURL(url, eTag);
    if (data.isEmpty())
        return false;
    const QImage image = QImage::fromData(data);
    if (image.isNull() || !person)
        return false;
    return AddressBookTool::setImageForPerson(image, person);
}
