// TStrings: a list of lines published as one property; files store it as the path
// "<Property>.Strings" holding a list of strings.
#pragma once

#include "core/persistent.h"

#include <QStringList>

class TStrings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Text READ text WRITE setText STORED false)
public:
    explicit TStrings(QObject* parent = nullptr);

    const QStringList& lines() const { return m_lines; }
    void setLines(const QStringList& lines);
    int count() const { return int(m_lines.size()); }
    QString at(int index) const { return m_lines.value(index); }
    void append(const QString& line);
    void clear();

    // The lines joined with CR LF after each line, as the platform's string lists give it.
    QString text() const;
    void setText(const QString& text);

    void assign(const TPersistent& source) override;

private:
    QStringList m_lines;
};
