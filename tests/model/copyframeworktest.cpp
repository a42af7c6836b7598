#include "model/tolvanemanagedobject.h"
#include "platform/store/managedobjectmodel.h"
#include "platform/store/persistentstore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// No entity of the program supplies the copy hooks, so this model's do: an object's counterpart
// is the one of the same name, and a copy takes the object's attributes.
class Named : public TolvaneManagedObject
{
public:
    std::optional<Predicate> predicateForSimilarObject() const override
    {
        return Predicate::compare(QStringLiteral("name"), Predicate::Operator::Equal,
                                  value(QStringLiteral("name")));
    }
    ManagedObject *copyToContext(ManagedObjectContext &context, const PersistentStore *) override
    {
        auto *copy = static_cast<Named *>(context.insertNewObject(entity().name()));
        copy->copyAttributesFromObject(*this);
        return copy;
    }
};

std::shared_ptr<ManagedObjectModel> makeModel()
{
    auto model = std::make_shared<ManagedObjectModel>();
    const auto add = [&model](const char *name, std::initializer_list<RelationshipDescription> to) {
        EntityDescription entity(QString::fromLatin1(name),
                                 [] { return std::make_unique<Named>(); });
        entity.addAttribute({QStringLiteral("name"), AttributeType::String});
        for (const RelationshipDescription &relationship : to)
            entity.addRelationship(relationship);
        model->addEntity(std::move(entity));
    };
    add("Item", {{"box", "Box", "items", false}, {"labels", "Label", "items", true}});
    add("Box", {{"items", "Item", "box", true}});
    add("Label", {{"items", "Item", "labels", true}});
    return model;
}

class CopyFrameworkTest : public ::testing::Test
{
protected:
    std::unique_ptr<ManagedObjectContext> open(const QString &file)
    {
        auto store = PersistentStore::open(m_dir.filePath(file), m_model, nullptr);
        return store ? std::make_unique<ManagedObjectContext>(store) : nullptr;
    }
    ManagedObject *insert(ManagedObjectContext &context, const char *entity, const char *name)
    {
        ManagedObject *object = context.insertNewObject(QString::fromLatin1(entity));
        object->setValue(QStringLiteral("name"), QString::fromLatin1(name));
        return object;
    }
    static QStringList names(const QList<ManagedObject *> &objects)
    {
        QStringList result;
        for (const ManagedObject *object : objects)
            result.append(object->stringValue(QStringLiteral("name")));
        result.sort();
        return result;
    }

    QTemporaryDir m_dir;
    std::shared_ptr<ManagedObjectModel> m_model = makeModel();
};

TEST_F(CopyFrameworkTest, CopyIntoAnotherStore_FindsOrMakesCounterpartsAndTiesTheInverses)
{
    auto source = open(QStringLiteral("a.sql"));
    auto target = open(QStringLiteral("b.sql"));
    ASSERT_TRUE(source && target);
    ManagedObject *cup = insert(*source, "Item", "cup");
    cup->setToOne(QStringLiteral("box"), insert(*source, "Box", "kitchen"));
    cup->addToMany(QStringLiteral("labels"), insert(*source, "Label", "blue"));
    cup->addToMany(QStringLiteral("labels"), insert(*source, "Label", "old"));
    ManagedObject *kitchen = insert(*target, "Box", "kitchen");
    insert(*target, "Label", "blue");

    auto *copy = static_cast<Named *>(static_cast<Named *>(cup)->copyToContext(*target, nullptr));
    EXPECT_EQ(copy->stringValue(QStringLiteral("name")), QStringLiteral("cup"));
    EXPECT_EQ(static_cast<Named *>(kitchen)->similarObjectInContext(*source, nullptr),
              cup->toOne(QStringLiteral("box")));

    copy->copyToOneRelationshipForKey(QStringLiteral("box"), *cup, true);
    EXPECT_EQ(copy->toOne(QStringLiteral("box")), kitchen);
    EXPECT_EQ(kitchen->toMany(QStringLiteral("items")), QList<ManagedObject *>{copy});

    copy->copyToManyRelationshipForKey(QStringLiteral("labels"), *cup, true);
    EXPECT_EQ(names(copy->toMany(QStringLiteral("labels"))), QStringList({"blue", "old"}));
    StoreError error;
    const auto labels = target->executeFetchRequest({QStringLiteral("Label"), {}}, &error);
    ASSERT_TRUE(labels);
    EXPECT_EQ(labels->size(), 2); // the existing "blue" was used, "old" was made
    for (ManagedObject *label : *labels)
        EXPECT_EQ(label->toMany(QStringLiteral("items")), QList<ManagedObject *>{copy});

    // Without useExisting every member is copied anew.
    ManagedObject *second = insert(*target, "Item", "mug");
    static_cast<Named *>(second)->copyToManyRelationshipForKey(QStringLiteral("labels"), *cup,
                                                               false);
    EXPECT_EQ(target->executeFetchRequest({QStringLiteral("Label"), {}}, nullptr)->size(), 4);
    ASSERT_TRUE(target->save(&error)) << error.description.toStdString();
}

} // namespace
