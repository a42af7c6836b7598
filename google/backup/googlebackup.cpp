// The backup archive of the account's groups, contacts and photos, the counts the windows read,
// and the photo writer that makes the same kind of archive from a queue of photo jobs.
#include "addressbook/addressbookkeys.h"
#include "foundation/log.h"
#include "foundation/propertylist.h"
#include "foundation/zeltorfiletool.h"
#include "google/backup/backuprecords.h"
#include "google/backup/backuptexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googletoolhostdelegate.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/groupaccessors.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdatahttpfetcher.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/prompter.h"

#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
const QString kImageDataFetchComplete = QStringLiteral("gsImageDataFetchComplete");
const QString kIsGoogleArchive = QStringLiteral("isGoogleArchive");
const QString kGroupCount = QStringLiteral("googleGroupCount");
const QString kContactCount = QStringLiteral("googleContactCount");

QString stampedName(const QString &pattern)
{
    return pattern.arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")))
        .arg(QRandomGenerator::global()->bounded(100));
}

bool writeTiff(const QImage &image, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "tiff");
    if (!writer.write(image))
        return false;
    return file.commit();
}

// A name a photo can keep as it is: one plain file name inside the images folder.
bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u".." || name.startsWith(u'.'))
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20)
            return false;
    }
    return true;
}

// What each contact's photo is called in the archive: its primary e-mail address or title,
// which restore matches; a name that would leave the folder or that an earlier photo of this
// backup took gets one of its own, kept in the contact's record.
class PhotoNames
{
public:
    QString nameFor(const GDataEntryContact &contact, bool *renamed)
    {
        const std::optional<GDataEmail> primary = contact.primaryEmailAddress();
        const QString wanted = primary && !primary->address.isEmpty() ? primary->address
                                                                     : tolvane::tolvaneTitle(contact);
        *renamed = !isPlainFileName(wanted) || m_used.contains(wanted.toCaseFolded());
        QString name = wanted;
        if (*renamed) {
            QString safe;
            for (const QChar c : wanted)
                safe += c.isLetterOrNumber() || c == u'@' || c == u'-' || c == u'_' ? c : u'_';
            int n = 1;
            do {
                name = QStringLiteral("%1_%2").arg(safe).arg(n++);
            } while (m_used.contains(name.toCaseFolded()));
        }
        m_used.insert(name.toCaseFolded());
        return name;
    }

private:
    QSet<QString> m_used;
};

} // namespace

QString GoogleContactTool::accountBackupFolderPath()
{
    return QDir(defaultValueForKey(googlekeys::googleBackupFolderPath).toString())
        .filePath(shortUser());
}

void GoogleContactTool::showBackupFailure(const QString &what)
{
    tlog::labelled(kClass, QStringLiteral("backupGoogleContacts"), QStringLiteral("ERROR:"), what);
    if (m_uiDelegate)
        m_uiDelegate->closeUserInfo();
    Prompter::current().beginSheet(Prompt{backuptexts::failed, what, {backuptexts::ok}},
                                   QApplication::activeWindow(), [](int) {});
}

