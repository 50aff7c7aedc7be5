// Unit objects: holders of geometry in the native unit (a tenth of a millimetre) that
// read and write their values in the report's display unit at its zoom. Files store the
// native values as one list property "Values".
#pragma once

#include "core/persistent.h"
#include "core/vcl_types.h"
#include "engine/rp_types.h"

#include <QList>

#include <functional>

class TRpUnitBase : public TPersistent {
    Q_OBJECT
public:
    ~TRpUnitBase() override;

    TRpUnit units() const { return m_unit; }
    void setUnits(TRpUnit unit) { m_unit = unit; }
    int zoom() const { return m_zoom; }
    void setZoom(int zoom) { m_zoom = zoom; }
    int resolution() const { return m_resolution; }
    void setResolution(int pixelsPerInch) { m_resolution = pixelsPerInch; }
    // The report font size in points, for the Characters unit.
    void setFontSizeSource(std::function<int()> source) { m_fontSize = std::move(source); }

    int valueCount() const { return int(m_native.size()); }
    double nativeValue(int index) const { return m_native.value(index); }
    void setNativeValue(int index, double value);
    const QList<double>& nativeValues() const { return m_native; }

    // Conversions between native values and the current display unit.
    double toDisplay(double native, bool horizontal) const;
    double fromDisplay(double display, bool horizontal) const;
    double toUnit(double native, TRpUnit unit, bool horizontal) const;
    double fromUnit(double value, TRpUnit unit, bool horizontal) const;
    int toPixels(double native) const;
    double fromPixels(int pixels) const;

    void defineProperties(TPropertyDefiner& definer) override;
    void assign(const TPersistent& source) override;

protected:
    TRpUnitBase(QObject* parent, QList<bool> horizontal);

    double displayValue(int index) const;
    void setDisplayValue(int index, double value);

private:
    double characterSize(bool horizontal) const;

    QList<double> m_native;
    QList<bool> m_horizontal;
    TRpUnit m_unit = TRpUnit::MM;
    int m_zoom = 100;
    int m_resolution = 96;
    std::function<int()> m_fontSize;
};

// Page size, margins and columns of a report.
class TRpPage : public TRpUnitBase {
    Q_OBJECT
    Q_PROPERTY(double BottomMargin READ bottomMargin WRITE setBottomMargin STORED false)
    Q_PROPERTY(double ColumnSpace READ columnSpace WRITE setColumnSpace STORED false)
    Q_PROPERTY(int Columns READ columns WRITE setColumns)
    Q_PROPERTY(double LeftMargin READ leftMargin WRITE setLeftMargin STORED false)
    Q_PROPERTY(double Length READ length WRITE setLength STORED false)
    Q_PROPERTY(Vcl::TPrinterOrientation Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(Rp::TRpPaperSize PaperSize READ paperSize WRITE setPaperSize)
    Q_PROPERTY(double RightMargin READ rightMargin WRITE setRightMargin STORED false)
    Q_PROPERTY(bool Ruler READ ruler WRITE setRuler)
    Q_PROPERTY(double TopMargin READ topMargin WRITE setTopMargin STORED false)
    Q_PROPERTY(double Width READ width WRITE setWidth STORED false)
    Q_CLASSINFO("default:Ruler", "True")
public:
    // Index of each value in the native list (and in "Values").
    enum Value { BottomMarginValue, LengthValue, TopMarginValue, WidthValue, LeftMarginValue, RightMarginValue,
                 ColumnSpaceValue };

    explicit TRpPage(QObject* parent = nullptr);

    double bottomMargin() const { return displayValue(BottomMarginValue); }
    void setBottomMargin(double value) { setDisplayValue(BottomMarginValue, value); }
    double length() const { return displayValue(LengthValue); }
    void setLength(double value);
    double topMargin() const { return displayValue(TopMarginValue); }
    void setTopMargin(double value) { setDisplayValue(TopMarginValue, value); }
    double width() const { return displayValue(WidthValue); }
    void setWidth(double value);
    double leftMargin() const { return displayValue(LeftMarginValue); }
    void setLeftMargin(double value) { setDisplayValue(LeftMarginValue, value); }
    double rightMargin() const { return displayValue(RightMarginValue); }
    void setRightMargin(double value) { setDisplayValue(RightMarginValue, value); }
    double columnSpace() const { return displayValue(ColumnSpaceValue); }
    void setColumnSpace(double value) { setDisplayValue(ColumnSpaceValue, value); }

    int columns() const { return m_columns; }
    void setColumns(int columns);
    TPrinterOrientation orientation() const { return m_orientation; }
    void setOrientation(TPrinterOrientation orientation);
    TRpPaperSize paperSize() const { return m_paperSize; }
    void setPaperSize(TRpPaperSize paper);
    bool ruler() const { return m_ruler; }
    void setRuler(bool ruler);

    // Native page width minus both side margins.
    double printableWidthNative() const;
    // The width of one column in native units.
    double columnWidthNative() const;

private:
    int m_columns = 1;
    TPrinterOrientation m_orientation = TPrinterOrientation::poPortrait;
    TRpPaperSize m_paperSize = TRpPaperSize::A4;
    bool m_ruler = true;
};

// Height and width of a band.
class TRpBandSize : public TRpUnitBase {
    Q_OBJECT
    Q_PROPERTY(double Height READ height WRITE setHeight STORED false)
    Q_PROPERTY(double Width READ width WRITE setWidth STORED false)
public:
    enum Value { HeightValue, WidthValue };

    explicit TRpBandSize(QObject* parent = nullptr);

    double height() const { return displayValue(HeightValue); }
    void setHeight(double value) { setDisplayValue(HeightValue, value); }
    double width() const { return displayValue(WidthValue); }
    void setWidth(double value) { setDisplayValue(WidthValue, value); }
};

// Height, left, top and width of a printable control.
class TRpPrintableSize : public TRpUnitBase {
    Q_OBJECT
    Q_PROPERTY(double Height READ height WRITE setHeight STORED false)
    Q_PROPERTY(double Left READ left WRITE setLeft STORED false)
    Q_PROPERTY(double Top READ top WRITE setTop STORED false)
    Q_PROPERTY(double Width READ width WRITE setWidth STORED false)
public:
    enum Value { HeightValue, LeftValue, TopValue, WidthValue };

    explicit TRpPrintableSize(QObject* parent = nullptr);

    double height() const { return displayValue(HeightValue); }
    void setHeight(double value) { setDisplayValue(HeightValue, value); }
    double left() const { return displayValue(LeftValue); }
    void setLeft(double value) { setDisplayValue(LeftValue, value); }
    double top() const { return displayValue(TopValue); }
    void setTop(double value) { setDisplayValue(TopValue, value); }
    double width() const { return displayValue(WidthValue); }
    void setWidth(double value) { setDisplayValue(WidthValue, value); }
};
