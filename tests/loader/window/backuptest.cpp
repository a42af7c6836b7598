#include "tests/loader/window/dataloadertest.h"

#include "foundation/zeltorfiletool.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/contactaccessors.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "tests/support/google/testpicture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

namespace {

class BackupTest : public DataLoaderTest
{
protected:
    QStringList archives()
    {
        return QDir(tool()->accountBackupFolderPath()).entryList({"google_*.zip"}, QDir::Files);
    }
};

TEST_F(BackupTest, AnArchiveIsCountedOnlyBesideOtherEntriesThanDotDSStore)
{
    ASSERT_TRUE(openLoader());
    const QString folder = tool()->accountBackupFolderPath();
    const auto archiveFlag = [this] {
        tool()->setGoogleUserDefaults();
        return UserDefaults::standard().integerForKey(QStringLiteral("isGoogleArchive"));
    };
    EXPECT_EQ(archiveFlag(), 0);
    EXPECT_TRUE(QDir(folder).exists());
    QFile store(QDir(folder).filePath(".DS_Store"));
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.close();
    EXPECT_EQ(archiveFlag(), 0);
    QFile archive(QDir(folder).filePath("google_20090301_142205_7.zip"));
    ASSERT_TRUE(archive.open(QIODevice::WriteOnly));
    archive.close();
    EXPECT_EQ(archiveFlag(), 1);
}

TEST_F(BackupTest, ThePhotoWriterWritesItsQueueAsTiffAndZipsIt)
{
    auto contact = std::make_shared<GDataEntryContact>();
    contact->setTitle(QStringLiteral("Portrait Owner"));
    const QStringList ids = server.seedContacts(kAccount, {contact});
    ASSERT_EQ(ids.size(), 1);
    server.setPhoto(kAccount, ids.front(), testpicture::encoded(QColor(Qt::red), "PNG"), "image/png");
    ASSERT_TRUE(openLoader());
    const GDataEntryContactPtr fetched = tool()->contactArray().front();
    ASSERT_TRUE(fetched->photoLink());
    QTemporaryDir images;
    const QString file = QDir(images.path()).filePath("owner.tiff");
    tool()->contactResultsArray().push_back(PhotoJob{QString(), *fetched->photoLink(), {}, file});
    tool()->writeImagesToFile();
    ASSERT_TRUE(runUntil([] { return UserDefaults::standard().boolForKey("gsImageDataFetchComplete"); }));
    QImageReader reader(file);
    EXPECT_EQ(reader.format(), QByteArray("tiff"));
    EXPECT_FALSE(reader.read().isNull());
    ASSERT_EQ(archives().size(), 1);
    QTemporaryDir unzipped;
    ASSERT_TRUE(ZeltorFileTool::unzipSource(QDir(tool()->accountBackupFolderPath()).filePath(archives().front()),
                                            unzipped.path()));
    EXPECT_TRUE(QFile::exists(QDir(unzipped.path()).filePath("Archive/owner.tiff")));
}

} // namespace
