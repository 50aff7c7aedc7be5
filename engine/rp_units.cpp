#include "engine/rp_units.h"

#include <cmath>
#include <cstdlib>

namespace {
constexpr double kNativePerInch = 254.0;
constexpr double kNativePerPoint = 254.0 / 72.0;
// The Characters unit measures with an average character of the report font: 0.6 of the
// font size wide and 1.2 of it high (the line spacing).
constexpr double kCharacterWidthPerPoint = 0.6;
constexpr double kCharacterHeightPerPoint = 1.2;
} // namespace

TRpUnitBase::TRpUnitBase(QObject* parent, QList<bool> horizontal)
    : TPersistent(parent), m_native(horizontal.size(), 0.0), m_horizontal(std::move(horizontal))
{
}

TRpUnitBase::~TRpUnitBase() = default;

void TRpUnitBase::setNativeValue(int index, double value)
{
    if (index < 0 || index >= m_native.size() || m_native[index] == value)
        return;
    m_native[index] = value;
    changed();
}

double TRpUnitBase::characterSize(bool horizontal) const
{
    const int points = std::abs(m_fontSize ? m_fontSize() : 10);
    const double size = (points > 0 ? points : 10) * kNativePerPoint;
    return size * (horizontal ? kCharacterWidthPerPoint : kCharacterHeightPerPoint);
}

double TRpUnitBase::toUnit(double native, TRpUnit unit, bool horizontal) const
{
    switch (unit) {
    case TRpUnit::MM:
        return native / 10.0;
    case TRpUnit::Inches:
        return native / kNativePerInch;
    case TRpUnit::Pixels:
        return native / (kNativePerInch / m_resolution) * m_zoom / 100.0;
    case TRpUnit::Characters:
        return native / characterSize(horizontal);
    case TRpUnit::Native:
        return native;
    }
    return native;
}

double TRpUnitBase::fromUnit(double value, TRpUnit unit, bool horizontal) const
{
    switch (unit) {
    case TRpUnit::MM:
        return value * 10.0;
    case TRpUnit::Inches:
        return value * kNativePerInch;
    case TRpUnit::Pixels:
        return value * 100.0 / m_zoom * (kNativePerInch / m_resolution);
    case TRpUnit::Characters:
        return value * characterSize(horizontal);
    case TRpUnit::Native:
        return value;
    }
    return value;
}

double TRpUnitBase::toDisplay(double native, bool horizontal) const
{
    return toUnit(native, m_unit, horizontal);
}

double TRpUnitBase::fromDisplay(double display, bool horizontal) const
{
    return fromUnit(display, m_unit, horizontal);
}

int TRpUnitBase::toPixels(double native) const
{
    return int(std::lround(toUnit(native, TRpUnit::Pixels, true)));
}

double TRpUnitBase::fromPixels(int pixels) const
{
    return fromUnit(pixels, TRpUnit::Pixels, true);
}

double TRpUnitBase::displayValue(int index) const
{
    return toDisplay(m_native.value(index), m_horizontal.value(index));
}

void TRpUnitBase::setDisplayValue(int index, double value)
{
    setNativeValue(index, fromDisplay(value, m_horizontal.value(index)));
}

void TRpUnitBase::defineProperties(TPropertyDefiner& definer)
{
    definer.defineProperty(
        QStringLiteral("Values"),
        [this](const TStreamValue& value) {
            const QList<TStreamValue>& items = value.items();
            for (int i = 0; i < items.size() && i < m_native.size(); ++i) {
                if (items[i].isFloat() || items[i].isInteger())
                    m_native[i] = double(items[i].toFloat());
            }
            changed();
        },
        [this]() {
            QList<TStreamValue> items;
            for (double v : m_native)
                items.append(TStreamValue::extended(v));
            return TStreamValue::list(items);
        },
        true);
}

void TRpUnitBase::assign(const TPersistent& source)
{
    if (auto* units = qobject_cast<const TRpUnitBase*>(&source); units && units->m_native.size() == m_native.size()) {
        m_native = units->m_native;
        changed();
    }
    TPersistent::assign(source);
}

TRpPage::TRpPage(QObject* parent)
    : TRpUnitBase(parent, {false, false, false, true, true, true, true})
{
    const PaperDimensions a4 = paperDimensions(TRpPaperSize::A4);
    setNativeValue(WidthValue, a4.width * 10);
    setNativeValue(LengthValue, a4.length * 10);
}

void TRpPage::setLength(double value)
{
    if (m_paperSize == TRpPaperSize::Custom)
        setDisplayValue(LengthValue, value);
}

void TRpPage::setWidth(double value)
{
    if (m_paperSize == TRpPaperSize::Custom)
        setDisplayValue(WidthValue, value);
}

void TRpPage::setColumns(int columns)
{
    if (columns < 1 || columns == m_columns)
        return;
    m_columns = columns;
    changed();
}

void TRpPage::setOrientation(TPrinterOrientation orientation)
{
    m_orientation = orientation;
    setPaperSize(m_paperSize);
}

void TRpPage::setPaperSize(TRpPaperSize paper)
{
    m_paperSize = paper;
    if (paper != TRpPaperSize::Default && paper != TRpPaperSize::Custom) {
        PaperDimensions size = paperDimensions(paper);
        if (m_orientation == TPrinterOrientation::poLandscape)
            std::swap(size.width, size.length);
        setNativeValue(WidthValue, size.width * 10);
        setNativeValue(LengthValue, size.length * 10);
    }
    changed();
}

void TRpPage::setRuler(bool ruler)
{
    if (ruler == m_ruler)
        return;
    m_ruler = ruler;
    changed();
}

double TRpPage::printableWidthNative() const
{
    return nativeValue(WidthValue) - nativeValue(LeftMarginValue) - nativeValue(RightMarginValue);
}

double TRpPage::columnWidthNative() const
{
    return (printableWidthNative() - nativeValue(ColumnSpaceValue) * (m_columns - 1)) / m_columns;
}

TRpBandSize::TRpBandSize(QObject* parent) : TRpUnitBase(parent, {false, true}) {}

TRpPrintableSize::TRpPrintableSize(QObject* parent) : TRpUnitBase(parent, {false, true, false, true}) {}
