// The export filter base: a report run hands every printed text line to a filter,
// which writes it into a file instead of drawing it.
//
// Positions are in native units (tenths of a millimetre) from the paper's top-left
// corner. x is the left edge of the printed line, except for right-aligned lines, where
// it is the right edge. Fonts are plain QFonts with their point size plus the text colour.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QObject;

struct TRpExportFont {
    QFont font;
    QColor color = Qt::black;
};

// A font's size in native units: one point is 0.35277... mm.
double rpFontSizeInNativeUnits(const QFont& font);

class TRpExportFilter {
public:
    explicit TRpExportFilter(QObject* owner = nullptr) : m_owner(owner) {}
    virtual ~TRpExportFilter();
    TRpExportFilter(const TRpExportFilter&) = delete;
    TRpExportFilter& operator=(const TRpExportFilter&) = delete;

    virtual QString description() const;
    virtual QString fileExtension() const;
    // The name shown in the save dialog.
    virtual QString name() const;
    virtual QString vendor() const;
    // When true, generation never breaks pages for lack of space.
    virtual bool continuousOutput() const;

    // Starts the export; raises ERpExportError when the file cannot be written.
    virtual void start(int pageWidth, int pageLength, const TRpExportFont& reportFont);
    virtual void endPage();
    // Ends the export; raises ERpExportError when the file cannot be completed, which
    // leaves an existing file untouched.
    virtual void finish();
    virtual void newPage();
    virtual void textOut(const TRpExportFont& font, const QColor& background, const QString& text,
                         Qt::Alignment alignment, double y, double x);

    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    QObject* owner() const { return m_owner; }
    bool active() const { return m_active; }

protected:
    void setActive(bool active) { m_active = active; }

private:
    QObject* m_owner;
    QString m_fileName;
    bool m_active = false;
};
