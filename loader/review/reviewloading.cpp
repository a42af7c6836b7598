// Loading the review rows from the engine's contacts.
#include "addressbook/google/abpersontolvane.h"
#include "addressbook/records/recordlookup.h"
#include "app/delegate/appdelegate.h"
#include "foundation/log.h"
#include "foundation/parsers/countrynames.h"
#include "foundation/text/textpieces.h"
#include "foundation/views/imagetext.h"
#include "google/browser/namedictionary.h"
#include "google/entries/addresselements.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/contactaddresshints.h"
#include "google/entries/flatteneddictionary.h"
#include "google/entries/postaladdressparsing.h"
#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/review/reviewkeys.h"
#include "loader/review/reviewrowmodels.h"
#include "loader/review/reviewtexts.h"
#include "model/refdata/country.h"
#include "platform/defaults/userdefaults.h"

#include <QLabel>
#include <QProgressBar>
#include <QTableView>

#include <algorithm>

namespace {

const QString kClass = QStringLiteral("GooglePreviewWindowController");
// A paint per frame is as often as anyone can see the progress move.
constexpr qint64 kFrameMs = 16;

std::vector<GDataEntryContactPtr> contactsToReview(const std::vector<GDataEntryContactPtr> &all,
                                                   const QString &option)
{
    if (UserDefaults::standard().boolForKey(option))
        return all;
    std::vector<GDataEntryContactPtr> unhinted;
    for (const GDataEntryContactPtr &contact : all) {
        if (contact->extendedProperties().empty())
            unhinted.push_back(contact);
    }
    return unhinted;
}

template <typename Row> void sortByTitle(QList<Row> &rows)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row &a, const Row &b) { return a.gTitle < b.gTitle; });
}

// A name or code of a country of the store, or a way people write one ("USA", "U.K.").
bool isCountry(const QString &name)
{
    if (zeltor::isCountryName(name))
        return true;
    const AppDelegate *const delegate = AppDelegate::shared();
    ManagedObjectContext *const context = delegate ? delegate->managedObjectContext() : nullptr;
    return context && Country::lookup(name, *context);
}

QImage placeholder()
{
    return imagetext::imageNamed(reviewtexts::placeholderImage);
}

} // namespace

void GooglePreviewWindowController::loadNamesForReview()
{
    if (!m_tool)
        return;
    m_contacts = m_tool->contactArray();
    showReviewTabViewItem(reviewtexts::namesTabIdentifier);
    const std::vector<GDataEntryContactPtr> review =
        contactsToReview(m_contacts, reviewkeys::showAlreadyHintedNames);
    if (review.empty()) {
        m_names->setRows({});
        m_currentName = -1;
        m_currentGoogleC.reset();
        // The addresses follow their own option, whatever the names list holds.
        loadAddressesForReview();
        return;
    }
    openUserInfoMessage(reviewtexts::loadingNames, int(review.size()));
    const QPointer<GooglePreviewWindowController> self(this);
    QList<NameReviewRow> rows;
    rows.reserve(qsizetype(review.size()));
    const QString meID =
        tlog::diagnostics() ? tolvane::googleID(AddressBookTool::meAB()) : QString();
    for (const GDataEntryContactPtr &contact : review) {
        if (!meID.isEmpty() && contact->identifier() == meID)
            logThisContact(*contact);
        m_loadMessage = reviewtexts::loadingOne.arg(tolvane::tolvaneTitle(*contact));
        updateUserInfo();
        QImage photo;
        if (tolvane::tolvaneHasImage(*contact)) {
            // The fetch waits on the event loop, where this window may close and the engine go.
            GoogleContactTool *const tool = m_tool;
            const QByteArray data = tool->imageDataForURL(QUrl(tolvane::tolvanePhotoLink(*contact)),
                                                          tolvane::tolvanePhotoETag(*contact));
            if (!self || !m_tool)
                return;
            photo = QImage::fromData(data);
        }
        NameReviewRow row = nameRowFor(*contact);
        row.thisContact = contact;
        if (!photo.isNull())
            m_loadedPhotos.insert(row.gID);
        row.gImage = photo.isNull() ? placeholder() : photo;
        row.oImage = row.gImage;
        rows << row;
    }
    sortByTitle(rows);
    m_names->setRows(rows);
    m_currentName = -1;
    m_namesTable->selectRow(0);
    m_namesTable->resizeColumnsToContents();
    m_namesTable->viewport()->update();
    closeUserInfo();
    loadAddressesForReview();
}

