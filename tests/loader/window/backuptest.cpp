#include "tests/loader/window/dataloadertest.h"

#include "foundation/propertylist.h"
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

// A portrait the browser already loaded goes into the archive as it is kept, without asking Google
// for it again; the others are fetched.
TEST_F(BackupTest, AKeptPortraitIsWrittenWithoutARequest)
{
    std::vector<GDataEntryPtr> contacts;
    for (const char *title : {"Kept", "Fetched"}) {
        auto contact = std::make_shared<GDataEntryContact>();
        contact->setTitle(QString::fromUtf8(title));
        contacts.push_back(contact);
    }
    const QStringList ids = server.seedContacts(kAccount, contacts);
    ASSERT_EQ(ids.size(), 2);
    for (const QString &id : ids)
        server.setPhoto(kAccount, id, testpicture::encoded(QColor(Qt::blue), "PNG"), "image/png");
    ASSERT_TRUE(openLoader());
    QImage kept(8, 8, QImage::Format_RGB32);
    kept.fill(Qt::green);
    tool()->currentImagesCache().insert(ids.front(), kept);
    const auto photoRequests = [&](const QString &id) {
        return int(server.requestsTo(QStringLiteral("/photos/")).filter(id.section(u'/', -1)).size());
    };
    const int fetchedBefore = photoRequests(ids.back());

    ASSERT_TRUE(tool()->backupGoogleContacts());
    EXPECT_EQ(photoRequests(ids.front()), 0);
    EXPECT_EQ(photoRequests(ids.back()), fetchedBefore + 1);
    ASSERT_EQ(archives().size(), 1);
    QTemporaryDir unzipped;
    ASSERT_TRUE(ZeltorFileTool::unzipSource(
        QDir(tool()->accountBackupFolderPath()).filePath(archives().front()), unzipped.path()));
    const QDir archive(QDir(unzipped.path()).filePath("Archive"));
    const QImage written(archive.filePath("Kept.tiff"));
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.pixelColor(0, 0), QColor(Qt::green));
    const QImage fetched(archive.filePath("Fetched.tiff"));
    ASSERT_FALSE(fetched.isNull());
    EXPECT_EQ(fetched.pixelColor(0, 0), QColor(Qt::blue));
}

// An update with the backup on: the archive in the account's folder holds the lists and the
// photos as TIFF; a title with "/" and two contacts of one title keep their photos inside the
// images folder, each under its own name.
TEST_F(BackupTest, TheUpdatesBackupHoldsTheAccountWithEveryPhotoInsideTheArchive)
{
    const QStringList titles{QStringLiteral("Twin"), QStringLiteral("Twin"),
                             QStringLiteral("../../escape/me")};
    std::vector<GDataEntryPtr> contacts;
    for (const QString &title : titles) {
        auto contact = std::make_shared<GDataEntryContact>();
        contact->setTitle(title);
        contacts.push_back(contact);
    }
    const QStringList ids = server.seedContacts(kAccount, contacts);
    ASSERT_EQ(ids.size(), 3);
    for (const QString &id : ids)
        server.setPhoto(kAccount, id, testpicture::encoded(QColor(Qt::blue), "PNG"), "image/png");
    UserDefaults::standard().setInteger(2, QStringLiteral("gmUpdateBackupMode"));
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    ASSERT_EQ(archives().size(), 1) << sheetTitles().join(" | ").toStdString();
    QTemporaryDir unzipped;
    ASSERT_TRUE(ZeltorFileTool::unzipSource(
        QDir(tool()->accountBackupFolderPath()).filePath(archives().front()), unzipped.path()));
    const QDir archive(QDir(unzipped.path()).filePath("Archive"));
    const QStringList tiffs = archive.entryList({"*.tiff"}, QDir::Files);
    EXPECT_EQ(tiffs.size(), 3) << tiffs.join(", ").toStdString();
    EXPECT_TRUE(tiffs.contains("Twin.tiff"));
    for (const QString &tiff : tiffs) {
        QImageReader reader(archive.filePath(tiff));
        EXPECT_EQ(reader.format(), QByteArray("tiff")) << tiff.toStdString();
    }
    const QStringList lists = archive.entryList({"*.contacts"}, QDir::Files);
    ASSERT_EQ(lists.size(), 1);
    const std::optional<QVariant> records = propertylist::readFile(archive.filePath(lists.front()), nullptr);
    ASSERT_TRUE(records);
    QStringList identifiers;
    QStringList ownNames;
    for (const QVariant &record : records->toList()) {
        const QVariantMap map = record.toMap();
        identifiers << map.value("identifier").toString();
        if (map.contains("tolvanePhotoFile"))
            ownNames << map.value("tolvanePhotoFile").toString();
    }
    for (const QString &id : ids)
        EXPECT_TRUE(identifiers.contains(id)) << id.toStdString();
    // The second twin and the title with "/" are named apart, and the list says under what name.
    EXPECT_EQ(ownNames.size(), 2);
    for (const QString &name : ownNames)
        EXPECT_TRUE(tiffs.contains(name)) << name.toStdString();
    // Nothing was written outside the folder that was zipped.
    EXPECT_FALSE(QDir(tool()->defaultValueForKey("tmpFolderPath").toString() + "/../escape").exists());
    // The upload went on after the backup and made no completion sheet of its own.
    EXPECT_FALSE(sheetTitles().contains(QStringLiteral("Backup Google Contacts & Groups Completed")));
}

} // namespace
