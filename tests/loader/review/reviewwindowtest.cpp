// The review window against the loopback server: what it loads under its options, how edits set
// and clear the changed mark in the row that was edited, and what a send stores on Google and
// shows when something did not go through.

#include "tests/support/google/engineservertest.h"

#include "addressbook/addressbookkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/flatteneddictionary.h"
#include "google/photos/reviewproperties.h"
#include "loader/review/countrycompletion.h"
#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/review/reviewkeys.h"
#include "loader/review/reviewrowmodels.h"
#include "loader/review/reviewtexts.h"
#include "platform/defaults/userdefaults.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ReviewWindowTest : public EngineServerTest
{
protected:
    void SetUp() override
    {
        EngineServerTest::SetUp();
        storePassword(kPassword);
        engine = makeEngine();
    }

    void TearDown() override
    {
        window.reset();
        EngineServerTest::TearDown();
    }

    QString propertyName() const
    {
        return UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName);
    }

    static GDataEntryContactPtr contact(const QString &title, const QStringList &addresses = {})
    {
        GDataEntryContactPtr entry = GDataEntryContact::contactEntryWithTitle(title);
        std::vector<GDataPostalAddress> postal;
        for (const QString &text : addresses)
            postal.push_back(GDataPostalAddress::postalAddressWithString(text));
        entry->setPostalAddresses(postal);
        return entry;
    }

    GDataEntryContactPtr hinted(GDataEntryContactPtr entry,
                                std::vector<GDataExtendedProperty::XMLValue> values = {
                                    {QStringLiteral("aID"), QStringLiteral("X:ABPerson")}})
    {
        GDataExtendedProperty property = GDataExtendedProperty::propertyWithName(propertyName());
        property.setXMLValues(std::move(values));
        entry->addExtendedProperty(property);
        return entry;
    }

    QStringList seed(const std::vector<GDataEntryPtr> &contacts)
    {
        const QStringList ids = server.seedContacts(kUser, contacts);
        EXPECT_TRUE(logIn(*engine));
        return ids;
    }

    void openWindow(bool allNames = true, bool allAddresses = true)
    {
        UserDefaults::standard().setBool(allNames, reviewkeys::showAlreadyHintedNames);
        UserDefaults::standard().setBool(allAddresses, reviewkeys::showAlreadyHintedAddresses);
        window = std::make_unique<GooglePreviewWindowController>();
        window->setGoogleTool(engine.get());
        window->loadNamesForReview();
    }

    QStringList nameTitles() const
    {
        QStringList titles;
        for (const NameReviewRow &row : window->googleNames())
            titles << row.gTitle;
        return titles;
    }

    QStringList addressTitles() const
    {
        QStringList titles;
        for (const AddressReviewRow &row : window->googleAddresses())
            titles << row.gTitle;
        return titles;
    }

    // Selects the table's row as the user sees it (after any sort).
    static void selectShownRow(QTableView *table, int shownRow)
    {
        table->selectionModel()->clearSelection();
        table->selectRow(shownRow);
    }

    void editName(int tag, const QString &text)
    {
        QLineEdit *field = window->nameField(tag);
        field->setText(text);
        emit field->editingFinished();
    }

    void editAddress(int field, const QString &text)
    {
        QLineEdit *edit = window->addressFields().at(field);
        edit->setText(text);
        emit edit->editingFinished();
    }

    const NameReviewRow &nameRowOf(const QString &gID) const
    {
        const QList<NameReviewRow> &rows = window->googleNames();
        return *std::find_if(rows.begin(), rows.end(),
                             [&](const NameReviewRow &row) { return row.gID == gID; });
    }

    QHash<QString, QString> storedHints(const QString &identifier)
    {
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
            if (entry->identifier() != identifier)
                continue;
            for (const GDataExtendedProperty &property : entry->extendedProperties()) {
                if (property.name() == propertyName())
                    return property.XMLValuesDictionary();
            }
        }
        return {};
    }

    // Sends and waits until the window has taken the answer.
    void sendNames()
    {
        window->updateGoogleNamesReview();
        ASSERT_TRUE(runUntil([&] { return !window->isSending(); }));
    }

    std::unique_ptr<OfferingEngine> engine;
    std::unique_ptr<GooglePreviewWindowController> window;
};

struct LoadCase
{
    const char *what;
    bool allNames;
    bool allAddresses;
    QStringList names;
    QStringList addresses;
};

