#include "core/settings/window_settings.h"

#include "core/settings/settings_store.h"

const QString kMemoEditorSection = QStringLiteral("MEMO");
const QString kScriptEditorSection = QStringLiteral("Script");

namespace {

const QString kDatabaseManager = QStringLiteral("DB");
const QString kReportManager = QStringLiteral("RepManag");

int pulledBackLeft(int left, int width, QSize screen)
{
    return left > screen.width() - 20 ? screen.width() - width : left;
}

int pulledBackTop(int top, QSize screen, int mainWindowHeight)
{
    return top > screen.height() - 20 ? mainWindowHeight : top;
}

} // namespace

QRect readCentredGeometry(const SettingsStore& store, const QString& sectionName, QSize defaultSize,
                          QSize screen, int mainWindowHeight)
{
    const SettingsSection section = store.section(sectionName);
    const int width = section.readInteger(QStringLiteral("Width"), defaultSize.width());
    const int height = section.readInteger(QStringLiteral("Height"), defaultSize.height());
    int left = section.readInteger(QStringLiteral("Left"), (screen.width() - width) / 2);
    int top = section.readInteger(QStringLiteral("Top"), (screen.height() - height) / 2);
    left = pulledBackLeft(left, width, screen);
    top = pulledBackTop(top, screen, mainWindowHeight);
    return QRect(left, top, width, height);
}

void writeGeometry(SettingsStore& store, const QString& sectionName, const QRect& geometry)
{
    SettingsSection section = store.section(sectionName);
    section.writeInteger(QStringLiteral("Left"), geometry.left());
    section.writeInteger(QStringLiteral("Top"), geometry.top());
    section.writeInteger(QStringLiteral("Width"), geometry.width());
    section.writeInteger(QStringLiteral("Height"), geometry.height());
}

DatabaseManagerSettings readDatabaseManagerSettings(const SettingsStore& store, QSize screen,
                                                    int mainWindowHeight)
{
    const SettingsSection section = store.section(kDatabaseManager);
    DatabaseManagerSettings settings;
    settings.onTop = section.readBoolInt(QStringLiteral("OnTop"), true);
    settings.bigButtons = section.readBoolInt(QStringLiteral("BigButtons"), true);
    settings.hints = section.readBoolInt(QStringLiteral("Hints"), true);
    settings.geometry = readCentredGeometry(store, kDatabaseManager, kDatabaseManagerDefaultSize,
                                            screen, mainWindowHeight);
    settings.pageWidth = section.readInteger(QStringLiteral("PageWidth"), 290);
    return settings;
}

void writeDatabaseManagerSettings(SettingsStore& store, const DatabaseManagerSettings& settings)
{
    SettingsSection section = store.section(kDatabaseManager);
    section.writeBoolInt(QStringLiteral("OnTop"), settings.onTop);
    section.writeBoolInt(QStringLiteral("BigButtons"), settings.bigButtons);
    section.writeBoolInt(QStringLiteral("Hints"), settings.hints);
    writeGeometry(store, kDatabaseManager, settings.geometry);
    section.writeInteger(QStringLiteral("PageWidth"), settings.pageWidth);
}

ReportManagerSettings readReportManagerSettings(const SettingsStore& store, const QRect& designed,
                                                QSize screen)
{
    const SettingsSection section = store.section(kReportManager);
    const int width = section.readInteger(QStringLiteral("Width"), designed.width());
    const int height = section.readInteger(QStringLiteral("Height"), designed.height());
    int top = section.readInteger(QStringLiteral("Top"), designed.top());
    if (top > screen.height())
        top = 153;
    int left = section.readInteger(QStringLiteral("Left"), 5000);
    if (left + width > screen.width())
        left = screen.width() - width;
    ReportManagerSettings settings;
    settings.geometry = QRect(left, top, width, height);
    settings.visible = section.readInteger(QStringLiteral("Visible"), 1) == 1;
    return settings;
}

void writeReportManagerSettings(SettingsStore& store, const ReportManagerSettings& settings)
{
    writeGeometry(store, kReportManager, settings.geometry);
    store.section(kReportManager).writeInteger(QStringLiteral("Visible"), settings.visible ? 1 : 0);
}
