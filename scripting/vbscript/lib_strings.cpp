// Built-in library: string functions.
#include "scripting/vbscript/builtins.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/errors.h"
#include "scripting/vbscript/limits.h"

#include <QStringList>

namespace vbs {

namespace {

Qt::CaseSensitivity compareMode(const Variant* a, int n, int index)
{
    if (index >= n || a[index].isEmpty())
        return Qt::CaseSensitive;
    const qint32 mode = toLong(a[index]);
    if (mode < 0 || mode > 2)
        raise(ErrInvalidCall);
    return mode == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

qint32 nonNegative(const Variant& v)
{
    const qint32 number = toLong(v);
    if (number < 0)
        raise(ErrInvalidCall);
    return number;
}

QString checkedLength(QString text)
{
    if (text.size() > limits::maxStringLength)
        raise(ErrOutOfStringSpace);
    return text;
}

Variant asc(Interpreter&, const Variant* a, int)
{
    const QString text = toString(a[0]);
    if (text.isEmpty())
        raise(ErrInvalidCall);
    return Variant::fromWholeNumber(text.at(0).unicode() < 128 ? text.at(0).unicode()
                                                               : static_cast<qint16>(text.at(0).unicode()));
}

Variant ascW(Interpreter&, const Variant* a, int)
{
    const QString text = toString(a[0]);
    if (text.isEmpty())
        raise(ErrInvalidCall);
    return Variant::fromWholeNumber(text.at(0).unicode());
}

Variant chr(Interpreter&, const Variant* a, int)
{
    const qint32 code = toLong(a[0]);
    if (code < -32768 || code > 65535)
        raise(ErrInvalidCall);
    return Variant::fromString(QString(QChar(static_cast<char16_t>(code & 0xFFFF))));
}

Variant inStr(Interpreter&, const Variant* a, int n)
{
    int start = 1, first = 0;
    if (n >= 3) {
        if (a[0].isNull())
            raise(ErrInvalidNull);
        start = toLong(a[0]);
        first = 1;
        if (start < 1)
            raise(ErrInvalidCall);
    }
    if (n == 4 && first == 0)
        raise(ErrWrongArguments);
    const Variant& text = a[first];
    const Variant& find = a[first + 1];
    if (text.isNull() || find.isNull())
        return Variant::null();
    const QString haystack = toString(text);
    const QString needle = toString(find);
    if (start > haystack.size())
        return Variant::fromLong(needle.isEmpty() && start == haystack.size() + 1 ? 0 : 0);
    if (needle.isEmpty())
        return Variant::fromLong(start);
    return Variant::fromLong(haystack.indexOf(needle, start - 1, compareMode(a, n, first + 2)) + 1);
}

Variant inStrRev(Interpreter&, const Variant* a, int n)
{
    if (a[0].isNull() || a[1].isNull())
        return Variant::null();
    const QString haystack = toString(a[0]);
    const QString needle = toString(a[1]);
    const qint32 start = n > 2 ? toLong(a[2]) : -1;
    if (start == 0 || start < -1)
        raise(ErrInvalidCall);
    const int from = start == -1 ? static_cast<int>(haystack.size()) : start;
    if (needle.isEmpty())
        return Variant::fromLong(from > haystack.size() ? 0 : from);
    if (from > haystack.size())
        return Variant::fromLong(0);
    const int lastStart = from - static_cast<int>(needle.size());
    if (lastStart < 0)
        return Variant::fromLong(0);
    return Variant::fromLong(haystack.lastIndexOf(needle, lastStart, compareMode(a, n, 3)) + 1);
}

Variant join(Interpreter&, const Variant* a, int n)
{
    if (!a[0].isArray() || a[0].array()->upperBounds.size() > 1)
        raise(ErrTypeMismatch);
    const QString delimiter = n > 1 ? toString(a[1]) : QStringLiteral(" ");
    QString result;
    bool firstItem = true;
    for (const Variant& element : a[0].array()->elements) {
        if (!firstItem)
            result += delimiter;
        firstItem = false;
        result += toConcatString(element);
        if (result.size() > limits::maxStringLength)
            raise(ErrOutOfStringSpace);
    }
    return Variant::fromString(result);
}

template <QString (*Transform)(const QString&)>
Variant textTransform(Interpreter&, const Variant* a, int)
{
    if (a[0].isNull())
        return Variant::null();
    return Variant::fromString(Transform(toString(a[0])));
}

QString lower(const QString& s) { return s.toLower(); }
QString upper(const QString& s) { return s.toUpper(); }
QString reversed(const QString& s)
{
    QString r(s.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i)
        r[s.size() - 1 - i] = s.at(i);
    return r;
}
QString leftTrimmed(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}
QString rightTrimmed(const QString& s)
{
    qsizetype i = s.size();
    while (i > 0 && s.at(i - 1) == QLatin1Char(' '))
        --i;
    return s.left(i);
}
QString bothTrimmed(const QString& s) { return leftTrimmed(rightTrimmed(s)); }

Variant left(Interpreter&, const Variant* a, int)
{
    const qint32 count = nonNegative(a[1]);
    if (a[0].isNull())
        return Variant::null();
    return Variant::fromString(toString(a[0]).left(count));
}

Variant right(Interpreter&, const Variant* a, int)
{
    const qint32 count = nonNegative(a[1]);
    if (a[0].isNull())
        return Variant::null();
    return Variant::fromString(toString(a[0]).right(count));
}

Variant len(Interpreter&, const Variant* a, int)
{
    if (a[0].isNull())
        return Variant::null();
    if (a[0].isString())
        return Variant::fromLong(static_cast<qint32>(a[0].stringValue().size()));
    return Variant::fromLong(static_cast<qint32>(toString(a[0]).size()));
}

Variant mid(Interpreter&, const Variant* a, int n)
{
    const qint32 start = toLong(a[1]);
    if (start < 1)
        raise(ErrInvalidCall);
    const qint32 count = n > 2 ? nonNegative(a[2]) : -1;
    if (a[0].isNull())
        return Variant::null();
    return Variant::fromString(toString(a[0]).mid(start - 1, count));
}

Variant replace(Interpreter&, const Variant* a, int n)
{
    if (a[0].isNull() || a[1].isNull() || a[2].isNull())
        return Variant::null();
    const QString text = toString(a[0]);
    const QString find = toString(a[1]);
    const QString with = toString(a[2]);
    const qint32 start = n > 3 ? toLong(a[3]) : 1;
    const qint32 count = n > 4 ? toLong(a[4]) : -1;
    if (start < 1 || count < -1)
        raise(ErrInvalidCall);
    const Qt::CaseSensitivity mode = compareMode(a, n, 5);
    // The result starts at `start`, as the language defines it.
    const QString tail = text.mid(start - 1);
    if (find.isEmpty() || count == 0)
        return Variant::fromString(tail);
    QString result;
    qsizetype position = 0;
    qint32 done = 0;
    while (count < 0 || done < count) {
        const qsizetype found = tail.indexOf(find, position, mode);
        if (found < 0)
            break;
        result += QStringView(tail).mid(position, found - position);
        result += with;
        if (result.size() > limits::maxStringLength)
            raise(ErrOutOfStringSpace);
        position = found + find.size();
        ++done;
    }
    result += QStringView(tail).mid(position);
    return Variant::fromString(checkedLength(result));
}

Variant space(Interpreter&, const Variant* a, int)
{
    const qint32 count = nonNegative(a[0]);
    if (count > limits::maxStringLength)
        raise(ErrOutOfStringSpace);
    return Variant::fromString(QString(count, QLatin1Char(' ')));
}

Variant stringOf(Interpreter&, const Variant* a, int)
{
    const qint32 count = nonNegative(a[0]);
    if (a[1].isNull())
        return Variant::null();
    if (count > limits::maxStringLength)
        raise(ErrOutOfStringSpace);
    QChar c;
    if (a[1].isString()) {
        if (a[1].stringValue().isEmpty())
            raise(ErrInvalidCall);
        c = a[1].stringValue().at(0);
    } else {
        c = QChar(static_cast<char16_t>(toLong(a[1]) & 0xFF));
    }
    return Variant::fromString(QString(count, c));
}

Variant split(Interpreter&, const Variant* a, int n)
{
    const QString text = n > 0 ? toString(a[0]) : QString();
    const QString delimiter = n > 1 ? toString(a[1]) : QStringLiteral(" ");
    const qint32 limit = n > 2 ? toLong(a[2]) : -1;
    if (limit < -1)
        raise(ErrInvalidCall);
    const Qt::CaseSensitivity mode = compareMode(a, n, 3);
    QStringList parts;
    if (!text.isEmpty() && limit != 0) {
        if (delimiter.isEmpty()) {
            parts << text;
        } else {
            qsizetype position = 0;
            for (;;) {
                if (limit > 0 && parts.size() == limit - 1)
                    break;
                const qsizetype found = text.indexOf(delimiter, position, mode);
                if (found < 0)
                    break;
                parts << text.mid(position, found - position);
                position = found + delimiter.size();
                if (parts.size() > limits::maxArrayElements)
                    raise(ErrOutOfMemory);
            }
            parts << text.mid(position);
        }
    }
    auto array = ArrayData::create({static_cast<qint32>(parts.size()) - 1});
    for (qsizetype i = 0; i < parts.size(); ++i)
        array->elements[static_cast<size_t>(i)] = Variant::fromString(parts.at(i));
    return Variant::fromArray(std::move(array));
}

Variant strComp(Interpreter&, const Variant* a, int n)
{
    if (a[0].isNull() || a[1].isNull())
        return Variant::null();
    const int r = QString::compare(toString(a[0]), toString(a[1]), compareMode(a, n, 2));
    return Variant::fromInteger(static_cast<qint16>(r < 0 ? -1 : (r > 0 ? 1 : 0)));
}

Variant filter(Interpreter&, const Variant* a, int n)
{
    if (!a[0].isArray() || a[0].array()->upperBounds.size() != 1)
        raise(ErrTypeMismatch);
    const QString match = toString(a[1]);
    const bool include = n > 2 ? toBool(a[2]) : true;
    const Qt::CaseSensitivity mode = compareMode(a, n, 3);
    std::vector<Variant> kept;
    for (const Variant& element : a[0].array()->elements) {
        const QString text = toConcatString(element);
        if (text.contains(match, mode) == include)
            kept.push_back(Variant::fromString(text));
    }
    auto array = ArrayData::create({static_cast<qint32>(kept.size()) - 1});
    array->elements = std::move(kept);
    return Variant::fromArray(std::move(array));
}

const Builtin library[] = {
    {"Asc", asc, 1, 1},
    {"AscW", ascW, 1, 1},
    {"Chr", chr, 1, 1},
    {"ChrW", chr, 1, 1},
    {"InStr", inStr, 2, 4},
    {"InStrRev", inStrRev, 2, 4},
    {"Join", join, 1, 2},
    {"LCase", textTransform<lower>, 1, 1},
    {"UCase", textTransform<upper>, 1, 1},
    {"LTrim", textTransform<leftTrimmed>, 1, 1},
    {"RTrim", textTransform<rightTrimmed>, 1, 1},
    {"Trim", textTransform<bothTrimmed>, 1, 1},
    {"StrReverse", textTransform<reversed>, 1, 1},
    {"Left", left, 2, 2},
    {"Right", right, 2, 2},
    {"Len", len, 1, 1},
    {"Mid", mid, 2, 3},
    {"Replace", replace, 3, 6},
    {"Space", space, 1, 1},
    {"String", stringOf, 2, 2},
    {"Split", split, 1, 4},
    {"StrComp", strComp, 2, 3},
    {"Filter", filter, 2, 4},
};

} // namespace

std::span<const Builtin> stringLibrary() { return library; }

} // namespace vbs