TEST_F(ReviewWindowTest, LoadsNamesAndAddressesByTheirOwnOptions)
{
    seed({contact("Cid Unhinted", {"1 Main St\nSpringfield"}),
          hinted(contact("Ann Hinted", {"2 Oak Ave\nShelbyville", "3 Elm Rd\nOgdenville"})),
          contact("Bea Nowhere")});
    const LoadCase cases[] = {
        {"everything",
         true,
         true,
         {"Ann Hinted", "Bea Nowhere", "Cid Unhinted"},
         {"Ann Hinted", "Ann Hinted", "Cid Unhinted"}},
        {"unhinted only", false, false, {"Bea Nowhere", "Cid Unhinted"}, {"Cid Unhinted"}},
        {"names unhinted, every address",
         false,
         true,
         {"Bea Nowhere", "Cid Unhinted"},
         {"Ann Hinted", "Ann Hinted", "Cid Unhinted"}},
    };
    for (const LoadCase &c : cases) {
        openWindow(c.allNames, c.allAddresses);
        EXPECT_EQ(nameTitles(), c.names) << c.what;
        EXPECT_EQ(addressTitles(), c.addresses) << c.what;
        EXPECT_EQ(window->currentGoogleContact(), 0) << c.what;
        EXPECT_EQ(window->currentContactAddress(), 0) << c.what;
    }
}

TEST_F(ReviewWindowTest, AddressesLoadWhenNoNameIsLeftToReview)
{
    seed({hinted(contact("Ann", {"2 Oak Ave\nShelbyville"})), hinted(contact("Bea"))});
    openWindow(false, true);
    EXPECT_TRUE(window->googleNames().isEmpty());
    EXPECT_EQ(window->currentGoogleContact(), -1);
    EXPECT_EQ(addressTitles(), QStringList{"Ann"});
}

TEST_F(ReviewWindowTest, AStoredHintSuppliesTheAddressFieldsAndOtherAddressesAreParsed)
{
    const QString hintedText = QStringLiteral("Oak Avenue 2\nBack House\nShelbyville");
    AddressReviewRow reviewed;
    reviewed.thisLabel = QStringLiteral("home");
    reviewed.gAddrText = QStringLiteral("Oak Avenue 2, Back House; Shelbyville!");
    reviewed.aLine1 = QStringLiteral("Oak Avenue 2 & Sons");
    reviewed.aLine2 = QStringLiteral("Back House\nRear");
    reviewed.aCity = QStringLiteral("Shelbyville");
    reviewed.aCountry = QStringLiteral("Utopia");
    seed({hinted(
        contact("Ann", {hintedText, "9 Pine St\nSpringfield"}),
        {{QStringLiteral("address-7"), reviewproperties::flattenedReviewedAddress(reviewed)}})});
    openWindow();
    ASSERT_EQ(window->googleAddresses().size(), 2);
    const AddressReviewRow &fromHint = window->googleAddresses().at(0);
    EXPECT_EQ(fromHint.gAddrText, hintedText);
    EXPECT_EQ(fromHint.aLine1, QStringLiteral("Oak Avenue 2 & Sons"));
    // A street of three lines: the first line, then all that follows it.
    EXPECT_EQ(fromHint.aLine2, QStringLiteral("Back House\nRear"));
    EXPECT_EQ(fromHint.aCountry, QStringLiteral("Utopia"));
    EXPECT_EQ(fromHint.oLine1, fromHint.aLine1);
    const AddressReviewRow &parsed = window->googleAddresses().at(1);
    EXPECT_EQ(parsed.aLine1, QStringLiteral("9 Pine St"));
    EXPECT_EQ(parsed.gLine2, QStringLiteral("Springfield"));
    EXPECT_FALSE(parsed.delta);
}

TEST_F(ReviewWindowTest, EditsSetAndClearTheChangedMark)
{
    seed({contact("Ann Lee"), contact("Acme Works")});
    openWindow();
    ASSERT_EQ(nameTitles(), (QStringList{"Acme Works", "Ann Lee"}));
    selectShownRow(window->namesTableView(), 1);
    ASSERT_EQ(window->currentGoogleContact(), 1);
    EXPECT_EQ(window->nameField(GooglePreviewWindowController::FirstTag)->text(), "Ann");

    editName(GooglePreviewWindowController::MiddleTag, "B.");
    EXPECT_TRUE(window->googleNames().at(1).delta);
    EXPECT_EQ(window->googleNames().at(1).aMiddle, "B.");
    editName(GooglePreviewWindowController::MiddleTag, "");
    EXPECT_FALSE(window->googleNames().at(1).delta);

    // The company flag empties the parts and takes the title; clearing it brings back the
    // loaded first, last and nick names and leaves the middle name empty.
    editName(GooglePreviewWindowController::MiddleTag, "B.");
    window->companyBox()->click();
    NameReviewRow row = window->googleNames().at(1);
    EXPECT_TRUE(row.isCompany);
    EXPECT_TRUE(row.aFirst.isEmpty() && row.aLast.isEmpty() && row.aMiddle.isEmpty());
    EXPECT_EQ(row.aCo, "Ann Lee");
    EXPECT_TRUE(row.delta);
    window->companyBox()->click();
    row = window->googleNames().at(1);
    EXPECT_FALSE(row.isCompany);
    EXPECT_EQ(row.aFirst, "Ann");
    EXPECT_EQ(row.aLast, "Lee");
    EXPECT_TRUE(row.aMiddle.isEmpty());
    EXPECT_FALSE(row.delta);

    selectShownRow(window->addressesTableView(), 0);
    EXPECT_EQ(window->currentContactAddress(), -1);
}