void GooglePreviewWindowController::logThisContact(const GDataEntryContact &contact) const
{
    tlog::value(
        kClass, QStringLiteral("loadNamesForReview:"), QStringLiteral("thisContact"),
        tlog::describe(QVariantMap{{QStringLiteral("gID"), contact.identifier()},
                                   {QStringLiteral("gTitle"), tolvane::tolvaneTitle(contact)}}));
}

NameReviewRow GooglePreviewWindowController::nameRowFor(const GDataEntryContact &contact)
{
    const QVariantMap names = tolvane::tolvaneNameDictionary(contact);
    NameReviewRow row;
    row.gID = contact.identifier();
    row.hasImage = tolvane::tolvaneHasImage(contact);
    row.gHasExP = tolvane::tolvaneHasExtendedProperties(contact);
    row.gTitle = tolvane::tolvaneTitle(contact);
    row.aFirst = names.value(QStringLiteral("first")).toString();
    row.aLast = names.value(QStringLiteral("last")).toString();
    row.aNick = names.value(QStringLiteral("nick")).toString();
    row.aMiddle = names.value(QStringLiteral("middle")).toString();
    row.isCompany = names.value(QStringLiteral("isCompany")).toBool();
    row.aCo = names.value(QStringLiteral("coName")).toString();
    row.keepReviewedAsLoaded();
    return row;
}

void GooglePreviewWindowController::loadAddressesForReview()
{
    const std::vector<GDataEntryContactPtr> review =
        contactsToReview(m_contacts, reviewkeys::showAlreadyHintedAddresses);
    if (review.empty()) {
        m_addresses->setRows({});
        m_currentAddress = -1;
        return;
    }
    openUserInfoMessage(reviewtexts::loadingAddresses, int(review.size()));
    QList<AddressReviewRow> rows;
    for (const GDataEntryContactPtr &contact : review) {
        if (contact->postalAddresses().empty())
            continue;
        m_loadMessage = reviewtexts::loadingOne.arg(tolvane::tolvaneTitle(*contact));
        updateUserInfo();
        rows << addrsForContact(*contact);
    }
    sortByTitle(rows);
    m_addresses->setRows(rows);
    m_currentAddress = -1;
    if (!rows.isEmpty())
        m_addressesTable->selectRow(0);
    m_addressesTable->resizeColumnsToContents();
    m_addressesTable->viewport()->update();
    closeUserInfo();
}

