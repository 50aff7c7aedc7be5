// TDataSet: the base of every table and query a report reads its records from. It opens a
// record cursor of its engine, keeps the records it has fetched so that it can move back,
// and shows the current record through its field objects.
#pragma once

#include "core/component.h"
#include "data/field_def.h"
#include "data/record_buffer.h"

#include <QHash>
#include <QVariant>

#include <memory>
#include <vector>

class TField;
class TRecordCursor;

class TDataSet : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ active WRITE setActive)
    Q_PROPERTY(bool Eof READ eof STORED false)
    Q_PROPERTY(bool Bof READ bof STORED false)
    Q_PROPERTY(int RecordCount READ recordCount STORED false)
    Q_PROPERTY(int RecNo READ recNo STORED false)
    Q_CLASSINFO("default:Active", "False")
public:
    explicit TDataSet(TComponent* owner = nullptr);
    ~TDataSet() override;

    // Opening raises EVelError with the engine's message and leaves the dataset closed.
    void open();
    void close();
    bool active() const { return m_active; }
    // While the dataset is being read from a file, opening waits until it is loaded.
    void setActive(bool active);
    // Re-runs the cursor and moves to the first record.
    void refresh();

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_records.rowCount() == 0; }
    // -1 while the engine cannot tell without fetching every record.
    int recordCount() const;
    // Index of the current record from 0; -1 when there is none.
    int recNo() const { return m_records.rowCount() == 0 ? -1 : m_current; }

    // The column definitions: those of the open cursor, else what the engine describes.
    const TFieldDefs& fieldDefs() const { return m_fieldDefs; }
    void updateFieldDefs();

    const QList<TField*>& fields() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    TField* findField(QStringView fieldName) const;
    // Raises "<dataset>: Field '<name>' not found" when there is none.
    TField* fieldByName(QStringView fieldName) const;
    // True while the fields were made by the dataset itself (no persistent fields).
    bool hasDefaultFields() const;
    // Frees the persistent fields; the next open makes default fields again.
    void clearFields();

    // The value of a column in the current record; null when there is none.
    const QVariant& columnValue(int column) const;

    // The result field's value in the first record whose key fields (";"-separated) hold
    // the given values; null when no record matches. Opens nothing: a closed dataset
    // gives null.
    QVariant lookup(const QString& keyFields, const QVariantList& keyValues, const QString& resultField);

    void loaded() override;

signals:
    void afterOpen();
    void beforeClose();
    void afterClose();
    // After every move to another record, after opening and after a refresh.
    void afterScroll();

protected:
    // The engine's cursor over the records; raises EVelError when it cannot be opened.
    virtual std::unique_ptr<TRecordCursor> createCursor();
    // The column definitions without keeping a cursor open; by default from a cursor.
    virtual TFieldDefs describeColumns();
    // Wraps an engine error into the message the dataset reports.
    virtual QString openErrorMessage(const QString& engineMessage) const;

    void notification(TComponent* component, Operation operation) override;

private:
    friend class TField;
    void attachField(TField* field);
    void detachField(TField* field);
    void moveField(TField* field, int index);

    void bindFields();
    void createDefaultFields();
    bool fetchRow();
    bool fetchUpTo(int row);
    void fetchAll();
    void resetBuffer();
    void moveTo(int row);
    int columnOf(QStringView fieldName) const;
    QString lookupKey(const QVariantList& values) const;

    std::unique_ptr<TRecordCursor> m_cursor;
    TFieldDefs m_fieldDefs;
    QList<TField*> m_fields;
    TRecordBuffer m_records;
    int m_knownCount = -1;
    int m_current = 0;
    bool m_allFetched = false;
    bool m_active = false;
    bool m_activeWhenLoaded = false;
    bool m_eof = true;
    bool m_bof = true;

    struct LookupIndex {
        QList<int> keyColumns;
        QHash<QString, int> rows;
    };
    QHash<QString, LookupIndex> m_lookupIndexes;
};
