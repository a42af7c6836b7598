// The chained photo queues against the loopback server: address book pictures sent one after the
// other as JPEG and then the step after the photos; a failure that stops the queue and is
// reported; image files of a restore, where a file that is no picture is skipped and reported
// while the others still go and the queue ends.

#include "tests/support/google/photoservertest.h"

#include "google/engine/googlekeys.h"
#include "google/photos/phototexts.h"
#include "platform/defaults/userdefaults.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kAfterPhotos = QStringLiteral("doSmartElseSaveAB");

class PhotoQueueTest : public PhotoServerTest
{
protected:
    void SetUp() override
    {
        PhotoServerTest::SetUp();
        engine->offer(kAfterPhotos);
    }

    bool stepRan() const
    {
        return !journal.filter(QStringLiteral("step:") + kAfterPhotos).isEmpty();
    }

    PhotoJob pictureJob(const QString &id, const QByteArray &data)
    {
        return PhotoJob{*contact(id)->title(), *contact(id)->photoLink(), data, {}};
    }

    PhotoJob fileJob(const QString &id, const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        if (!bytes.isNull()) {
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        return PhotoJob{{}, *contact(id)->photoLink(), {}, path};
    }

    QTemporaryDir dir;
};

TEST_F(PhotoQueueTest, PicturesGoOneAfterTheOtherThenTheNextStep)
{
    const QStringList ids = seedAndLogIn({"Ann", "Bea", "Cid"});
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i)
        engine->contactResultsArray().push_back(pictureJob(ids[i], picture(colours[i], "PNG")));

    engine->performSelector(QStringLiteral("batchSimpleABContactPictures"));

    ASSERT_TRUE(runUntil([&] { return stepRan(); }));
    EXPECT_TRUE(engine->contactResultsArray().empty());
    for (int i = 0; i < 3; ++i) {
        const QByteArray stored = storedPhoto(ids[i]);
        EXPECT_TRUE(isJPEG(stored)) << i;
        EXPECT_TRUE(showsColour(stored, colours[i])) << i;
    }
    const QStringList uploads = requestsTo(QStringLiteral("/photos/"));
    ASSERT_GE(uploads.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(uploads[i].endsWith(ids[i].section(u'/', -1))) << uploads[i].toStdString();
    EXPECT_TRUE(journal.contains(QStringLiteral("updateUserInfo:") +
                                 phototexts::updatingImages.arg(QStringLiteral("Cid"))));
}

// Data that is no picture would go out as an entry in place of a photo: it is left out.
TEST_F(PhotoQueueTest, DataThatIsNoPictureIsLeftOutOfThePictureQueue)
{
    const QStringList ids = seedAndLogIn({"Ann", "Bea"});
    engine->contactResultsArray().push_back(pictureJob(ids[0], "not a picture"));
    engine->contactResultsArray().push_back(pictureJob(ids[1], picture(Qt::red, "PNG")));

    engine->batchSimpleABContactPictures();

    ASSERT_TRUE(runUntil([&] { return stepRan(); }));
    EXPECT_TRUE(storedPhoto(ids[0]).isEmpty());
    EXPECT_TRUE(showsColour(storedPhoto(ids[1]), Qt::red));
}

TEST_F(PhotoQueueTest, FailureStopsThePictureQueueAndIsReported)
{
    const QStringList ids = seedAndLogIn({"Ann", "Bea", "Cid"});
    for (const QString &id : ids)
        engine->contactResultsArray().push_back(pictureJob(id, picture(Qt::red, "PNG")));
    server.injectFault(ids[1].section(u'/', -1), 403);

    engine->batchSimpleABContactPictures();

    ASSERT_TRUE(runUntil([&] { return !journal.filter(QStringLiteral("cleanup:")).isEmpty(); }));
    EXPECT_TRUE(journal.filter(QStringLiteral("cleanup:"))
                    .first()
                    .startsWith(QStringLiteral("cleanup:") + phototexts::simpleImageUpdate));
    EXPECT_EQ(engine->contactResultsArray().size(), 2u);
    EXPECT_FALSE(stepRan());
    EXPECT_FALSE(storedPhoto(ids[0]).isEmpty());
    EXPECT_TRUE(storedPhoto(ids[2]).isEmpty());
}

// A photo refused even after the request signed in again is not dropped with its queue: the
// next run's photo step sends it, with what that run queues.
TEST_F(PhotoQueueTest, PicturesRefusedForTheSignIn_GoWithTheNextRun)
{
    UserDefaults::standard().setBool(true, googlekeys::gmUpdatePicture);
    const QStringList ids = seedAndLogIn({"Ann", "Bea", "Cid"});
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i)
        engine->contactResultsArray().push_back(pictureJob(ids[i], picture(colours[i], "PNG")));
    // The first answer makes the request sign in again, the second refuses it once more.
    server.injectFault(ids[1].section(u'/', -1), 401, 2);

