#include "core/global_names.h"
#include "core/property_access.h"
#include "test_fixtures.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char* path;
    const char* text;     // written through setText
    const char* expected; // read back through getText
};

class PropertyText : public ::testing::TestWithParam<TextCase> {};

TEST_P(PropertyText, RoundTripsThroughTheSharedConversion)
{
    TComponent owner;
    auto* widget = new TTestWidget(&owner);
    const TextCase& c = GetParam();
    QString error;
    ASSERT_TRUE(props::setText(widget, QString::fromLatin1(c.path), QString::fromLatin1(c.text), &error))
        << c.path << ": " << error.toStdString();
    EXPECT_EQ(props::getText(widget, QString::fromLatin1(c.path)), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PropertyText,
    ::testing::Values(TextCase{"Left", "12", "12"}, TextCase{"Visible", "false", "False"},
                      TextCase{"Alignment", "tacenter", "taCenter"}, TextCase{"Color", "clRed", "clRed"},
                      TextCase{"Color", "255", "clRed"}, TextCase{"Color", "$00FFFFFF", "clWhite"},
                      TextCase{"Color", "1193046", "1193046"}, TextCase{"Color", "clBtnFace", "clBtnFace"},
                      TextCase{"Font.Style", "[fsBold, fsUnderline]", "[fsBold, fsUnderline]"},
                      TextCase{"font.style", "[]", "[]"}, TextCase{"Font.Name", "Liberation Sans", "Liberation Sans"},
                      TextCase{"Font.Charset", "ANSI_CHARSET", "ANSI_CHARSET"},
                      TextCase{"Pen.Style", "psDashDot", "psDashDot"}, TextCase{"Ratio", "2.5", "2.5"},
                      TextCase{"Cursor", "crHandPoint", "crHandPoint"}, TextCase{"Cursor", "-3", "crCross"},
                      TextCase{"Caption", "It's", "It's"}, TextCase{"OnClick", "Widget1Click", "Widget1Click"},
                      TextCase{"Lines", "one\r\ntwo", "one\r\ntwo\r\n"}));

TEST(PropertyAccess, BadTextIsRefusedAndLeavesTheValue)
{
    TComponent owner;
    auto* widget = new TTestWidget(&owner);
    widget->setAlignment(TAlignment::taRightJustify);
    const char* const bad[][2] = {{"Alignment", "taMiddle"}, {"Visible", "yes"}, {"Left", "12px"},
                                  {"Font.Style", "[fsHeavy]"}, {"Color", "clPink"}, {"Ratio", "nan"}};
    for (const auto& entry : bad) {
        QString error;
        EXPECT_FALSE(props::setText(widget, QString::fromLatin1(entry[0]), QString::fromLatin1(entry[1]), &error))
            << entry[0];
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(widget->alignment(), TAlignment::taRightJustify);
    EXPECT_TRUE(widget->visible());
    QString error;
    EXPECT_FALSE(props::setText(widget, u"Font.Nothing", u"1", &error));
    EXPECT_EQ(error, QStringLiteral("Property TTestWidget.Font.Nothing does not exist"));
}

TEST(PropertyAccess, TypedAccessByPath)
{
    TComponent owner;
    auto* widget = new TTestWidget(&owner);
    EXPECT_TRUE(props::set(widget, u"Font.Height", -16));
    EXPECT_EQ(widget->font()->height(), -16);
    EXPECT_EQ(props::get(widget, u"FONT.HEIGHT").toInt(), -16);
    EXPECT_TRUE(props::set(widget, u"Alignment", int(TAlignment::taCenter)));
    EXPECT_EQ(widget->alignment(), TAlignment::taCenter);
    EXPECT_EQ(props::enumValue(props::get(widget, u"Alignment")), int(TAlignment::taCenter));
    EXPECT_FALSE(props::get(widget, u"Missing").isValid());
}

TEST(PropertyAccess, ReferenceResolvesByNameAndClearsWhenTargetIsDestroyed)
{
    TComponent document;
    document.setName(QStringLiteral("Doc"));
    auto* widget = new TTestWidget(&document);
    auto* target = new TComponent(&document);
    target->setName(QStringLiteral("Target"));
    ASSERT_TRUE(props::setText(widget, u"Buddy", u"target"));
    EXPECT_EQ(widget->buddy(), target);
    EXPECT_EQ(props::getText(widget, u"Buddy"), QStringLiteral("Target"));
    delete target;
    EXPECT_EQ(widget->buddy(), nullptr);
    EXPECT_FALSE(props::setText(widget, u"Buddy", u"Nobody"));
}

TEST(PropertyAccess, ReferenceToAnotherRootGoesThroughGlobalNames)
{
    TComponent dataModule;
    dataModule.setName(QStringLiteral("DM"));
    globalnames::add(&dataModule, globalnames::Scope::Application);
    auto* customers = new TComponent(&dataModule);
    customers->setName(QStringLiteral("Customers"));
    TComponent document;
    auto* widget = new TTestWidget(&document);
    ASSERT_TRUE(props::setText(widget, u"Buddy", u"dm.customers"));
    EXPECT_EQ(widget->buddy(), customers);
    EXPECT_EQ(props::getText(widget, u"Buddy"), QStringLiteral("DM.Customers"));
    globalnames::remove(&dataModule);
    EXPECT_EQ(globalnames::findComponent(u"DM.Customers"), nullptr);
}

TEST(PropertyAccess, StoredRules)
{
    TComponent owner;
    auto* widget = new TTestWidget(&owner);
    auto stored = [&](const char* name) {
        const auto property = props::find(widget->metaObject(), QString::fromLatin1(name));
        EXPECT_TRUE(property.has_value()) << name;
        return property && props::shouldStore(widget, *property);
    };
    // Ordinals without a default are always written; declared defaults only when different.
    EXPECT_TRUE(stored("Left"));
    EXPECT_FALSE(stored("Visible"));
    EXPECT_FALSE(stored("Alignment"));
    EXPECT_FALSE(stored("Tag"));
    EXPECT_FALSE(stored("Caption"));
    EXPECT_FALSE(stored("Ratio"));
    EXPECT_FALSE(stored("Buddy"));
    EXPECT_FALSE(stored("OnClick"));
    EXPECT_FALSE(stored("Lines"));
    EXPECT_FALSE(stored("Secret"));
    EXPECT_FALSE(stored("Name"));
    widget->setVisible(false);
    widget->setAlignment(TAlignment::taCenter);
    widget->setTag(3);
    widget->setCaption(QStringLiteral("x"));
    widget->setRatio(0.5);
    widget->setBuddy(&owner);
    widget->setOnClick({QStringLiteral("Click")});
    widget->lines()->append(QStringLiteral("line"));
    widget->setSecret(7);
    for (const char* name : {"Visible", "Alignment", "Tag", "Caption", "Ratio", "Buddy", "OnClick", "Lines"})
        EXPECT_TRUE(stored(name)) << name;
    EXPECT_FALSE(stored("Secret"));
    // A font is stored only once it is no longer the parent's.
    EXPECT_FALSE(stored("Font"));
}

TEST(PropertyAccess, FontFollowsParentUntilChanged)
{
    TComponent owner;
    auto* parent = new TTestWidget(&owner);
    auto* child = new TTestWidget(&owner);
    parent->font()->setName(QStringLiteral("Arial"));
    child->setParentControl(parent);
    EXPECT_EQ(child->font()->name(), QStringLiteral("Arial"));
    parent->font()->setSize(14);
    EXPECT_EQ(child->font()->size(), 14);
    EXPECT_TRUE(child->parentFont());
    child->font()->setStyle(TFontStyle::fsBold);
    EXPECT_FALSE(child->parentFont());
    parent->font()->setSize(20);
    EXPECT_EQ(child->font()->size(), 14);
}

TEST(Colors, IdentifiersAndValues)
{
    struct Case {
        const char* name;
        qint32 value;
        QRgb drawn;
    };
    const Case cases[] = {{"clBlack", 0x000000, 0xff000000}, {"clMaroon", 0x000080, 0xff800000},
                          {"clRed", 0x0000FF, 0xffff0000},   {"clBlue", 0xFF0000, 0xff0000ff},
                          {"clWhite", 0xFFFFFF, 0xffffffff}, {"clTeal", 0x808000, 0xff008080},
                          {"clBtnFace", qint32(0x8000000F), 0xfff0f0f0}, {"clWindow", qint32(0x80000005), 0xffffffff}};
    for (const Case& c : cases) {
        const auto color = TColor::fromIdentifier(QString::fromLatin1(c.name));
        ASSERT_TRUE(color.has_value()) << c.name;
        EXPECT_EQ(color->value(), c.value) << c.name;
        EXPECT_EQ(color->toText(), QString::fromLatin1(c.name));
        EXPECT_EQ(color->toQColor().rgba(), c.drawn) << c.name;
    }
    EXPECT_EQ(TColor::fromQColor(QColor(0x12, 0x34, 0x56)).value(), 0x563412);
    EXPECT_FALSE(TColor::fromText(u"clNoSuchColour").has_value());
}

} // namespace

TEST(PropertyAccess, AssignCopiesValuesAndSubObjectsButNotTheName)
{
    TComponent owner;
    auto* source = new TTestWidget(&owner);
    auto* copy = new TTestWidget(&owner);
    source->setName(QStringLiteral("Source"));
    source->setCaption(QStringLiteral("text"));
    source->lines()->setLines({QStringLiteral("a"), QStringLiteral("b")});
    source->pen()->setWidth(4);
    source->font()->setStyle(TFontStyle::fsItalic);
    copy->assign(*source);
    EXPECT_EQ(copy->caption(), QStringLiteral("text"));
    EXPECT_EQ(copy->lines()->lines(), source->lines()->lines());
    EXPECT_EQ(copy->pen()->width(), 4);
    EXPECT_EQ(copy->font()->style(), TFontStyles(TFontStyle::fsItalic));
    EXPECT_TRUE(copy->name().isEmpty());
}
