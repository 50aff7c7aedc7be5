#include "support/test_support.h"
#include "core/component.h"
#include "core/control.h"
#include "core/error.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Component, OwnerKeepsComponentsInCreationOrderAndFreesThem)
{
    auto owner = std::make_unique<TComponent>();
    QPointer<TComponent> first = new TComponent(owner.get());
    QPointer<TComponent> second = new TComponent(owner.get());
    ASSERT_EQ(owner->componentCount(), 2);
    EXPECT_EQ(owner->components().at(0), first.data());
    EXPECT_EQ(owner->components().at(1), second.data());
    EXPECT_EQ(second->componentIndex(), 1);
    delete first.data();
    EXPECT_EQ(owner->componentCount(), 1);
    owner.reset();
    EXPECT_TRUE(second.isNull());
}

TEST(Component, RenamingToInvalidOrTakenNameFailsAndChangesNothing)
{
    TComponent owner;
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->setName(QStringLiteral("Alpha"));
    b->setName(QStringLiteral("Beta"));

    struct Case {
        const char* name;
        const char* message;
    };
    const Case cases[] = {
        {"alpha", "A component named alpha already exists"},
        {"1abc", "Component name \"1abc\" is not a valid identifier"},
        {"with space", "Component name \"with space\" is not a valid identifier"},
        {"dotted.name", "Component name \"dotted.name\" is not a valid identifier"},
    };
    for (const Case& c : cases) {
        try {
            b->setName(QString::fromLatin1(c.name));
            ADD_FAILURE() << "accepted " << c.name;
        } catch (const EVelError& error) {
            EXPECT_EQ(error.message(), QString::fromLatin1(c.message));
        }
        EXPECT_EQ(b->name(), QStringLiteral("Beta"));
    }
    b->setName(QStringLiteral("_Gamma2"));
    EXPECT_EQ(b->name(), QStringLiteral("_Gamma2"));
    EXPECT_EQ(owner.findComponent(u"GAMMA2"), nullptr);
    EXPECT_EQ(owner.findComponent(u"_gamma2"), b);
}

TEST(Component, DefaultAndUniqueNames)
{
    TComponent owner;
    EXPECT_EQ(names::defaultName(&owner, u"TRpLabel"), QStringLiteral("RpLabel1"));
    (new TComponent(&owner))->setName(QStringLiteral("RpLabel1"));
    (new TComponent(&owner))->setName(QStringLiteral("RpLabel3"));
    EXPECT_EQ(names::defaultName(&owner, u"TRpLabel"), QStringLiteral("RpLabel2"));
    EXPECT_EQ(names::uniqueName(&owner, u"DetailBand"), QStringLiteral("DetailBand"));
    (new TComponent(&owner))->setName(QStringLiteral("DetailBand"));
    EXPECT_EQ(names::uniqueName(&owner, u"DetailBand"), QStringLiteral("DetailBand1"));
}

TEST(Control, StackingOrderAndParentDestroysChildren)
{
    TComponent owner;
    auto* parent = new TControl(&owner);
    auto* a = new TControl(&owner);
    auto* b = new TControl(&owner);
    auto* c = new TControl(&owner);
    for (TControl* child : {a, b, c})
        child->setParentControl(parent);
    ASSERT_EQ(parent->controls(), (QList<TControl*>{a, b, c}));
    a->bringToFront();
    EXPECT_EQ(parent->controls(), (QList<TControl*>{b, c, a}));
    c->sendToBack();
    EXPECT_EQ(parent->controls(), (QList<TControl*>{c, b, a}));

    QPointer<TControl> watched = b;
    delete parent;
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(owner.componentCount(), 0);
}
