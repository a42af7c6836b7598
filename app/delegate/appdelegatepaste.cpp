#include "app/delegate/appdelegate.h"

#include "app/cardzap/zeltorcardzap.h"
#include "app/sheets/contactsheet.h"
#include "app/sheets/sheetkeys.h"
#include "app/sheets/sheettexts.h"
#include "app/windows/loginsheet.h"
#include "foundation/log.h"
#include "google/engine/googlekeys.h"
#include "model/refdata/phoneformat.h"
#include "model/tolvanemanagedobject.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/keypath.h"

#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

const QString kStringType = QStringLiteral("text/plain");
const QString kRTFType = QStringLiteral("text/rtf");

QString controlText(const QObject *control)
{
    if (const auto *const line = qobject_cast<const QLineEdit *>(control))
        return line->text();
    if (const auto *const text = qobject_cast<const QPlainTextEdit *>(control))
        return text->toPlainText();
    return QString();
}

} // namespace

void AppDelegate::controlTextDidChange(QObject *control)
{
    const int tag = control ? control->property("tag").toInt() : 0;
    const QString text = controlText(control);
    if (tag == LoginSheet::kUserFieldTag) {
        // The account as typed so far, completed with the mail suffix; the stored value is not
        // read back, or the suffix would grow at every keystroke.
        if (!text.contains(u'@')) {
            UserDefaults &defaults = UserDefaults::standard();
            defaults.setString(text + defaults.stringForKey(googlekeys::gMailSuffix),
                               sheetkeys::gsUser);
        }
    } else if (tag == ContactSheet::kNewPasteTag || tag == ContactSheet::kEditPasteTag) {
        // A text that grew by more than one character at once was pasted, not typed.
        const bool wasSet = !m_expressPastedString.isNull();
        const qsizetype before = m_expressPastedString.size();
        m_expressPastedString = text;
        if (wasSet ? text.size() > before + 1 : text.size() > 1)
            processExpressString();
    }
    setCanLogin();
}

void AppDelegate::processExpressString()
{
    const ZeltorCardzap::Fields results =
        ZeltorCardzap::analyzeString(m_expressPastedString, QStringLiteral("home"));
    if (results.isEmpty())
        return;
    if (tlog::diagnostics()) {
        QStringList pairs;
        for (auto it = results.cbegin(); it != results.cend(); ++it)
            pairs << it.key() + QStringLiteral(" = ") + it.value();
        tlog::value(kClass, QStringLiteral("processExpressString"), sheettexts::textResults,
                    pairs.join(QStringLiteral("; ")));
    }
    QVariantMap &target = m_newRecordMode ? m_newGoogleContact : m_currentContact;
    for (auto it = results.cbegin(); it != results.cend(); ++it)
        applyPastedValue(target, it.key(), it.value());
    ContactSheet *const sheet = m_newRecordMode ? m_newContactPanel : m_editContactPanel;
    if (sheet)
        sheet->refresh(m_linkifiedNotes, m_addToAddressBook, m_addToGoogleContacts);
}

void AppDelegate::applyPastedValue(QVariantMap &target, const QString &key, const QString &value)
{
    if (key == sheetkeys::homeStreet) {
        const qsizetype lineEnd = value.indexOf(u'\r');
        keypath::setValue(target, sheetkeys::homeStreet1,
                          lineEnd < 0 ? value : value.left(lineEnd));
        keypath::setValue(target, sheetkeys::homeStreet2,
                          lineEnd < 0 ? QString(QLatin1String("")) : value.mid(lineEnd + 1));
        return;
    }
    if (key == sheetkeys::url) {
        // The sheet edits the notes through its own text: the web address goes in front of it.
        m_linkifiedNotes = m_linkifiedNotes.isEmpty()
                               ? value
                               : QStringLiteral("%1\r%2").arg(value, m_linkifiedNotes);
        target.insert(sheetkeys::notes, m_linkifiedNotes);
        return;
    }
    keypath::setValue(target, key, value);
}

QString AppDelegate::formatAsPhoneNumber(const QString &phoneNumber)
{
    if (!m_context)
        return phoneNumber;
    const auto formats = TolvaneManagedObject::allInContext<PhoneFormat>(*m_context);
    if (!formats || formats->isEmpty())
        return phoneNumber;
    if (!UserDefaults::standard().boolForKey(sheetkeys::gmUpdateFormatPhoneNumbers))
        return phoneNumber;
    return PhoneFormat::formatPhoneNumber(phoneNumber, *m_context);
}

bool AppDelegate::cardzap(const QMimeData *pasteboard, const QString &, QString *error)
{
    const QStringList types = pasteboard ? pasteboard->formats() : QStringList();
    if (!types.contains(kStringType) || !types.contains(kRTFType)) {
        if (error)
            *error = sheettexts::cardzapFailed;
        return false;
    }
    QString text = pasteboard->text();
    if (text.isEmpty())
        text = QString::fromUtf8(pasteboard->data(kRTFType));
    if (text.isEmpty()) {
        if (error)
            *error = sheettexts::cardzapNoString;
        return false;
    }
    openNewGoogleContact();
    // The program's front window is the one the sheet is on.
    if (m_sheetWindow && m_sheetWindow->window()) {
        m_sheetWindow->window()->raise();
        m_sheetWindow->window()->activateWindow();
    }
    m_newContactPanel->cardzapField()->insertPlainText(text);
    return true;
}
