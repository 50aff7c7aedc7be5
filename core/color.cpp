#include "core/color.h"

#include <array>

namespace {

struct NamedColor {
    const char* name;
    TColor color;
    QRgb systemRgb; // what a system colour is drawn as; unused for plain colours
};

// In the order names are looked up; the first name of a value is the one written.
const std::array<NamedColor, 47> kColors{{
    {"clBlack", clBlack, 0},
    {"clMaroon", clMaroon, 0},
    {"clGreen", clGreen, 0},
    {"clOlive", clOlive, 0},
    {"clNavy", clNavy, 0},
    {"clPurple", clPurple, 0},
    {"clTeal", clTeal, 0},
    {"clGray", clGray, 0},
    {"clSilver", clSilver, 0},
    {"clRed", clRed, 0},
    {"clLime", clLime, 0},
    {"clYellow", clYellow, 0},
    {"clBlue", clBlue, 0},
    {"clFuchsia", clFuchsia, 0},
    {"clAqua", clAqua, 0},
    {"clWhite", clWhite, 0},
    {"clMoneyGreen", clMoneyGreen, 0},
    {"clSkyBlue", clSkyBlue, 0},
    {"clCream", clCream, 0},
    {"clMedGray", clMedGray, 0},
    {"clActiveBorder", clActiveBorder, 0xffb4b4b4},
    {"clActiveCaption", clActiveCaption, 0xff99b4d1},
    {"clAppWorkSpace", clAppWorkSpace, 0xffababab},
    {"clBackground", clBackground, 0xff000000},
    {"clBtnFace", clBtnFace, 0xfff0f0f0},
    {"clBtnHighlight", clBtnHighlight, 0xffffffff},
    {"clBtnShadow", clBtnShadow, 0xffa0a0a0},
    {"clBtnText", clBtnText, 0xff000000},
    {"clCaptionText", clCaptionText, 0xff000000},
    {"clDefault", clDefault, 0},
    {"clGrayText", clGrayText, 0xff6d6d6d},
    {"clHighlight", clHighlight, 0xff3399ff},
    {"clHighlightText", clHighlightText, 0xffffffff},
    {"clInactiveBorder", clInactiveBorder, 0xfff4f7fc},
    {"clInactiveCaption", clInactiveCaption, 0xffbfcddb},
    {"clInactiveCaptionText", clInactiveCaptionText, 0xff434e54},
    {"clInfoBk", clInfoBk, 0xffffffe1},
    {"clInfoText", clInfoText, 0xff000000},
    {"clMenu", clMenu, 0xfff0f0f0},
    {"clMenuText", clMenuText, 0xff000000},
    {"clNone", clNone, 0},
    {"clScrollBar", clScrollBar, 0xffc8c8c8},
    {"cl3DDkShadow", cl3DDkShadow, 0xff696969},
    {"cl3DLight", cl3DLight, 0xffe3e3e3},
    {"clWindow", clWindow, 0xffffffff},
    {"clWindowFrame", clWindowFrame, 0xff646464},
    {"clWindowText", clWindowText, 0xff000000},
}};

const NamedColor* findByValue(TColor color)
{
    for (const NamedColor& entry : kColors) {
        if (entry.color == color)
            return &entry;
    }
    return nullptr;
}

} // namespace

QColor TColor::toQColor() const
{
    if (*this == clNone || *this == clDefault)
        return {};
    if (isSystemColor()) {
        const NamedColor* entry = findByValue(*this);
        return entry ? QColor::fromRgba(entry->systemRgb) : QColor(Qt::black);
    }
    const quint32 v = quint32(m_value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

TColor TColor::fromQColor(const QColor& color)
{
    if (!color.isValid())
        return clNone;
    return TColor(qint32(quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16)));
}

std::optional<QString> TColor::identifier() const
{
    if (const NamedColor* entry = findByValue(*this))
        return QString::fromLatin1(entry->name);
    return std::nullopt;
}

std::optional<TColor> TColor::fromIdentifier(QStringView identifier)
{
    for (const NamedColor& entry : kColors) {
        if (identifier.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.color;
    }
    return std::nullopt;
}

QString TColor::toText() const
{
    if (auto name = identifier())
        return *name;
    return QString::number(m_value);
}

std::optional<TColor> TColor::fromText(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (auto named = fromIdentifier(trimmed))
        return named;
    bool ok = false;
    qint64 value = 0;
    if (trimmed.startsWith(u'$'))
        value = trimmed.mid(1).toLongLong(&ok, 16);
    else if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = trimmed.mid(2).toLongLong(&ok, 16);
    else
        value = trimmed.toLongLong(&ok, 10);
    if (!ok || value < INT32_MIN || value > UINT32_MAX)
        return std::nullopt;
    return TColor(qint32(quint32(value)));
}
