#include "addressbook/vcards/vcardimport.h"

#include "addressbook/vcards/vcardsplitter.h"
#include "foundation/log.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"

namespace {

class ImportReport
{
public:
    void fail(VCardImportError code, const QString &message)
    {
        if (m_code == VCardImportNoError)
            m_code = code;
        m_messages.append(message);
        tlog::labelled(QStringLiteral("AddressBookTool"), QStringLiteral("processDroppedVCards:"),
                       QStringLiteral("ERROR:"), message);
    }

    // Written at any log level: a value of the user's was left out.
    void note(const QString &message)
    {
        tlog::write(QStringLiteral("AddressBookTool processDroppedVCards: WARNING: ") + message);
    }

    QVariantMap result(const QStringList &newPeople) const
    {
        return {{kVCardImportErrorString, m_messages.join(u'\n')},
                {kVCardImportErrorCode, int(m_code)},
                {kVCardImportNewPeople, newPeople}};
    }

private:
    VCardImportError m_code = VCardImportNoError;
    QStringList m_messages;
};

// The name a user would look for the card by.
QString cardName(const Person &person)
{
    QStringList parts;
    for (const QString &property :
         {kABFirstNameProperty, kABLastNameProperty, kABOrganizationProperty}) {
        const QString part = person.valueForProperty(property).toString();
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(u' ');
}

} // namespace

namespace AddressBookTool {

QVariantMap processDroppedVCards(const QStringList &paths)
{
    AddressBook *book = AddressBook::shared();
    ImportReport report;
    QStringList newPeople;
    for (const QString &path : paths) {
        // Any readable file gives at least one item, so none means the file could not be read.
        // The cards are read in place: a large file is never held twice.
        const VCardFileCards file = extractPeopleViews(path);
        const QList<QByteArrayView> &cards = file.cards;
        if (cards.isEmpty())
            report.fail(VCardImportUnreadableFile,
                        QStringLiteral("The file %1 could not be read.").arg(path));
        for (qsizetype i = 0; i < cards.size(); ++i) {
            QString why;
            QStringList skipped;
            const PersonPtr person = Person::fromVCardRepresentation(
                QByteArray::fromRawData(cards[i].data(), cards[i].size()), &why, &skipped);
            if (!person || !book->addRecord(person)) {
                report.fail(
                    VCardImportUnreadableCard,
                    QStringLiteral("Card %1 of %2 gave no person: %3").arg(i + 1).arg(path, why));
                continue;
            }
            // The person comes in with every other value; the log says which one is missing.
            for (const QString &value : std::as_const(skipped))
                report.note(QStringLiteral("Card %1 of %2 (%3): %4 and was left out")
                                .arg(i + 1)
                                .arg(path, cardName(*person), value));
            newPeople.append(person->uniqueId());
        }
    }
    if (!book->save())
        report.fail(VCardImportSaveFailed, QStringLiteral("The address book could not be saved."));
    return report.result(newPeople);
}

} // namespace AddressBookTool
