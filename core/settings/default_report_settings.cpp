#include "core/settings/default_report_settings.h"

#include "core/settings/settings_store.h"

#include <QLocale>

namespace {

const QString kDefReport = QStringLiteral("DefReport");

struct FrameSide {
    const char* name;
    bool DefaultReportSettings::*member;
};

constexpr FrameSide kFrameSides[] = {
    {"FrameTop", &DefaultReportSettings::frameTop},
    {"FrameLeft", &DefaultReportSettings::frameLeft},
    {"FrameRight", &DefaultReportSettings::frameRight},
    {"FrameBottom", &DefaultReportSettings::frameBottom},
};

} // namespace

QString formatMargin(double margin)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(margin, 'f', 2);
}

DefaultReportSettings readDefaultReportSettings(const SettingsStore& store,
                                                const QString& newReportUnits,
                                                double newReportMargin)
{
    const SettingsSection section = store.section(kDefReport);
    const QString margin = formatMargin(newReportMargin);
    DefaultReportSettings s;
    s.paperSize = section.readText(QStringLiteral("PaperSize"), QStringLiteral("A4"));
    s.orientation = section.readText(QStringLiteral("Orientation"), QStringLiteral("Portrait"));
    s.units = section.readText(QStringLiteral("Units"), newReportUnits);
    s.width = section.readText(QStringLiteral("Width"));
    s.length = section.readText(QStringLiteral("Length"));
    s.top = section.readText(QStringLiteral("Top"), margin);
    s.left = section.readText(QStringLiteral("Left"), margin);
    s.bottom = section.readText(QStringLiteral("Bottom"), margin);
    s.right = section.readText(QStringLiteral("Right"), margin);
    s.columns = section.readInteger(QStringLiteral("Columns"), 1);
    s.space = section.readText(QStringLiteral("Space"));
    s.fontName = section.readText(QStringLiteral("FontName"), QStringLiteral("Arial"));
    s.fontSize = section.readText(QStringLiteral("FontSize"), QStringLiteral("10"));
    for (const FrameSide& side : kFrameSides)
        s.*side.member = section.readBoolInt(QLatin1String(side.name), false);
    s.frameColor = section.readInteger(QStringLiteral("FrameColor"), 0);
    s.frameWidth = section.readInteger(QStringLiteral("FrameWidth"), 1);
    s.firstHeader = section.readBoolInt(QStringLiteral("FirstHeader"), true);
    s.lastFooter = section.readBoolInt(QStringLiteral("LastFooter"), true);
    return s;
}

void writeDefaultReportSettings(SettingsStore& store, const DefaultReportSettings& s)
{
    SettingsSection section = store.section(kDefReport);
    section.writeText(QStringLiteral("PaperSize"), s.paperSize);
    section.writeText(QStringLiteral("Orientation"), s.orientation);
    section.writeText(QStringLiteral("Units"), s.units);
    section.writeText(QStringLiteral("Width"), s.width);
    section.writeText(QStringLiteral("Length"), s.length);
    section.writeText(QStringLiteral("Top"), s.top);
    section.writeText(QStringLiteral("Left"), s.left);
    section.writeText(QStringLiteral("Bottom"), s.bottom);
    section.writeText(QStringLiteral("Right"), s.right);
    section.writeInteger(QStringLiteral("Columns"), s.columns);
    section.writeText(QStringLiteral("Space"), s.space);
    section.writeText(QStringLiteral("FontName"), s.fontName);
    section.writeText(QStringLiteral("FontSize"), s.fontSize);
    for (const FrameSide& side : kFrameSides)
        section.writeBoolInt(QLatin1String(side.name), s.*side.member);
    section.writeInteger(QStringLiteral("FrameColor"), s.frameColor);
    section.writeInteger(QStringLiteral("FrameWidth"), s.frameWidth);
    section.writeBoolInt(QStringLiteral("FirstHeader"), s.firstHeader);
    section.writeBoolInt(QStringLiteral("LastFooter"), s.lastFooter);
}
