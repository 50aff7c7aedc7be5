// TRecordCursor: what an engine hands a dataset when it opens: the column definitions and
// the records, fetched one at a time in order.
#pragma once

#include "data/field_def.h"

#include <QVariant>

#include <memory>
#include <vector>

class TRecordCursor {
public:
    virtual ~TRecordCursor() = default;

    virtual const TFieldDefs& fieldDefs() const = 0;
    // Appends the next record's values, one per definition, to `values`; false at the end.
    // Values are nulls or of the definition's natural type (QString, qint64, double, bool,
    // QDate, QTime, QDateTime, QByteArray). Engine failures raise EVelError.
    virtual bool fetch(std::vector<QVariant>& values) = 0;
    // The number of records, when the engine knows it before they are fetched; else -1.
    virtual int knownRecordCount() const { return -1; }

    // A cursor whose records already lie in memory, one value per definition each, can
    // hand out the next record where it stands instead of copying it: fetchInPlace() then
    // gives its first value, or null at the end, and the values stay valid for as long as
    // recordsOwner() is kept. Other cursors answer null and are read with fetch().
    virtual std::shared_ptr<const void> recordsOwner() const { return {}; }
    virtual const QVariant* fetchInPlace() { return nullptr; }
};
