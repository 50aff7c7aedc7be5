// Replays the band layouts kept beside the generation fuzz target: layouts that once
// crashed, recursed without bound or started pages without end, and starting layouts. Each
// input's expected outcome is listed in the folder's outcome file.
#include "fuzz/generation/band_layout_builder.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <gtest/gtest.h>

namespace {

const QString kInputs = QStringLiteral(VELMOR_SOURCE_DIR "/fuzz/generation/band-layout-corpus");
const QString kOutcomes = QStringLiteral(VELMOR_SOURCE_DIR "/fuzz/generation/band-layout-outcomes.txt");

// "input name<TAB>outcome" per line.
QHash<QString, QString> expectedOutcomes()
{
    QHash<QString, QString> outcomes;
    QFile file(kOutcomes);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return outcomes;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab > 0)
            outcomes.insert(line.left(tab), line.mid(tab + 1));
    }
    return outcomes;
}

TEST(BandLayoutReplay, EveryKeptLayoutEndsAsListed)
{
    const QHash<QString, QString> outcomes = expectedOutcomes();
    const QStringList inputs = QDir(kInputs).entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(inputs.isEmpty()) << "no inputs in " << kInputs.toStdString();
    for (const QString& name : inputs) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(outcomes.contains(name)) << "no outcome listed for the input";
        QFile file(QDir(kInputs).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const bandlayout::Outcome outcome = bandlayout::run(file.readAll());
        EXPECT_EQ(bandlayout::describe(outcome), outcomes.value(name));
    }
    for (auto it = outcomes.cbegin(); it != outcomes.cend(); ++it)
        EXPECT_TRUE(inputs.contains(it.key())) << "listed input missing: " << it.key().toStdString();
}

} // namespace
