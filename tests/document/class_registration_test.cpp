#include "document_fixture.h"

#include "core/font.h"
#include "core/settings/file_locations.h"
#include "core/settings/preferences.h"
#include "core/strings/language.h"
#include "document/new_document.h"
#include "engine/rp_report.h"
#include "support/test_support.h"

namespace {

class ClassRegistration : public DocumentTest {};

TEST_F(ClassRegistration, PagesAndStoredOnlyClassesInTheirOrder)
{
    TClassRegistry& registry = TClassRegistry::instance();
    ASSERT_GE(registry.pageCount(), 2);
    QStringList bands;
    for (int i = 0; i < registry.entryCount(0); ++i)
        bands.append(registry.className(0, i));
    EXPECT_EQ(bands, (QStringList{"TRpSubDetail", "TRpBand", "TRpChildBand", "TRpGroup", "TRpStringsBand", "TRpLoopBand"}));
    EXPECT_EQ(registry.className(1, 0), QStringLiteral("TRpExprMemo"));
    EXPECT_EQ(registry.className(1, 10), QStringLiteral("TRpDBImage"));
    EXPECT_EQ(registry.pageName(99), QStringLiteral("?????"));
    for (const char* stored : {"TReport", "TRpName", "TDataSource", "TVelDataModuleLink", "TVelDataModule", "TVelMemo",
                               "TScrollBox"})
        EXPECT_TRUE(registry.isRegistered(QString::fromLatin1(stored))) << stored;
    EXPECT_FALSE(registry.describe(u"TReport").found);
    EXPECT_EQ(registry.describe(u"TRpLabel").caption, QStringLiteral("Text label"));
}

// A language file translating the palette captions of labels (33494) and expressions
// (33495); every line before them is left empty, which keeps the built-in text.
TEST_F(ClassRegistration, PaletteCaptionsFollowALanguageChange)
{
    QByteArray lines;
    for (int id = 33000; id < 33494; ++id)
        lines += '\n';
    lines += "Etiquette\nExpression calcul\xE9" "e\n";
    ASSERT_TRUE(testsupport::writeFile(path(QStringLiteral("Layout.FRA")), lines));
    programfiles::setProgramDirectory(folder.path());
    setLanguageFileSource(QStringLiteral("Layout"), 33000);

    LoadLanguage(QStringLiteral("FRA"), 33000);
    const QString label = TClassRegistry::instance().describe(u"TRpLabel").caption;
    const QString expression = TClassRegistry::instance().describe(u"TRpExpr").caption;

    resetLanguageSelection();
    programfiles::setProgramDirectory({});
    classregistration::applyPaletteCaptions();
    EXPECT_EQ(label, QStringLiteral("Etiquette"));
    EXPECT_EQ(expression, QString::fromUtf8("Expression calculée"));
    EXPECT_EQ(TClassRegistry::instance().describe(u"TRpLabel").caption, QStringLiteral("Text label"));
}

// File, New: the new report's font takes the default character set of the preferences.
TEST_F(ClassRegistration, NewReportFontTakesTheDefaultCharacterSet)
{
    const QString previous = preferences().defaultCharSet;
    struct Case {
        const char* identifier;
        int charset;
    };
    const int untouched = TfrmVelDesign().report()->font()->charset();
    for (const Case& c : {Case{"GREEK_CHARSET", 161}, Case{"ANSI_CHARSET", 0}, Case{"NO_SUCH_CHARSET", untouched}}) {
        preferences().defaultCharSet = QLatin1String(c.identifier);
        const std::unique_ptr<TfrmVelDesign> document = newdocument::createReportDocument();
        EXPECT_EQ(document->report()->font()->charset(), c.charset) << c.identifier;
        EXPECT_TRUE(document->isDesigning()) << c.identifier;
        EXPECT_FALSE(document->isModified()) << c.identifier;
    }
    preferences().defaultCharSet = previous;
    EXPECT_NE(untouched, 161);
}

} // namespace
