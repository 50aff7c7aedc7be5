// The evaluator's view of a dataset: "D.X" field references resolve through these
// adapters to the dataset's field objects and their current values.
#pragma once

#include "engine/expr/expr_dataset.h"

#include <QPointer>

#include <memory>
#include <vector>

class TDataSet;
class TField;

class TEvField : public IRpEvField {
public:
    TEvField(TDataSet* dataSet, int index) : m_dataSet(dataSet), m_index(index) {}
    QString fieldName() const override;
    TRpEvFieldType dataType() const override;
    QVariant value() const override;
    QString displayText() const override;

private:
    TField* field() const;

    QPointer<TDataSet> m_dataSet;
    int m_index;
};

class TEvDataSet : public IRpEvDataSet {
public:
    explicit TEvDataSet(TDataSet* dataSet);
    ~TEvDataSet() override;

    QString name() const override;
    int fieldIndex(const QString& fieldName) const override;
    IRpEvField* field(int index) const override;
    bool usesDefaultFields() const override;

private:
    QPointer<TDataSet> m_dataSet;
    mutable std::vector<std::unique_ptr<TEvField>> m_fields;
};
