// The single photo fetch against the loopback server: the bytes of one photo, no request for an
// empty address, nothing for a contact without a photo, the photo put on an address book person,
// the give-up time, and a late answer that must not become the photo of the next fetch.

#include "tests/support/google/photoservertest.h"

#include "addressbook/fields/personimages.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "google/photos/phototexts.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

QUrl photoURL(const GDataEntryContactPtr &contact)
{
    return QUrl(tolvane::tolvanePhotoLink(*contact));
}

class PhotoFetchTest : public PhotoServerTest
{
};

TEST_F(PhotoFetchTest, FetchesTheStoredBytes)
{
    const QStringList ids = seedAndLogIn({"Ann"});
    const QByteArray jpeg = picture(Qt::red, "JPEG");
    const QString etag = server.setPhoto(kUser, ids[0], jpeg);

    EXPECT_EQ(engine->imageDataForURL(photoURL(contact(ids[0])), etag), jpeg);
    EXPECT_TRUE(flag(googlekeys::imageFetchComplete));
}

TEST_F(PhotoFetchTest, EmptyURLAnswersNullWithoutARequest)
{
    seedAndLogIn({"Ann"});
    server.clearRequestLog();

    EXPECT_TRUE(engine->imageDataForURL(QUrl(), std::nullopt).isNull());
    EXPECT_TRUE(engine->imageDataForURL(QUrl(QString()), QString()).isNull());
    EXPECT_TRUE(requestsTo("/photos/").isEmpty());
}

TEST_F(PhotoFetchTest, ContactWithoutPhotoAnswersNullAtOnce)
{
    const QStringList ids = seedAndLogIn({"Ann"});
    QElapsedTimer timer;
    timer.start();

    EXPECT_TRUE(engine->imageDataForURL(photoURL(contact(ids[0])), std::nullopt).isNull());
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_TRUE(flag(googlekeys::imageFetchComplete));
}

TEST_F(PhotoFetchTest, SetImageForPersonStoresThePhotoOnThePerson)
{
    const QStringList ids = seedAndLogIn({"Ann", "Bea"});
    server.setPhoto(kUser, ids[0], picture(Qt::blue, "PNG"), "image/png");
    const PersonPtr withPhoto = Person::create();
    const PersonPtr withoutPhoto = Person::create();

    EXPECT_TRUE(engine->setImageForPerson(withPhoto, photoURL(contact(ids[0])), std::nullopt));
    EXPECT_FALSE(engine->setImageForPerson(withoutPhoto, photoURL(contact(ids[1])), std::nullopt));

    EXPECT_TRUE(showsColour(AddressBookTool::imageDataABForPerson(withPhoto), Qt::blue));
    EXPECT_TRUE(AddressBookTool::imageDataABForPerson(withoutPhoto).isEmpty());
}

// A reply that takes longer than the give-up time yields nothing, logs the failure with the
// address, re-reads the wait from the preference, and must not be taken for the answer of the
// fetch that follows: here it arrives while the next fetch still waits for its own, slower photo.
TEST_F(PhotoFetchTest, LateAnswerDoesNotBecomeTheNextFetchsPhoto)
{
    setLevel(1);
    UserDefaults::standard().setInteger(0, googlekeys::imageTime);
    engine->setImageTime();
    const QStringList ids = seedAndLogIn({"Ann", "Bea"});
    server.setPhoto(kUser, ids[0], picture(Qt::red, "JPEG"));
    const QByteArray second = picture(Qt::green, "JPEG");
    server.setPhoto(kUser, ids[1], second);
    const QUrl first = photoURL(contact(ids[0]));
    server.injectFault(first.path(), 0, 1, 4000);
    server.injectFault(photoURL(contact(ids[1])).path(), 0, 1, 2000);

    UserDefaults::standard().setInteger(1, googlekeys::imageTime);

    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(engine->imageDataForURL(first, std::nullopt).isNull());
    EXPECT_GE(timer.elapsed(), 2900);
    EXPECT_LT(timer.elapsed(), 3900);
    EXPECT_EQ(engine->imageTime(), 4.0);
    EXPECT_TRUE(lines().contains(QStringLiteral("[GoogleContactTool imageDataForURL:eTag:] ") +
                                 phototexts::imageDataForURLFailed + QStringLiteral(": ") +
                                 first.toString()));

    EXPECT_EQ(engine->imageDataForURL(photoURL(contact(ids[1])), std::nullopt), second);
}

} // namespace