bool GoogleContactTool::backupGoogleContacts()
{
    const QString op = QStringLiteral("backupGoogleContacts");
    UserDefaults &ud = UserDefaults::standard();
    if (!ud.boolForKey(googlekeys::googleHasData))
        return true;
    const QString tmp = defaultValueForKey(googlekeys::tmpFolderPath).toString();
    ZeltorFileTool::emptyDirectory(tmp, true);
    const bool waiting = ud.boolForKey(googlekeys::waitingOnGoogle);
    m_backupFilesArray.clear();
    const std::vector<GDataEntryContactGroupPtr> &groups = m_lists.groups();
    const std::vector<GDataEntryContactPtr> &contacts = m_lists.contacts();
    if (m_uiDelegate)
        m_uiDelegate->openUserInfoWithMessage(backuptexts::initializing,
                                              int(groups.size() + 2 * contacts.size()));
    const auto progress = [this](const QString &message) {
        if (m_uiDelegate)
            m_uiDelegate->updateUserInfoWithMessage(message);
    };

    QVariantList groupRecords;
    for (const GDataEntryContactGroupPtr &group : groups) {
        if (tolvane::entryDisplayName(*group).contains(backuptexts::systemGroupMark))
            continue;
        progress(backuptexts::backingUpGroup.arg(tolvane::entryDisplayName(*group)));
        groupRecords << backuprecords::groupRecord(*group);
    }
    QString error;
    if (!groupRecords.isEmpty()) {
        progress(backuptexts::writingGroups);
        const QString path = QDir(tmp).filePath(stampedName(backuptexts::groupsEntry));
        if (!propertylist::writeFile(path, groupRecords, &error)) {
            showBackupFailure(backuptexts::groupsNotWritten.arg(error));
            return false;
        }
        m_backupFilesArray << path;
    }

    const QString propertyName = ud.stringForKey(abkeys::googleContactExtendedPropertyName);
    PhotoNames names;
    QVariantList contactRecords;
    struct Photo
    {
        const GDataEntryContact *contact;
        QString name;
    };
    QList<Photo> photos;
    QStringList renamed;
    for (const GDataEntryContactPtr &contact : contacts) {
        const QString title = tolvane::tolvaneTitle(*contact);
        progress(backuptexts::backingUpContact.arg(contact->title().value_or(QString()).isEmpty()
                                                       ? backuptexts::emailAddressOnly
                                                       : title));
        QVariantMap record = backuprecords::contactRecord(*contact, m_lists, propertyName);
        if (tolvane::tolvaneHasImage(*contact)) {
            bool ownName = false;
            const QString name = names.nameFor(*contact, &ownName);
            if (ownName) {
                record.insert(backuptexts::photoFileKey, backuptexts::photoEntry.arg(name));
                renamed << title;
            }
            photos << Photo{contact.get(), name};
        }
        contactRecords << record;
    }
    if (contactRecords.isEmpty()) {
        if (m_uiDelegate)
            m_uiDelegate->closeUserInfo();
        return true;
    }
    tlog::value(kClass, op, backuptexts::recordCount, int(contactRecords.size()));
    progress(backuptexts::writingContacts);
    const QString contactsPath = QDir(tmp).filePath(stampedName(backuptexts::contactsEntry));
    if (!propertylist::writeFile(contactsPath, contactRecords, &error)) {
        showBackupFailure(backuptexts::contactsNotWritten.arg(error));
        return false;
    }
    m_backupFilesArray << contactsPath;
    m_contactResultsArray.clear();

    const QString images = QDir(tmp).filePath(backuptexts::imagesFolder);
    if (!QDir().mkpath(images)) {
        showBackupFailure(backuptexts::folderNotMade.arg(images));
        return false;
    }
    QStringList leftOut;
    for (const Photo &photo : photos) {
        progress(backuptexts::backingUpImage.arg(tolvane::tolvaneTitle(*photo.contact)));
        QImage image = m_currentImagesCache.value(photo.contact->identifier());
        if (image.isNull()) {
            const GDataLink *link = photo.contact->findPhotoLink();
            image = QImage::fromData(link ? imageDataForURL(link->URL(), link->etag)
                                          : QByteArray());
        }
        const QString path = QDir(images).filePath(backuptexts::photoEntry.arg(photo.name));
        if (image.isNull() || !writeTiff(image, path)) {
            leftOut << tolvane::tolvaneTitle(*photo.contact);
            continue;
        }
        m_backupFilesArray << path;
    }
    const QString folder = accountBackupFolderPath();
    QDir().mkpath(folder);
    const QString archive = QDir(folder).filePath(stampedName(backuptexts::archiveName));
    if (!ZeltorFileTool::zipFiles(m_backupFilesArray, archive)) {
        showBackupFailure(backuptexts::zipNotWritten.arg(archive));
        return false;
    }
    if (!waiting) {
        QString text = backuptexts::completedText;
        if (!leftOut.isEmpty())
            text += backuptexts::photosLeftOut.arg(leftOut.size()).arg(leftOut.join(QStringLiteral(", ")));
        if (!renamed.isEmpty())
            text += backuptexts::photosRenamed.arg(renamed.join(QStringLiteral(", ")));
        Prompter::current().beginSheet(Prompt{backuptexts::completed, text, {backuptexts::ok}},
                                       QApplication::activeWindow(), [](int) {});
    }
    if (m_uiDelegate)
        m_uiDelegate->closeUserInfo();
    return true;
}

