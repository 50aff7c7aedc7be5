// TVelDataModule: a datamodule document, a non-visual container of datasets, data
// sources, fields and connections. Datamodules are owned by the application object and
// shared by every report that links them.
#pragma once

#include "core/component.h"

class TVelDataModule : public TComponent {
    Q_OBJECT
public:
    // Bit of `Tag` marking the document as modified; never stored.
    static constexpr int kModifiedTag = 0x10;

    explicit TVelDataModule(TComponent* owner = nullptr);
    ~TVelDataModule() override;

    // The full path of its VDM file; empty until saved.
    QString fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    bool isModified() const { return (tag() & kModifiedTag) != 0; }
    void markModified() { setTag(tag() | kModifiedTag); }
    void clearModified() { setTag(tag() & ~kModifiedTag); }

private:
    QString m_fileName;
};
