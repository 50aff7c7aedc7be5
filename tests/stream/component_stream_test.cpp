#include "sample_classes.h"

#include "core/global_names.h"
#include "core/stream/binary_stream.h"
#include "core/stream/component_stream.h"
#include "core/stream/form_conversion.h"
#include "core/stream/stream_error.h"
#include "core/stream/text_stream.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ComponentStream : public testing::Test {
protected:
    void SetUp() override { registerSampleClasses(); }

    TSamplePanel* addPanel(const QString& name, TControl* parent)
    {
        auto* panel = new TSamplePanel(root.get());
        panel->setName(name);
        panel->setParentControl(parent);
        return panel;
    }

    const TStreamValue* find(const TStreamObject& record, const char* path)
    {
        for (const auto& [name, value] : record.properties) {
            if (name == QLatin1String(path))
                return &value;
        }
        return nullptr;
    }

    std::unique_ptr<TSampleRoot> root = std::make_unique<TSampleRoot>();
};

TEST_F(ComponentStream, WritesOnlyValuesThatDifferFromTheirDefaultsAndNeverNotStoredOnes)
{
    root->setName(QStringLiteral("Doc"));
    TSamplePanel* panel = addPanel(QStringLiteral("Panel1"), root.get());
    panel->setSecret(5);
    const TStreamObject record = componentstream::rootRecord(root.get());
    ASSERT_EQ(record.children.size(), 1u);
    const TStreamObject& written = record.children[0];
    EXPECT_EQ(written.className, QStringLiteral("TSamplePanel"));
    EXPECT_EQ(written.name, QStringLiteral("Panel1"));
    QStringList paths;
    for (const auto& property : written.properties)
        paths.append(property.first);
    // Bounds (no declared default) are always written; everything else equals its default.
    EXPECT_TRUE(paths.contains(QStringLiteral("Left")));
    for (const char* absent : {"Secret", "Active", "Shade", "Color", "Cursor", "Enabled", "Visible", "Border.Width",
                               "Name", "Caption", "Lines.Strings", "Buddy", "OnClick", "Data", "Extra"})
        EXPECT_FALSE(paths.contains(QLatin1String(absent))) << absent;
}

TEST_F(ComponentStream, WritesEveryValueKindInItsStreamForm)
{
    TSamplePanel* panel = addPanel(QStringLiteral("Panel1"), root.get());
    TSamplePanel* other = addPanel(QStringLiteral("Panel2"), root.get());
    panel->setBig(qint64(1) << 40);
    panel->setRatio(0.25);
    panel->setCaption(QStringLiteral("Hi"));
    panel->setActive(false);
    panel->setShade(Sample::TShade::shDark);
    panel->setParts(Sample::TPart::ptTop | Sample::TPart::ptBottom);
    panel->setColor(clRed);
    panel->border()->setWidth(3);
    panel->lines()->setLines({QStringLiteral("a"), QStringLiteral("b")});
    panel->setBuddy(other);
    panel->setOnClick(TMethod{QStringLiteral("Panel1Click")});
    panel->setData(QByteArray("\x01\x02", 2));
    panel->setCursor(-21); // crHandPoint
    panel->extra = 9;
    other->setColor(TColor(0x123456));

    const TStreamObject record = componentstream::rootRecord(root.get());
    const TStreamObject& written = record.children[0];
    EXPECT_EQ(*find(written, "Big"), TStreamValue::integer(qint64(1) << 40));
    EXPECT_EQ(find(written, "Ratio")->type(), TStreamValue::Type::Extended);
    EXPECT_EQ(find(written, "Ratio")->toFloat(), 0.25L);
    EXPECT_EQ(*find(written, "Caption"), TStreamValue::string(QStringLiteral("Hi")));
    EXPECT_EQ(*find(written, "Active"), TStreamValue::boolean(false));
    EXPECT_EQ(*find(written, "Shade"), TStreamValue::identifier(QStringLiteral("shDark")));
    EXPECT_EQ(*find(written, "Parts"), TStreamValue::set({QStringLiteral("ptTop"), QStringLiteral("ptBottom")}));
    EXPECT_EQ(*find(written, "Color"), TStreamValue::identifier(QStringLiteral("clRed")));
    EXPECT_EQ(*find(written, "Border.Width"), TStreamValue::integer(3));
    EXPECT_EQ(*find(written, "Lines.Strings"),
              TStreamValue::list({TStreamValue::string(QStringLiteral("a")), TStreamValue::string(QStringLiteral("b"))}));
    EXPECT_EQ(*find(written, "Buddy"), TStreamValue::identifier(QStringLiteral("Panel2")));
    EXPECT_EQ(*find(written, "OnClick"), TStreamValue::identifier(QStringLiteral("Panel1Click")));
    EXPECT_EQ(*find(written, "Data"), TStreamValue::binary(QByteArray("\x01\x02", 2)));
    EXPECT_EQ(*find(written, "Cursor"), TStreamValue::identifier(QStringLiteral("crHandPoint")));
    EXPECT_EQ(*find(written, "Extra"), TStreamValue::integer(9));
    EXPECT_EQ(*find(record.children[1], "Color"), TStreamValue::integer(0x123456));
}