TEST_F(ReviewWindowTest, AnEditInAResortedTableReachesTheRowThatWasEdited)
{
    const QStringList ids = seed({contact("Ann Lee"), contact("Bea Cole"), contact("Cid Moss")});
    openWindow();
    window->namesTableView()->sortByColumn(NameReviewModel::Title, Qt::DescendingOrder);
    selectShownRow(window->namesTableView(), 0);
    ASSERT_EQ(window->namesModel()->row(window->currentGoogleContact()).gTitle, "Cid Moss");
    editName(GooglePreviewWindowController::FirstTag, "Cyd");

    EXPECT_EQ(nameRowOf(ids[2]).aFirst, "Cyd");
    EXPECT_TRUE(nameRowOf(ids[2]).delta);
    EXPECT_FALSE(nameRowOf(ids[0]).delta);
    EXPECT_EQ(window->currentGoogleC()->identifier(), ids[2]);
}

TEST_F(ReviewWindowTest, ASelectionInAnotherTableWithTheSameTagLeavesTheRowsAlone)
{
    seed({contact("Ann Lee"), contact("Bea Cole")});
    openWindow();
    selectShownRow(window->namesTableView(), 1);
    QStandardItemModel otherModel(3, 1);
    QTableView other;
    other.setModel(&otherModel);
    other.setProperty("tag", GooglePreviewWindowController::NamesTableTag);
    other.selectRow(0);
    EXPECT_EQ(window->currentGoogleContact(), 1);
    editName(GooglePreviewWindowController::FirstTag, "Beatrix");
    EXPECT_EQ(window->googleNames().at(1).aFirst, "Beatrix");
    EXPECT_EQ(window->googleNames().at(0).aFirst, "Ann");
}

TEST_F(ReviewWindowTest, SendingStoresTheHintsAndTheRowsTakeThemAsLoaded)
{
    const QStringList ids = seed({contact("Ann Lee", {"1 Main St\nSpringfield"})});
    openWindow();
    editName(GooglePreviewWindowController::NickTag, "Annie");
    sendNames();

    EXPECT_EQ(storedHints(ids[0]).value("aN"), "Annie");
    EXPECT_EQ(storedHints(ids[0]).value("gT"), "Ann \"Annie\" Lee");
    const NameReviewRow &row = window->googleNames().at(0);
    EXPECT_FALSE(row.delta);
    EXPECT_EQ(row.oNick, "Annie");
    EXPECT_TRUE(prompter.shown().isEmpty());

    // The address send: a second send of the same row would write nothing new, so only the
    // changed address goes, and it is then unchanged.
    ASSERT_TRUE(runUntil([&] {
        return engine->contactArray().size() == 1 &&
               !engine->contactArray().front()->extendedProperties().empty();
    }));
    selectShownRow(window->addressesTableView(), 0);
    editAddress(5, "Freedonia");
    EXPECT_TRUE(window->googleAddresses().at(0).delta);
    window->updateGoogleAddressReview();
    ASSERT_TRUE(runUntil([&] { return !window->isSending(); }));
    const QHash<QString, QString> hints = storedHints(ids[0]);
    const auto address = std::find_if(hints.keyBegin(), hints.keyEnd(), [](const QString &key) {
        return key.startsWith(QLatin1String("address-"));
    });
    ASSERT_NE(address, hints.keyEnd());
    EXPECT_EQ(flatteneddictionary::inflateString(hints.value(*address)).value("country"),
              "Freedonia");
    EXPECT_EQ(hints.value("aN"), "Annie");
    EXPECT_FALSE(window->googleAddresses().at(0).delta);
}

