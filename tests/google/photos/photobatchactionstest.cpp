// The photos of a batch-action queue against the loopback server: each queued person's own
// picture goes to its contact; deletes, people without a picture and adds without a link are
// passed over, and a failed photo is reported without stopping the others.

#include "tests/support/google/photoservertest.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/personimages.h"
#include "google/batch/batchaction.h"
#include "google/engine/googlekeys.h"
#include "google/photos/phototexts.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

const QString kLink = QStringLiteral("com.test.googleID");

class PhotoBatchActionsTest : public PhotoServerTest
{
protected:
    void SetUp() override
    {
        PhotoServerTest::SetUp();
        UserDefaults::standard().setString(kLink, abkeys::googleContactIDPropertyName);
        AddressBook::shared()->addPropertiesAndTypes(RecordClass::Person,
                                                     {{kLink, PropertyType::String}});
    }

    // A person with that first name, linked to the contact, with a picture of the colour.
    static PersonPtr person(const QString &first, const QString &googleID, const QColor &colour)
    {
        const PersonPtr person = Person::create();
        person->setValueForProperty(first, kABFirstNameProperty);
        person->setValueForProperty(QStringLiteral("Lee"), kABLastNameProperty);
        AddressBook::shared()->addRecord(person);
        if (!googleID.isEmpty())
            person->setValueForProperty(googleID, kLink);
        if (colour.isValid()) {
            QImage image(16, 16, QImage::Format_RGB32);
            image.fill(colour);
            AddressBookTool::setImageForPerson(image, person);
        }
        return person;
    }
};

TEST_F(PhotoBatchActionsTest, EachQueuedPicture_GoesToItsContact_TheOthersArePassedOver)
{
    setLevel(1);
    const QStringList ids = seedAndLogIn({"Ann", "Bo", "Cy", "Di"});
    const BatchActionQueue queue = {
        {person("Ann", ids[0], Qt::red), nullptr, batchactions::add},
        {person("Bo", QString(), Qt::blue), contact(ids[1]), batchactions::update},
        {person("Cy", ids[2], Qt::green), contact(ids[2]), batchactions::remove},
        {person("Di", ids[3], QColor()), nullptr, batchactions::add},
        {person("Eve", QString(), Qt::yellow), nullptr, batchactions::add},
    };

    engine->batchABContactPictures(queue);

    EXPECT_TRUE(showsColour(storedPhoto(ids[0]), Qt::red));
    EXPECT_TRUE(isJPEG(storedPhoto(ids[0])));
    EXPECT_TRUE(showsColour(storedPhoto(ids[1]), Qt::blue));
    EXPECT_TRUE(storedPhoto(ids[2]).isEmpty());
    EXPECT_TRUE(storedPhoto(ids[3]).isEmpty());
    EXPECT_EQ(lines().filter(phototexts::noIdentifier).size(), 1);
    EXPECT_TRUE(journal.contains("updateUserInfo:Updating Google images ... Di Lee"));
    EXPECT_FALSE(journal.contains("updateUserInfo:Updating Google images ... Cy Lee"));
    EXPECT_EQ(journal.last(), QStringLiteral("closeUserInfo"));
    EXPECT_TRUE(flag(googlekeys::batchABContactPicturesTicketComplete));

    // An empty queue does nothing at all.
    journal.clear();
    engine->batchABContactPictures({});
    EXPECT_TRUE(journal.isEmpty());
}

TEST_F(PhotoBatchActionsTest, FailedPhoto_IsReportedAndTheNextStillGoes)
{
    const QStringList ids = seedAndLogIn({"Ann", "Bo"});
    server.injectFault(ids[0].section(u'/', -1), 403);

    engine->batchABContactPictures({
        {person("Ann", ids[0], Qt::red), nullptr, batchactions::add},
        {person("Bo", ids[1], Qt::blue), nullptr, batchactions::add},
    });

    EXPECT_TRUE(journal.contains("cleanup:" + phototexts::advancedImageUpdate + "//403"));
    EXPECT_TRUE(storedPhoto(ids[0]).isEmpty());
    EXPECT_TRUE(showsColour(storedPhoto(ids[1]), Qt::blue));
}

} // namespace
