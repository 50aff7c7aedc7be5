// TColor: a 32-bit colour value as report files hold it (0x00BBGGRR for plain colours,
// 0x800000nn for the system colour number nn), with the toolkit's colour identifiers.
#pragma once

#include <QColor>
#include <QMetaType>
#include <QString>

#include <optional>

class TColor {
public:
    constexpr TColor() = default;
    constexpr explicit TColor(qint32 value) : m_value(value) {}

    constexpr qint32 value() const { return m_value; }
    constexpr bool isSystemColor() const { return (quint32(m_value) & 0xFF000000u) == 0x80000000u; }

    // The colour as drawn: system colours resolve to fixed desktop values; clNone and
    // clDefault give an invalid QColor.
    QColor toQColor() const;
    static TColor fromQColor(const QColor& color);

    // The identifier ("clRed"), when the value has one.
    std::optional<QString> identifier() const;
    static std::optional<TColor> fromIdentifier(QStringView identifier);

    // Text form used by files, editors and scripts: the identifier when there is one,
    // otherwise the decimal value. Reading also accepts "$hex" and "0xhex".
    QString toText() const;
    static std::optional<TColor> fromText(QStringView text);

    friend constexpr bool operator==(TColor a, TColor b) { return a.m_value == b.m_value; }
    friend constexpr bool operator!=(TColor a, TColor b) { return a.m_value != b.m_value; }

private:
    qint32 m_value = 0;
};

Q_DECLARE_METATYPE(TColor)

constexpr qint32 systemColor(int index) { return qint32(0x80000000u | quint32(index)); }

inline constexpr TColor clBlack{0x000000};
inline constexpr TColor clMaroon{0x000080};
inline constexpr TColor clGreen{0x008000};
inline constexpr TColor clOlive{0x008080};
inline constexpr TColor clNavy{0x800000};
inline constexpr TColor clPurple{0x800080};
inline constexpr TColor clTeal{0x808000};
inline constexpr TColor clGray{0x808080};
inline constexpr TColor clSilver{0xC0C0C0};
inline constexpr TColor clRed{0x0000FF};
inline constexpr TColor clLime{0x00FF00};
inline constexpr TColor clYellow{0x00FFFF};
inline constexpr TColor clBlue{0xFF0000};
inline constexpr TColor clFuchsia{0xFF00FF};
inline constexpr TColor clAqua{0xFFFF00};
inline constexpr TColor clWhite{0xFFFFFF};
inline constexpr TColor clMoneyGreen{0xC0DCC0};
inline constexpr TColor clSkyBlue{0xF0CAA6};
inline constexpr TColor clCream{0xF0FBFF};
inline constexpr TColor clMedGray{0xA4A0A0};
inline constexpr TColor clNone{0x1FFFFFFF};
inline constexpr TColor clDefault{0x20000000};

inline constexpr TColor clScrollBar{systemColor(0)};
inline constexpr TColor clBackground{systemColor(1)};
inline constexpr TColor clActiveCaption{systemColor(2)};
inline constexpr TColor clInactiveCaption{systemColor(3)};
inline constexpr TColor clMenu{systemColor(4)};
inline constexpr TColor clWindow{systemColor(5)};
inline constexpr TColor clWindowFrame{systemColor(6)};
inline constexpr TColor clMenuText{systemColor(7)};
inline constexpr TColor clWindowText{systemColor(8)};
inline constexpr TColor clCaptionText{systemColor(9)};
inline constexpr TColor clActiveBorder{systemColor(10)};
inline constexpr TColor clInactiveBorder{systemColor(11)};
inline constexpr TColor clAppWorkSpace{systemColor(12)};
inline constexpr TColor clHighlight{systemColor(13)};
inline constexpr TColor clHighlightText{systemColor(14)};
inline constexpr TColor clBtnFace{systemColor(15)};
inline constexpr TColor clBtnShadow{systemColor(16)};
inline constexpr TColor clGrayText{systemColor(17)};
inline constexpr TColor clBtnText{systemColor(18)};
inline constexpr TColor clInactiveCaptionText{systemColor(19)};
inline constexpr TColor clBtnHighlight{systemColor(20)};
inline constexpr TColor cl3DDkShadow{systemColor(21)};
inline constexpr TColor cl3DLight{systemColor(22)};
inline constexpr TColor clInfoText{systemColor(23)};
inline constexpr TColor clInfoBk{systemColor(24)};