TEST_F(ReviewWindowTest, AnAddressTakesItsLabelFromTheListOrAsTypedAndANewLabelIsSent)
{
    setLevel(1);
    const QStringList ids = seed({contact("Ann Lee", {"1 Main St\nSpringfield"})});
    openWindow();
    EXPECT_EQ(window->addressLabels(), (QStringList{"home", "work", "other"}));
    // The list is logged as its dictionaries, one line each.
    const QString log = lines().join(u'\n');
    const qsizetype listed =
        log.indexOf("[GooglePreviewWindowController setAddressLabels:] addressLabels = (");
    ASSERT_GE(listed, 0);
    EXPECT_GT(log.indexOf("label = work;", listed), listed);

    selectShownRow(window->addressesTableView(), 0);
    QComboBox *label = window->addressLabelField();
    ASSERT_EQ(label->count(), 3);
    const QString loaded = window->googleAddresses().at(0).thisLabel;
    EXPECT_EQ(loaded, "address");
    EXPECT_EQ(label->currentText(), loaded);

    struct LabelCase
    {
        const char *what;
        QString typed;
        QString expected;
        bool changed;
    };
    const LabelCase cases[] = {
        {"a label of the list", "work", "work", true},
        {"the loaded label again", loaded, loaded, false},
        {"a label of the user's own", " Summer House ", "Summer House", true},
    };
    for (const LabelCase &c : cases) {
        label->setCurrentText(c.typed);
        emit label->lineEdit()->editingFinished();
        EXPECT_EQ(window->googleAddresses().at(0).thisLabel, c.expected) << c.what;
        EXPECT_EQ(window->googleAddresses().at(0).delta, c.changed) << c.what;
    }
    // A typed label stays the row's: the list keeps its three labels.
    EXPECT_EQ(label->count(), 3);
    const QStringList edited = lines();
    EXPECT_TRUE(std::any_of(edited.cbegin(), edited.cend(), [](const QString &line) {
        return line.startsWith(
            "[GooglePreviewWindowController controlTextDidEndEditing:] [note object] = ");
    }));

    window->updateGoogleAddressReview();
    ASSERT_TRUE(runUntil([&] { return !window->isSending(); }));
    const QHash<QString, QString> hints = storedHints(ids[0]);
    const auto address = std::find_if(hints.keyBegin(), hints.keyEnd(), [](const QString &key) {
        return key.startsWith(QLatin1String("address-"));
    });
    ASSERT_NE(address, hints.keyEnd());
    EXPECT_EQ(flatteneddictionary::inflateString(hints.value(*address)).value("label"),
              "Summer House");
    EXPECT_FALSE(window->googleAddresses().at(0).delta);
    EXPECT_EQ(window->googleAddresses().at(0).oLabel, "Summer House");
}

TEST_F(ReviewWindowTest, AFailedSendIsShownAndTheRowsStayChanged)
{
    seed({contact("Ann Lee")});
    openWindow();
    editName(GooglePreviewWindowController::FirstTag, "Anna");
    server.injectFault(QStringLiteral("/batch"), 503);
    sendNames();

    EXPECT_TRUE(window->googleNames().at(0).delta);
    EXPECT_EQ(window->googleNames().at(0).oFirst, "Ann");
    ASSERT_FALSE(prompter.shown().isEmpty());
    EXPECT_EQ(prompter.shown().last().prompt.message, reviewtexts::outcomeTitle);
    EXPECT_TRUE(prompter.shown().last().asSheet);
}

TEST_F(ReviewWindowTest, TheLoadProgressIsPaintedAtMostOncePerFrame)
{
    server.generateContacts(kUser, 400);
    ASSERT_TRUE(logIn(*engine));
    QElapsedTimer clock;
    clock.start();
    openWindow();
    const qint64 elapsed = clock.elapsed();
    ASSERT_EQ(window->googleNames().size(), 400);
    // One paint when each progress opens, then at most one per 16 ms.
    EXPECT_LE(window->progressPaints(), 2 + elapsed / 16);
    EXPECT_GE(window->updateCount(), 1);
}

struct CompletionCase
{
    const char *typed;
    QStringList expected;
};

TEST(CountryCompletion, MatchesThePrefixIgnoringCaseAndDiacritics)
{
    const QStringList names = {"Åland Islands", "Albania", "Côte d'Ivoire", "Costa Rica", "France"};
    const CompletionCase cases[] = {
        {"al", {"Åland Islands", "Albania"}},
        {"ÅL", {"Åland Islands", "Albania"}},
        {"cote", {"Côte d'Ivoire"}},
        {"CO", {"Côte d'Ivoire", "Costa Rica"}},
        {"", names},
        {"Germany", {}},
    };
    for (const CompletionCase &c : cases)
        EXPECT_EQ(countrycompletion::completions(names, QString::fromUtf8(c.typed)), c.expected)
            << c.typed;
}

} // namespace
