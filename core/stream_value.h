// One value of the component stream, in the form both the binary and the text stream
// carry it. Objects use it for the extra values they store themselves (see
// TPersistent::defineProperties).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class TStreamValue {
public:
    // The type bytes of the binary stream.
    enum class Type : quint8 {
        EndOfList = 0,
        List = 1,
        Int8 = 2,
        Int16 = 3,
        Int32 = 4,
        Extended = 5,
        String = 6,
        Ident = 7,
        False = 8,
        True = 9,
        Binary = 10,
        Set = 11,
        LString = 12,
        Nil = 13,
        Collection = 14,
        Single = 15,
        Currency = 16,
        Date = 17,
        WString = 18,
        Int64 = 19,
    };

    struct CollectionItem {
        std::optional<qint64> order;
        QList<std::pair<QString, TStreamValue>> properties;
    };

    TStreamValue() = default;

    static TStreamValue integer(qint64 value);  // smallest integer form that holds it
    static TStreamValue extended(long double value);
    static TStreamValue single(float value);
    static TStreamValue currency(qint64 scaledBy10000);
    static TStreamValue date(double value);
    static TStreamValue string(const QString& value); // String, LString or WString by content
    static TStreamValue identifier(const QString& name);
    static TStreamValue boolean(bool value);
    static TStreamValue nil();
    static TStreamValue binary(const QByteArray& bytes);
    static TStreamValue set(const QStringList& names);
    static TStreamValue list(QList<TStreamValue> items);
    static TStreamValue collection(QList<CollectionItem> items);

    Type type() const { return m_type; }
    bool isInteger() const;
    bool isFloat() const;
    bool isString() const;

    qint64 toInteger() const { return m_integer; }
    long double toFloat() const;
    const QString& text() const { return m_text; } // strings and identifiers
    const QByteArray& bytes() const { return m_bytes; }
    const QStringList& names() const { return m_names; }
    const QList<TStreamValue>& items() const { return m_items; }
    const QList<CollectionItem>& collectionItems() const { return m_collection; }

    // For exact binary round trips: an extended float keeps its ten stored bytes.
    void setRawExtended(const QByteArray& tenBytes) { m_bytes = tenBytes; }

    friend bool operator==(const TStreamValue& a, const TStreamValue& b);

private:
    Type m_type = Type::Nil;
    qint64 m_integer = 0;
    long double m_real = 0;
    QString m_text;
    QByteArray m_bytes;
    QStringList m_names;
    QList<TStreamValue> m_items;
    QList<CollectionItem> m_collection;
};

bool operator==(const TStreamValue::CollectionItem& a, const TStreamValue::CollectionItem& b);
