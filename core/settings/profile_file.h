// A read-only text file of [sections] and key=value lines, read as 8-bit Windows-1252
// text. Section and key names compare without regard to case; the first of repeated keys
// wins; lines starting with ";" and lines without "=" outside a section are ignored.
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <optional>

class ProfileFile {
public:
    static ProfileFile parse(QByteArrayView bytes);
    // Nothing when the file cannot be read.
    static std::optional<ProfileFile> load(const QString& path);

    bool hasSection(const QString& section) const;
    std::optional<QString> value(const QString& section, const QString& key) const;

private:
    QHash<QString, QHash<QString, QString>> m_sections;  // keys folded to lower case
};