TEST_F(ComponentStream, ChildrenInStackingOrderThenOwnedComponentsWithoutParent)
{
    TSamplePanel* back = addPanel(QStringLiteral("Back"), root.get());
    auto* item = new TSampleItem(root.get());
    item->setName(QStringLiteral("Item1"));
    TSamplePanel* front = addPanel(QStringLiteral("Front"), root.get());
    TSamplePanel* inner = addPanel(QStringLiteral("Inner"), front);
    addPanel(QStringLiteral("Loose"), nullptr);
    back->bringToFront();
    // A control owned elsewhere (a name tag owned by its band) is not stored.
    auto* foreign = new TSamplePanel(front);
    foreign->setParentControl(front);
    Q_UNUSED(inner);

    const TStreamObject record = componentstream::rootRecord(root.get());
    QStringList order;
    for (const TStreamObject& child : record.children)
        order.append(child.name);
    EXPECT_EQ(order, (QStringList{QStringLiteral("Front"), QStringLiteral("Back"), QStringLiteral("Item1"),
                                  QStringLiteral("Loose")}));
    ASSERT_EQ(record.children[0].children.size(), 1u);
    EXPECT_EQ(record.children[0].children[0].name, QStringLiteral("Inner"));
}

TEST_F(ComponentStream, RoundTripThroughBinaryAndTextKeepsEveryValue)
{
    root->setName(QStringLiteral("Doc"));
    TSamplePanel* panel = addPanel(QStringLiteral("Panel1"), root.get());
    TSamplePanel* nested = addPanel(QStringLiteral("Nested"), panel);
    panel->setBounds(1, 2, 300, 40);
    panel->setBig(-(qint64(1) << 35));
    panel->setRatio(264.58333333333337);
    panel->setCaption(QString(70, u'x') + QStringLiteral("'\r\n") + QChar(0x4e2d));
    panel->setShade(Sample::TShade::shMedium);
    panel->setParts(Sample::TPart::ptMiddle);
    panel->setColor(TColor(0x00ABCDEF));
    panel->font()->setName(QStringLiteral("Arial"));
    panel->font()->setStyle(TFontStyle::fsBold);
    panel->border()->setVisible(true);
    panel->lines()->setLines({QStringLiteral("one"), QString(), QStringLiteral("three")});
    panel->setBuddy(nested);
    panel->setOnClick(TMethod{QStringLiteral("Clicked")});
    panel->setData(QByteArray(70, '\x07'));
    panel->extra = 300;
    nested->setLink(root.get());

    const QByteArray binary = componentstream::writeRoot(root.get());
    const QByteArray viaText = formconversion::textToBinary(formconversion::binaryToText(binary));
    ASSERT_EQ(viaText.toHex(), binary.toHex());

    for (const QByteArray& stream : {binary, viaText}) {
        TSampleRoot copy;
        componentstream::readRoot(stream, &copy);
        EXPECT_EQ(copy.name(), QStringLiteral("Doc"));
        auto* read = qobject_cast<TSamplePanel*>(copy.findComponent(u"Panel1"));
        ASSERT_TRUE(read);
        auto* readNested = qobject_cast<TSamplePanel*>(copy.findComponent(u"Nested"));
        ASSERT_TRUE(readNested);
        EXPECT_EQ(read->parentControl(), &copy);
        EXPECT_EQ(readNested->parentControl(), read);
        EXPECT_EQ(read->bounds(), QRect(1, 2, 300, 40));
        EXPECT_EQ(read->big(), panel->big());
        EXPECT_EQ(read->ratio(), panel->ratio());
        EXPECT_EQ(read->caption(), panel->caption());
        EXPECT_EQ(read->shade(), Sample::TShade::shMedium);
        EXPECT_EQ(read->parts(), Sample::TParts(Sample::TPart::ptMiddle));
        EXPECT_EQ(read->color(), TColor(0x00ABCDEF));
        EXPECT_EQ(read->font()->name(), QStringLiteral("Arial"));
        EXPECT_EQ(read->font()->style(), TFontStyles(TFontStyle::fsBold));
        EXPECT_TRUE(read->border()->visible());
        EXPECT_EQ(read->lines()->lines(), panel->lines()->lines());
        EXPECT_EQ(read->buddy(), readNested);
        EXPECT_EQ(read->onClick().name, QStringLiteral("Clicked"));
        EXPECT_EQ(read->data(), panel->data());
        EXPECT_EQ(read->extra, 300);
        EXPECT_EQ(readNested->link(), &copy);
        EXPECT_EQ(read->loadedCalls, 1);
        EXPECT_TRUE(read->referenceSeenInLoaded) << "references are resolved before loaded()";
        EXPECT_FALSE(read->isLoading());
        EXPECT_EQ(componentstream::writeRoot(&copy).toHex(), binary.toHex());
    }
}

