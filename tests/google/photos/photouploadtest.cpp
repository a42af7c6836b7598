// One photo of one contact against the loopback server: uploaded as JPEG whatever the picture's
// format, with the contacts fetched again afterwards; deleted; and each failure shown as a sheet.

#include "tests/support/google/photoservertest.h"

#include "google/photos/phototexts.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PhotoUploadTest : public PhotoServerTest
{
};

TEST_F(PhotoUploadTest, UploadSendsJPEGAndRefetchesTheContacts)
{
    const QStringList ids = seedAndLogIn({"Ann"});
    const auto before = engine->contactFeed();

    engine->setImageDataForContactID(picture(Qt::blue, "PNG"), ids[0]);

    ASSERT_TRUE(runUntil([&] { return engine->contactFeed() != before; }));
    const QByteArray stored = storedPhoto(ids[0]);
    EXPECT_TRUE(isJPEG(stored));
    EXPECT_TRUE(showsColour(stored, Qt::blue));
    EXPECT_EQ(storedPhotoType(ids[0]), "image/jpeg");
    EXPECT_TRUE(contact(ids[0])->photoLink()->ETag().has_value());
}

TEST_F(PhotoUploadTest, DeleteRemovesTheStoredPhoto)
{
    const QStringList ids = seedAndLogIn({"Ann"});
    server.setPhoto(kUser, ids[0], picture(Qt::red, "JPEG"));
    refetch();

    engine->deleteContactImageForID(ids[0]);

    EXPECT_TRUE(runUntil([&] { return requestsTo("/photos/").size() >= 1; }));
    EXPECT_TRUE(runUntil([&] { return storedPhoto(ids[0]).isEmpty(); }));
    EXPECT_TRUE(promptMessages().isEmpty());
}

TEST_F(PhotoUploadTest, FailuresAreShownAsSheets)
{
    const QStringList ids = seedAndLogIn({"Ann"});
    server.setPhoto(kUser, ids[0], picture(Qt::red, "JPEG"));
    refetch();
    server.injectFault(QStringLiteral("/photos/"), 403, 2);

    engine->setImageDataForContactID(picture(Qt::blue, "PNG"), ids[0]);
    engine->deleteContactImageForID(ids[0]);

    ASSERT_TRUE(runUntil([&] { return promptMessages().size() == 2; }));
    EXPECT_TRUE(promptMessages().contains(phototexts::uploadFailed));
    EXPECT_TRUE(promptMessages().contains(phototexts::deletePhotoFailed));
    EXPECT_TRUE(showsColour(storedPhoto(ids[0]), Qt::red));
}

// A file the user picks goes as it is, typed by its name; one that cannot be sent is shown.
TEST_F(PhotoUploadTest, PickedFileIsSentUnchanged)
{
    const QStringList ids = seedAndLogIn({"Ann"});
    engine->setSelectedContact(contact(ids[0]));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("portrait.png"));
    const QByteArray png = picture(Qt::green, "PNG");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(png);
    file.close();
    const auto before = engine->contactFeed();

    engine->setSelectedContactPhotoAtPath(dir.filePath(QStringLiteral("absent.png")));
    engine->setSelectedContactPhotoAtPath(path);

    ASSERT_TRUE(runUntil([&] { return engine->contactFeed() != before; }));
    EXPECT_EQ(storedPhoto(ids[0]), png);
    EXPECT_EQ(storedPhotoType(ids[0]), "image/png");
    EXPECT_EQ(promptMessages(), QStringList{phototexts::uploadError});
}

TEST_F(PhotoUploadTest, UnknownContactSendsNothing)
{
    seedAndLogIn({"Ann"});
    server.clearRequestLog();

    engine->setImageDataForContactID(picture(Qt::blue, "PNG"), QStringLiteral("no-such-id"));
    engine->deleteContactImageForID(QStringLiteral("no-such-id"));

    runUntil([] { return false; }, 300);
    EXPECT_TRUE(requestsTo("/photos/").isEmpty());
}

} // namespace
