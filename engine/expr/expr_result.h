// The tagged value every expression computes: an integer, float, string, boolean or error.
#pragma once

#include <QString>
#include <QtGlobal>

enum class TRpEvKind : quint8 { Integer = 0, Float = 1, String = 2, Boolean = 3, Error = 4 };

// Strings and error messages never hold more than this many characters.
inline constexpr int kRpEvMaxText = 255;

class TRpEvResult
{
public:
    TRpEvResult() = default; // the integer 0

    static TRpEvResult integer(qint32 value);
    static TRpEvResult fromFloat(double value);
    static TRpEvResult string(const QString& text);
    static TRpEvResult boolean(bool value);
    static TRpEvResult error(const QString& message);
    // An integer when the value fits 32 bits, otherwise the same value as a float.
    static TRpEvResult fromWideInteger(qint64 value);

    TRpEvKind kind() const { return m_kind; }
    bool isError() const { return m_kind == TRpEvKind::Error; }
    bool isNumeric() const { return m_kind == TRpEvKind::Integer || m_kind == TRpEvKind::Float; }

    qint32 integerValue() const { return m_integer; }
    double floatValue() const { return m_float; }
    bool booleanValue() const { return m_boolean; }
    // The string of a string result, the message of an error result.
    const QString& text() const { return m_text; }
    // Integer or float as a double.
    double numericValue() const { return m_kind == TRpEvKind::Float ? m_float : double(m_integer); }

    // Text form: integers in decimal, floats in the general format, booleans "True"/"False".
    // Raises ERpEvaluatorError for an error result.
    QString toText() const;
    // The same, but an error result gives its message instead of raising.
    QString displayText() const;

    bool operator==(const TRpEvResult& other) const;

private:
    TRpEvResult(TRpEvKind kind, qint32 integer, double floating, bool boolean)
        : m_kind(kind), m_boolean(boolean), m_integer(integer), m_float(floating) {}

    TRpEvKind m_kind = TRpEvKind::Integer;
    bool m_boolean = false;
    qint32 m_integer = 0;
    double m_float = 0.0;
    QString m_text;
};

// Name of a kind as TYPEOF reports it: "INTEGER", "FLOAT", "STRING", "BOOLEAN", "ERROR".
QString rpEvKindName(TRpEvKind kind);

// Cuts a text to the longest length a result may hold.
QString rpEvCutText(const QString& text);

bool rpEvFitsInteger(double value);

// The factories evaluation calls most often are inline.
inline TRpEvResult TRpEvResult::integer(qint32 value)
{
    return TRpEvResult(TRpEvKind::Integer, value, 0.0, false);
}

inline TRpEvResult TRpEvResult::fromFloat(double value)
{
    return TRpEvResult(TRpEvKind::Float, 0, value, false);
}

inline TRpEvResult TRpEvResult::boolean(bool value)
{
    return TRpEvResult(TRpEvKind::Boolean, 0, 0.0, value);
}