    engine->batchSimpleABContactPictures();
    ASSERT_TRUE(runUntil([&] { return !journal.filter(QStringLiteral("cleanup:")).isEmpty(); }));
    EXPECT_TRUE(showsColour(storedPhoto(ids[0]), Qt::red));
    EXPECT_TRUE(storedPhoto(ids[1]).isEmpty());
    EXPECT_FALSE(stepRan());

    engine->doContactsElseSmart();
    ASSERT_TRUE(runUntil([&] { return stepRan(); }));
    EXPECT_TRUE(showsColour(storedPhoto(ids[1]), Qt::green));
    EXPECT_TRUE(showsColour(storedPhoto(ids[2]), Qt::blue));
    EXPECT_TRUE(engine->contactResultsArray().empty());
}

TEST_F(PhotoQueueTest, FileThatIsNoPictureIsSkippedReportedAndTheQueueGoesOn)
{
    const QStringList ids = seedAndLogIn({"Ann", "Bea", "Cid", "Dan"});
    std::vector<PhotoJob> &queue = engine->contactResultsArray();
    queue.push_back(fileJob(ids[0], "ann.tiff", picture(Qt::red, "TIFF")));
    queue.push_back(fileJob(ids[1], "bea.txt", "not a picture"));
    queue.push_back(fileJob(ids[2], "cid.jpg", "garbage that claims to be a JPEG"));
    queue.push_back(fileJob(ids[3], "missing.png", QByteArray()));
    queue.insert(queue.begin() + 1, fileJob(ids[3], "dan.png", picture(Qt::blue, "PNG")));

    engine->loadContactImageFiles();

    ASSERT_TRUE(runUntil([&] { return stepRan(); }));
    EXPECT_TRUE(queue.empty());
    EXPECT_TRUE(isJPEG(storedPhoto(ids[0])));
    EXPECT_TRUE(showsColour(storedPhoto(ids[0]), Qt::red));
    EXPECT_TRUE(showsColour(storedPhoto(ids[3]), Qt::blue));
    EXPECT_TRUE(storedPhoto(ids[1]).isEmpty());
    EXPECT_TRUE(storedPhoto(ids[2]).isEmpty());
    ASSERT_TRUE(ui.lastError.has_value());
    for (const char *skipped : {"bea.txt", "cid.jpg", "missing.png"})
        EXPECT_TRUE(ui.lastError->description.contains(QLatin1String(skipped))) << skipped;
    EXPECT_TRUE(journal.contains(
        QStringLiteral("openUserInfo:%1/5").arg(phototexts::updatingContactImages)));
    EXPECT_TRUE(journal.contains(QStringLiteral("progressCur:5")));
}

// Each portrait is waited for; a failed one does not stop the others.
TEST_F(PhotoQueueTest, PortraitsGoInTurnPastAFailure)
{
    const QStringList ids = seedAndLogIn({"Ann", "Bea", "Cid"});
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    engine->setCurrentContactImagesArray({{ids[0], red}, {ids[1], red}, {ids[2], red}});
    server.injectFault(ids[1].section(u'/', -1), 403);

    engine->batchContactPictures();

    EXPECT_TRUE(showsColour(storedPhoto(ids[0]), Qt::red));
    EXPECT_TRUE(storedPhoto(ids[1]).isEmpty());
    EXPECT_TRUE(isJPEG(storedPhoto(ids[2])));
    EXPECT_TRUE(journal.contains(QStringLiteral("status:") +
                                 phototexts::updatingImages.arg(QStringLiteral("Cid"))));
}

} // namespace
