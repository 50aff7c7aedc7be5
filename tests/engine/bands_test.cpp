#include "engine/rp_printable.h"
#include "report_fixture.h"

namespace {

TEST_F(MetricReport, BandOrderFollowsTypesControllersAndChildren)
{
    auto* summary = addBand(QStringLiteral("Summary"), TRpBandType::rbSummary);
    auto* detail = addBand(QStringLiteral("Detail"), TRpBandType::rbDetail);
    auto* footer = addBand(QStringLiteral("PageFooter"), TRpBandType::rbPageFooter);
    auto* overlay = addBand(QStringLiteral("Overlay"), TRpBandType::rbOverlay);
    addBand(QStringLiteral("Title"), TRpBandType::rbTitle);
    addBand(QStringLiteral("PageHeader"), TRpBandType::rbPageHeader);
    auto* group = addBand<TRpGroup>(QStringLiteral("Group"));
    auto* groupFooter = addBand(QStringLiteral("GroupFooter"), TRpBandType::rbDetail);
    group->setFooterBand(groupFooter);
    auto* child = addBand<TRpChildBand>(QStringLiteral("DetailChild"));
    child->setParentBand(detail);
    auto* grandchild = addBand<TRpChildBand>(QStringLiteral("DetailGrandchild"));
    grandchild->setParentBand(child);
    auto* sub = addBand<TRpSubDetail>(QStringLiteral("Sub"));
    sub->bands()->setHasHeader(true);
    addBand(QStringLiteral("ColumnHeader"), TRpBandType::rbColumnHeader);

    EXPECT_EQ(group->master(), report); // placed on the report without a master
    EXPECT_EQ(sub->master(), report);
    EXPECT_EQ(groupFooter->bandType(), TRpBandType::rbGroupFooter);
    EXPECT_EQ(bandNames(), (QStringList{QStringLiteral("PageHeader"), QStringLiteral("Title"),
                                        QStringLiteral("ColumnHeader"), QStringLiteral("Group"),
                                        QStringLiteral("Detail"), QStringLiteral("DetailChild"),
                                        QStringLiteral("DetailGrandchild"), QStringLiteral("GroupHeaderBand1"),
                                        QStringLiteral("Sub"), QStringLiteral("GroupFooter"),
                                        QStringLiteral("Summary"), QStringLiteral("PageFooter"),
                                        QStringLiteral("Overlay")}));
    (void)summary;
    (void)footer;
    (void)overlay;

    sub->setPrintBefore(true);
    const QStringList names = bandNames();
    EXPECT_LT(names.indexOf(QStringLiteral("Sub")), names.indexOf(QStringLiteral("Detail")));

    delete detail;
    EXPECT_FALSE(bandNames().contains(QStringLiteral("Detail")));
    EXPECT_EQ(child->parentBand(), nullptr); // the reference cleared itself
}

TEST_F(MetricReport, CircularLinksAreRefused)
{
    FakeDesignHost host(&document);
    auto* detail = addBand(QStringLiteral("Detail"));
    auto* a = addBand<TRpChildBand>(QStringLiteral("A"));
    auto* b = addBand<TRpChildBand>(QStringLiteral("B"));
    a->setParentBand(detail);
    b->setParentBand(a);

    // Off a design surface the change is refused silently.
    a->setParentBand(b);
    EXPECT_EQ(a->parentBand(), detail);

    report->setDesignHost(&host);
    a->setParentBand(b);
    EXPECT_EQ(a->parentBand(), detail);
    a->setParentBand(a);
    EXPECT_EQ(a->parentBand(), detail);

    auto* s1 = addBand<TRpSubDetail>(QStringLiteral("S1"));
    auto* s2 = addBand<TRpSubDetail>(QStringLiteral("S2"));
    s2->setMaster(s1);
    s1->setMaster(s2);
    EXPECT_EQ(s1->master(), report);

    detail->setLinkBand(a);
    a->setLinkBand(b);
    b->setLinkBand(detail);
    EXPECT_EQ(b->linkBand(), nullptr);

    EXPECT_EQ(host.messages, QStringList(4, QStringLiteral("Circular linking not allowed")));
    report->setDesignHost(nullptr);
}

TEST_F(MetricReport, HasChildCreatesAndRemovesChildKeepingTheGrandchild)
{
    auto* detail = addBand(QStringLiteral("Detail"));
    detail->setHasChild(true);
    TRpChildBand* child = detail->childBand();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(detail->hasChild());
    EXPECT_EQ(child->owner(), &document);
    EXPECT_EQ(child->name(), QStringLiteral("ChildBand1"));
    child->setHasChild(true);
    TRpChildBand* grandchild = child->childBand();
    ASSERT_NE(grandchild, nullptr);
    EXPECT_EQ(grandchild->name(), QStringLiteral("ChildBand2"));

    detail->setHasChild(false);
    EXPECT_EQ(grandchild->parentBand(), detail);
    EXPECT_EQ(detail->childBand(), grandchild);
    EXPECT_EQ(bandNames(), (QStringList{QStringLiteral("Detail"), QStringLiteral("ChildBand2")}));
}

TEST_F(MetricReport, BandSlotsCreateOneBandAndDestroyIt)
{
    report->bandSlots()->setHasTitle(true);
    report->bandSlots()->setHasTitle(true);
    ASSERT_EQ(report->bandList().size(), 1);
    EXPECT_EQ(report->bandList().first()->bandType(), TRpBandType::rbTitle);
    EXPECT_TRUE(report->bandSlots()->hasTitle());
    report->bandSlots()->setHasTitle(false);
    EXPECT_TRUE(report->bandList().isEmpty());
    EXPECT_FALSE(report->bandSlots()->hasTitle());
    EXPECT_EQ(document.componentCount(), 1);
}

TEST_F(MetricReport, BandNamesOffTheDesignSurface)
{
    (new TComponent(&document))->setName(QStringLiteral("DetailBand1"));
    report->bandSlots()->setHasDetail(true);
    report->bandSlots()->setHasTitle(true);
    ASSERT_EQ(report->bandList().size(), 2);
    EXPECT_EQ(report->findBand(TRpBandType::rbDetail)->name(), QStringLiteral("DetailBand2"));
    EXPECT_EQ(report->findBand(TRpBandType::rbTitle)->name(), QStringLiteral("TitleBand1"));
}

TEST_F(MetricReport, BandNamesOnTheDesignSurface)
{
    TComponent window;
    FakeDesignHost host(&window);
    report->setDesignHost(&host);
    report->bandSlots()->setHasDetail(true);
    report->bandSlots()->setHasTitle(true);
    auto* detail = report->findBand(TRpBandType::rbDetail);
    EXPECT_EQ(detail->name(), QStringLiteral("DetailBand"));
    EXPECT_EQ(detail->owner(), &window);
    EXPECT_EQ(report->findBand(TRpBandType::rbTitle)->name(), QStringLiteral("TTitleBand"));
    detail->setHasChild(true);
    EXPECT_EQ(detail->childBand()->name(), QStringLiteral("ChildBand"));
    auto* sub = new TRpSubDetail(&window);
    sub->setParentControl(report);
    sub->bands()->setHasFooter(true);
    EXPECT_EQ(sub->footerBand()->name(), QStringLiteral("GroupFooterBand"));
    EXPECT_EQ(sub->footerBand()->bandType(), TRpBandType::rbGroupFooter);
    report->setDesignHost(nullptr);
    delete report; // the bands live on in the window until it goes
}

TEST_F(MetricReport, StackingWidthsWithThreeColumns)
{
    TRpPage* page = report->page();
    page->setColumns(3);
    page->setColumnSpace(5);
    ASSERT_DOUBLE_EQ(page->printableWidthNative(), 1900);
    auto* header = addBand(QStringLiteral("Header"), TRpBandType::rbPageHeader);
    auto* detail = addBand(QStringLiteral("Detail"));
    auto* child = addBand<TRpChildBand>(QStringLiteral("HeaderChild"));
    child->setParentBand(header);
    auto* summary = addBand(QStringLiteral("Summary"), TRpBandType::rbSummary);

    EXPECT_DOUBLE_EQ(detail->size()->width(), 60);
    EXPECT_DOUBLE_EQ(header->size()->width(), 190);
    EXPECT_DOUBLE_EQ(child->size()->width(), 190); // a child is laid out as its parent's type
    EXPECT_DOUBLE_EQ(summary->size()->width(), 190);
    EXPECT_EQ(detail->width(), report->pixels(600));

    // Bands stand one below the other from the top margin, at the left margin.
    const QList<TRpCustomBand*>& bands = report->bandList();
    int top = report->pixels(100);
    for (TRpCustomBand* band : bands) {
        EXPECT_EQ(band->left(), report->pixels(100)) << band->name().toStdString();
        EXPECT_EQ(band->top(), top) << band->name().toStdString();
        top += band->height();
    }
    header->setHeight(80);
    EXPECT_EQ(child->top(), header->top() + 80);
}

TEST_F(MetricReport, AfterLoadingLoadedBoundsFillWhatTheSizeLeftOpen)
{
    auto* band = new TRpBand(&document);
    band->setLoading(true);
    band->setParentControl(report);
    band->setBounds(0, 0, 300, 75);
    band->setLoading(false);
    band->loaded();
    EXPECT_EQ(band->height(), 75);

    auto* label = new TRpLabel(&document);
    label->setLoading(true);
    label->size()->setNativeValue(TRpPrintableSize::WidthValue, 0);
    label->size()->setNativeValue(TRpPrintableSize::LeftValue, 254);
    label->setParentControl(band);
    label->setBounds(20, 30, 50, 0);
    label->setLoading(false);
    label->loaded();
    EXPECT_EQ(label->left(), 96);  // kept from the stored size
    EXPECT_EQ(label->top(), 30);   // taken from the loaded bounds
    EXPECT_EQ(label->width(), 50);
    EXPECT_EQ(label->height(), 10);
}

} // namespace
