#include "app/delegate/appdelegate.h"

#include "app/apptexts.h"
#include "foundation/log.h"
#include "foundation/vozuveva/vozuvevaalerts.h"
#include "model/meaddressbook.h"
#include "model/refdata/dataimporter.h"
#include "model/tolvaneowner.h"
#include "model/tolvanestoremodel.h"
#include "platform/addressbook/addressbook.h"
#include "platform/store/managedobjectcontext.h"
#include "platform/store/persistentstore.h"

namespace {

const QString kClass = QStringLiteral("AppDelegate(PrivateUtilities)");
const QString kOp = QStringLiteral("setupCoreDataEnvironment");

void trace(const QString &text)
{
    if (tlog::tracing())
        tlog::message(kClass, kOp, text);
}

} // namespace

bool AppDelegate::setupCoreDataEnvironment()
{
    const std::shared_ptr<const ManagedObjectModel> model = tolvaneStoreModel();
    trace(apptexts::momEstablished);
    StoreError error;
    m_store = PersistentStore::open(m_datafilePath, model, &error);
    if (!m_store) {
        tlog::write(apptexts::caughtError.arg(QStringLiteral("setupDefaultSQLLiteStore"))
                        .arg(int(error.code))
                        .arg(error.domain, tlog::describe(error.userInfo)));
        // Without a store there is no owner record: the program cannot run.
        VozuVeva::showAlertMsg(apptexts::fatal1103, apptexts::fatal1103Small, apptexts::okButton,
                               QString(), QString(), true);
        return false;
    }
    trace(apptexts::pscEstablished);
    m_context = std::make_unique<ManagedObjectContext>(m_store);
    trace(apptexts::mocEstablished);

    DataImporter::importPhoneFormatDataInContext(*m_context,
                                                 AddressBook::shared()->phoneFormatSettings());
    m_ownerAddressBook = std::make_unique<MeAddressBook>();
    // The owner lookup shows the fatal alert itself when it finds and can make no owner, so the
    // start-up adds none of its own.
    m_owner = TolvaneOwner::sharedOwnerInContext(*m_context, *m_ownerAddressBook);
    if (!m_owner)
        return false;
    DataImporter::importAllInContext(*m_context, QStringLiteral("lite"), 25);
    if (m_owner->menuPrefs().isEmpty())
        initializeTolvaneGeoRegion();
    return true;
}