// Properties the reader cannot apply are skipped, and reading goes on with the next one.
TEST_F(ComponentStream, UnreadablePropertiesAreSkippedSilently)
{
    const QByteArray text = "object Doc: TSampleRoot\n"
                            "  object Panel1: TSamplePanel\n"
                            "    FutureProperty = 'from a later version'\n"
                            "    Caption = 12\n"            // wrong kind
                            "    Shade = shUnknown\n"       // no such enumeration value
                            "    Parts = [ptTop, ptNone]\n" // no such set element
                            "    Buddy = Nobody\n"          // unresolvable reference
                            "    Limited = 1000\n"          // the setter refuses it
                            "    Border.Missing = 1\n"
                            "    Lines.Strings = (1 2)\n"
                            "    Color = clNoSuchColour\n"
                            "    Ratio = 'text'\n"
                            "    Active = False\n"
                            "    Limited = 7\n"
                            "  end\n"
                            "end\n";
    componentstream::readRoot(formconversion::textToBinary(text), root.get());
    auto* panel = qobject_cast<TSamplePanel*>(root->findComponent(u"Panel1"));
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->caption().isEmpty());
    EXPECT_EQ(panel->shade(), Sample::TShade::shLight);
    EXPECT_EQ(panel->parts(), Sample::TParts());
    EXPECT_EQ(panel->buddy(), nullptr);
    EXPECT_EQ(panel->lines()->count(), 0);
    EXPECT_EQ(panel->color(), clWhite);
    EXPECT_EQ(panel->ratio(), 0.0);
    EXPECT_FALSE(panel->active());
    EXPECT_EQ(panel->limited(), 7);
}

TEST_F(ComponentStream, AnUnregisteredClassStopsTheReadBeforeAnythingIsCreated)
{
    const QByteArray text = "object Doc: TSampleRoot\n"
                            "  Tag = 5\n"
                            "  object Panel1: TSamplePanel\n"
                            "  end\n"
                            "  object Odd1: TNoSuchClass\n"
                            "  end\n"
                            "end\n";
    try {
        componentstream::readRoot(formconversion::textToBinary(text), root.get());
        FAIL() << "no error";
    } catch (const EStreamError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Class TNoSuchClass not found"));
    }
    EXPECT_EQ(root->componentCount(), 0);
    EXPECT_EQ(root->tag(), 0);
}

TEST_F(ComponentStream, ANameTakenInTheOwnerIsReplacedByTheClassNameRule)
{
    addPanel(QStringLiteral("Panel1"), root.get());
    new TSampleItem(root.get()); // unnamed components do not take names
    const QByteArray text = "object TSamplePanel\n"
                            "  Caption = 'pasted'\n"
                            "end\n";
    TStreamObject record = textstream::read(text);
    record.name = QStringLiteral("PANEL1");
    TComponent* pasted = componentstream::readComponent(record, root.get(), root.get());
    EXPECT_EQ(pasted->name(), QStringLiteral("SamplePanel1"));
    TComponent* again = componentstream::readComponent(record, root.get(), root.get());
    EXPECT_EQ(again->name(), QStringLiteral("SamplePanel2"));
    EXPECT_EQ(qobject_cast<TSamplePanel*>(again)->caption(), QStringLiteral("pasted"));
    EXPECT_EQ(qobject_cast<TControl*>(again)->parentControl(), root.get());
}

TEST_F(ComponentStream, ReferencesToOtherRootsResolveThroughTheGlobalNames)
{
    TSampleRoot module;
    module.setName(QStringLiteral("DM"));
    auto* customers = new TSampleItem(&module);
    customers->setName(QStringLiteral("Customers"));
    globalnames::add(&module, globalnames::Scope::Application);

    TSamplePanel* panel = addPanel(QStringLiteral("Panel1"), root.get());
    panel->setLink(customers);
    const TStreamObject record = componentstream::rootRecord(root.get());
    EXPECT_EQ(*find(record.children[0], "Link"), TStreamValue::identifier(QStringLiteral("DM.Customers")));

    TSampleRoot copy;
    componentstream::readRoot(binarystream::write(record), &copy);
    auto* read = qobject_cast<TSamplePanel*>(copy.findComponent(u"Panel1"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->link(), customers);
    globalnames::remove(&module);
}

} // namespace
