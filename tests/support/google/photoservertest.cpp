#include "tests/support/google/photoservertest.h"

#include "tests/support/google/testpicture.h"

#include "google/entries/contactaccessors.h"
#include "platform/gdata/gdataservicegooglecontact.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

void PhotoServerTest::SetUp()
{
    EngineServerTest::SetUp();
    storePassword(kPassword);
    engine = makeEngine();
}

QStringList PhotoServerTest::seedAndLogIn(const QStringList &titles)
{
    std::vector<GDataEntryPtr> contacts;
    for (const QString &title : titles)
        contacts.push_back(GDataEntryContact::contactEntryWithTitle(title));
    const QStringList ids = server.seedContacts(kUser, contacts);
    EXPECT_TRUE(logIn(*engine));
    return ids;
}

void PhotoServerTest::refetch()
{
    engine->refetchAllContacts(QString());
    const auto before = engine->contactFeed();
    EXPECT_TRUE(runUntil([&] { return engine->contactFeed() != before; }));
}

GDataEntryContactPtr PhotoServerTest::contact(const QString &identifier) const
{
    for (const GDataEntryContactPtr &entry : engine->contactArray()) {
        if (entry->identifier() == identifier)
            return entry;
    }
    return nullptr;
}

namespace {

// A plain GET of the photo, outside the engine.
std::pair<QByteArray, QByteArray> getPhoto(GoogleContactTool &engine, const QUrl &url)
{
    QNetworkAccessManager network;
    QNetworkReply *reply = network.get(engine.contactService()->requestForURL(url));
    while (!reply->isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    std::pair<QByteArray, QByteArray> answer;
    if (status == 200)
        answer = {reply->readAll(),
                  reply->header(QNetworkRequest::ContentTypeHeader).toByteArray()};
    delete reply;
    return answer;
}

} // namespace

QByteArray PhotoServerTest::storedPhoto(const QString &identifier)
{
    const GDataEntryContactPtr entry = contact(identifier);
    return entry ? getPhoto(*engine, QUrl(tolvane::tolvanePhotoLink(*entry))).first : QByteArray();
}

QByteArray PhotoServerTest::storedPhotoType(const QString &identifier)
{
    const GDataEntryContactPtr entry = contact(identifier);
    return entry ? getPhoto(*engine, QUrl(tolvane::tolvanePhotoLink(*entry))).second : QByteArray();
}

QByteArray PhotoServerTest::picture(const QColor &colour, const char *format)
{
    return testpicture::encoded(colour, format, 16);
}

QColor PhotoServerTest::colourOf(const QByteArray &data)
{
    const QImage image = QImage::fromData(data);
    return image.isNull() ? QColor() : image.pixelColor(8, 8);
}

bool PhotoServerTest::showsColour(const QByteArray &data, const QColor &colour)
{
    const QColor shown = colourOf(data);
    const auto near = [](int a, int b) {
        return std::abs(a - b) <= 24;
    };
    return shown.isValid() && near(shown.red(), colour.red()) &&
           near(shown.green(), colour.green()) && near(shown.blue(), colour.blue());
}
