#include "core/settings/speed_bar_settings.h"

#include "core/settings/settings_store.h"

#include <algorithm>

namespace {

const QString kSpeedBars = QStringLiteral("SpeedBars");

QString barSectionName(int number)
{
    return kSpeedBars + QStringLiteral("\\SpeedBar") + QString::number(number);
}

SpeedBarLayout readBar(const SettingsSection& section, int defaultHeight)
{
    SpeedBarLayout bar;
    bar.name = section.readText(QStringLiteral("Name"));
    bar.tabName = section.readText(QStringLiteral("TabName"), QStringLiteral("ToolBar"));
    bar.top = section.readInteger(QStringLiteral("Top"), 0);
    bar.left = section.readInteger(QStringLiteral("Left"), 0);
    bar.width = section.readInteger(QStringLiteral("Width"), 100);
    bar.height = section.readInteger(QStringLiteral("Height"), defaultHeight);
    const int count = std::min(section.readInteger(QStringLiteral("ButtonCount"), 0), kMaxStoredCount);
    for (int i = 0; i < count; ++i) {
        SpeedBarButtonLayout button;
        button.kind = section.readInteger(QStringLiteral("ButtonKind%1").arg(i), 0) == 0
            ? SpeedBarButtonLayout::Command
            : SpeedBarButtonLayout::Separator;
        button.commandNumber = section.readInteger(QStringLiteral("ButtonImageIndex%1").arg(i), 0);
        bar.buttons.append(button);
    }
    return bar;
}

void writeBar(SettingsSection section, const SpeedBarLayout& bar)
{
    section.writeText(QStringLiteral("Name"), bar.name);
    section.writeText(QStringLiteral("TabName"), bar.tabName);
    section.writeInteger(QStringLiteral("Floating"), bar.floating ? 1 : 0);
    section.writeInteger(QStringLiteral("Top"), bar.top);
    section.writeInteger(QStringLiteral("Left"), bar.left);
    section.writeInteger(QStringLiteral("Width"), bar.width);
    section.writeInteger(QStringLiteral("Height"), bar.height);
    for (qsizetype i = 0; i < bar.buttons.size(); ++i) {
        section.writeInteger(QStringLiteral("ButtonKind%1").arg(i), bar.buttons[i].kind);
        section.writeInteger(QStringLiteral("ButtonImageIndex%1").arg(i), bar.buttons[i].commandNumber);
    }
    section.writeInteger(QStringLiteral("ButtonCount"), int(bar.buttons.size()));
}

} // namespace

QList<SpeedBarLayout> readSpeedBars(const SettingsStore& store, int defaultHeight)
{
    QList<SpeedBarLayout> bars;
    const int count = std::min(store.section(kSpeedBars).readInteger(kSpeedBars, 0), kMaxStoredCount);
    for (int n = 1; n <= count; ++n)
        bars.append(readBar(store.section(barSectionName(n)), defaultHeight));
    return bars;
}

void writeSpeedBars(SettingsStore& store, const QList<SpeedBarLayout>& bars)
{
    store.eraseSection(kSpeedBars);
    for (qsizetype i = 0; i < bars.size(); ++i)
        writeBar(store.section(barSectionName(int(i + 1))), bars[i]);
    store.section(kSpeedBars).writeInteger(kSpeedBars, int(bars.size()));
}
