// Page and font defaults for new reports (section "DefReport"), edited in the report
// setup window's mode for new reports. Lengths are texts in the measuring unit Units.
#pragma once

#include <QString>

class SettingsStore;

struct DefaultReportSettings {
    QString paperSize = QStringLiteral("A4");
    QString orientation = QStringLiteral("Portrait");
    QString units;         // default: the unit name of a new report
    QString width;         // custom paper width and length
    QString length;
    QString top;           // margins; default: a new report's top margin as "##0.00"
    QString left;
    QString bottom;
    QString right;
    int columns = 1;
    QString space;         // between columns
    QString fontName = QStringLiteral("Arial");
    QString fontSize = QStringLiteral("10");
    bool frameTop = false;
    bool frameLeft = false;
    bool frameRight = false;
    bool frameBottom = false;
    int frameColor = 0;    // RGB colour value
    int frameWidth = 1;
    bool firstHeader = true;
    bool lastFooter = true;
    bool operator==(const DefaultReportSettings&) const = default;
};

// A margin as the defaults show it: at least one integer digit and two decimals, with
// the locale's decimal separator.
QString formatMargin(double margin);

// newReportUnits is a new report's unit name ("MM"); newReportMargin its top margin.
DefaultReportSettings readDefaultReportSettings(const SettingsStore& store,
                                                const QString& newReportUnits,
                                                double newReportMargin);
void writeDefaultReportSettings(SettingsStore& store, const DefaultReportSettings& settings);