void GoogleContactTool::setGoogleUserDefaults()
{
    UserDefaults &ud = UserDefaults::standard();
    int isArchive = 0;
    if (m_hostDelegate && m_hostDelegate->googleBackupFolderPath()) {
        const QString folder = accountBackupFolderPath();
        QDir().mkpath(folder);
        const QStringList entries =
            QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        if (entries.size() >= 2)
            isArchive = 1;
        else if (entries.size() == 1)
            isArchive = entries.front() == u".DS_Store" ? 0 : 1;
    }
    ud.setInteger(isArchive, kIsGoogleArchive);
    const int groups = m_lists.groupCount();
    const int contacts = m_lists.contactCount();
    ud.setInteger(groups, kGroupCount);
    ud.setInteger(contacts, kContactCount);
    ud.setBool(groups > 0, googlekeys::googleHasGroupData);
    ud.setBool(contacts > 0, googlekeys::googleHasContactData);
    ud.setBool(groups + contacts > 0, googlekeys::googleHasData);
}

void GoogleContactTool::writeImagesToFile()
{
    if (m_contactResultsArray.empty())
        return;
    UserDefaults::standard().setBool(false, kImageDataFetchComplete);
    const PhotoJob &job = m_contactResultsArray.front();
    QNetworkRequest request = contactService()->requestForURL(job.photoLink.URL());
    request.setRawHeader("Accept", "image/*");
    if (job.photoLink.etag)
        request.setRawHeader("If-None-Match", job.photoLink.etag->toUtf8());
    auto *fetcher = new GDataHTTPFetcher(contactService()->networkAccessManager(), this);
    fetcher->beginFetch(
        request,
        [this](GDataHTTPFetcher *done, const QByteArray &data) {
            done->deleteLater();
            imageDataFetcherFinished(data);
        },
        [this](GDataHTTPFetcher *done, int status, const QByteArray &data) {
            done->deleteLater();
            imageDataFetcherFailedWithStatus(done, status, data);
        },
        [this](GDataHTTPFetcher *done, const GDataError &error) {
            done->deleteLater();
            imageDataFetcherFailedWithError(done, error);
        });
}

void GoogleContactTool::imageDataFetcherFinished(const QByteArray &data)
{
    if (m_contactResultsArray.empty())
        return;
    const PhotoJob job = m_contactResultsArray.front();
    const QImage image = QImage::fromData(data);
    if (!image.isNull() && !writeTiff(image, job.filepath))
        tlog::labelled(kClass, QStringLiteral("imageDataFetcher:finishedWithData:"),
                       QStringLiteral("ERROR:"), job.filepath);
    m_contactResultsArray.erase(m_contactResultsArray.begin());
    if (!m_contactResultsArray.empty()) {
        writeImagesToFile();
        return;
    }
    tlog::message(kClass, QStringLiteral("imageDataFetcher:finishedWithData:"),
                  backuptexts::endOfWriter);
    QStringList files = m_backupFilesArray;
    const QDir imageFolder = QFileInfo(job.filepath).dir();
    for (const QString &name : imageFolder.entryList(QDir::Files))
        files << imageFolder.filePath(name);
    const QString folder = accountBackupFolderPath();
    QDir().mkpath(folder);
    ZeltorFileTool::zipFiles(files, QDir(folder).filePath(stampedName(backuptexts::archiveName)));
    UserDefaults::standard().setBool(true, kImageDataFetchComplete);
}

void GoogleContactTool::imageDataFetcherFailedWithStatus(GDataHTTPFetcher *fetcher, int status,
                                                         const QByteArray &data)
{
    // Not modified: the photo it brought is the one asked for.
    if (status == 304) {
        imageDataFetcherFinished(data);
        return;
    }
    tlog::write(backuptexts::writerFailedWithStatus
                    .arg(QString::number(reinterpret_cast<quintptr>(fetcher), 16))
                    .arg(status)
                    .arg(QString::fromUtf8(data)));
    UserDefaults::standard().setBool(true, kImageDataFetchComplete);
}

void GoogleContactTool::imageDataFetcherFailedWithError(GDataHTTPFetcher *fetcher,
                                                        const GDataError &error)
{
    tlog::write(backuptexts::writerFailedWithError
                    .arg(QString::number(reinterpret_cast<quintptr>(fetcher), 16), error.description));
    UserDefaults::standard().setBool(true, kImageDataFetchComplete);
}