QList<AddressReviewRow>
GooglePreviewWindowController::addrsForContact(const GDataEntryContact &contact) const
{
    QList<QMap<QString, QString>> hints;
    for (const QString &flattened : tolvane::tolvaneExPAddresses(contact))
        hints << flatteneddictionary::inflateString(flattened);
    QList<AddressReviewRow> rows;
    for (const GDataPostalAddress &address : contact.postalAddresses()) {
        const QString letters = zeltor::extractAlphanumerics(address.stringValue);
        zeltor::GoogleAddress parts;
        const auto hint = std::find_if(hints.cbegin(), hints.cend(), [&](const auto &values) {
            return values.value(QStringLiteral("googleAddressText")) == letters;
        });
        if (hint != hints.cend())
            parts = unpackGoogleAddressDict(*hint);
        else
            parts = parsedAddress(address);
        const QMap<QString, QString> lines = tolvane::tolvaneRawAddress(address);
        AddressReviewRow row;
        row.gID = contact.identifier();
        row.thisLabel = tolvane::tolvaneLabel(address);
        row.gTitle = tolvane::tolvaneTitle(contact);
        row.gAddrText = address.stringValue;
        row.gLine1 = lines.value(QStringLiteral("gLine1"));
        row.gLine2 = lines.value(QStringLiteral("gLine2"));
        row.gLine3 = lines.value(QStringLiteral("gLine3"));
        row.gLine4 = lines.value(QStringLiteral("gLine4"));
        row.gLine5 = lines.value(QStringLiteral("gLine5"));
        row.aLine1 = parts.street1;
        row.aLine2 = parts.street2;
        row.aStreet =
            parts.street2.isEmpty() ? parts.street1 : parts.street1 + u'\r' + parts.street2;
        row.aCity = parts.city;
        row.aState = parts.state;
        row.aPostal = parts.postal;
        row.aCountry = parts.country;
        row.keepReviewedAsLoaded();
        rows << row;
    }
    return rows;
}

zeltor::GoogleAddress
GooglePreviewWindowController::parsedAddress(const GDataPostalAddress &address)
{
    return zeltor::unpackAddress(address.stringValue, isCountry);
}

zeltor::GoogleAddress
GooglePreviewWindowController::unpackGoogleAddressDict(const QMap<QString, QString> &address)
{
    zeltor::GoogleAddress parts;
    // The hint keeps the street escaped once; shown and sent again as escaped text it would
    // grow an "&amp;" at every review.
    const QString street = addresselements::decodedStreet(address.value(QStringLiteral("street")));
    const qsizetype lineBreak = street.indexOf(u'\n');
    parts.street1 = lineBreak < 0 ? street : street.left(lineBreak);
    parts.street2 = lineBreak < 0 ? QString() : street.mid(lineBreak + 1);
    parts.city = address.value(QStringLiteral("city"));
    parts.state = address.value(QStringLiteral("state"));
    parts.postal = address.value(QStringLiteral("postal"));
    parts.country = address.value(QStringLiteral("country"));
    return parts;
}

QString GooglePreviewWindowController::labelForRel(const QString &rel, const QString &label)
{
    GDataPostalAddress address;
    if (!rel.isEmpty())
        address.rel = rel;
    if (!label.isEmpty())
        address.label = label;
    return tolvane::tolvaneLabel(address);
}

tolvane::SplitTitle GooglePreviewWindowController::unpackGoogleTitle(const QString &title)
{
    return tolvane::unpackGoogleTitle(title);
}

void GooglePreviewWindowController::openUserInfoMessage(const QString &message, int progressMax)
{
    m_loadProgress->setMinimum(0);
    m_updateTotalCount = progressMax;
    m_loadProgress->setMaximum(progressMax);
    m_updateCount = 1;
    m_loadProgress->setValue(m_updateCount);
    m_loadMessage = message;
    m_loadText->setText(message);
    m_loadProgress->show();
    m_loadText->show();
    m_progressPaints = 0;
    m_paintClock.invalidate();
    paintProgress();
}

void GooglePreviewWindowController::updateUserInfo()
{
    m_loadText->setText(m_loadMessage);
    ++m_updateCount;
    m_loadProgress->setValue(std::min(m_updateCount, m_updateTotalCount));
    if (!m_paintClock.isValid() || m_paintClock.elapsed() >= kFrameMs)
        paintProgress();
}

void GooglePreviewWindowController::paintProgress()
{
    // The loop holds the event loop, so the bar and text are painted here, not when it returns.
    m_loadProgress->repaint();
    m_loadText->repaint();
    ++m_progressPaints;
    m_paintClock.start();
}

void GooglePreviewWindowController::closeUserInfo()
{
    m_loadProgress->hide();
    m_loadText->hide();
}
