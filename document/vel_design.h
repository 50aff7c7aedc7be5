// TfrmVelDesign: a report document as a model. The root of the stored object tree: it
// owns the scroll box "ReportOwner" holding the report, the bands and controls, the
// datamodule links, the datasets and data sources of the report and the script holder
// "VELSCRIPTMEMO". It carries the file name and the modified state and saves and loads
// itself; the design window is a view over it.
#pragma once

#include "core/control.h"
#include "core/font.h"

#include <QPointer>

#include <functional>

class TReport;
class TScrollBox;
class TVelDataModule;
class TVelDataModuleLink;
class TVelMemo;

class TfrmVelDesign : public TControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption STORED false)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TFont* Font READ font WRITE setFont)
    Q_PROPERTY(bool KeyPreview READ keyPreview WRITE setKeyPreview)
    Q_PROPERTY(bool Scaled READ scaled WRITE setScaled)
    Q_PROPERTY(int PixelsPerInch READ pixelsPerInch WRITE setPixelsPerInch)
    Q_CLASSINFO("default:Color", "clBtnFace")
    Q_CLASSINFO("default:KeyPreview", "False")
    Q_CLASSINFO("default:Scaled", "True")
public:
    // Bits of the root's Tag: the modified mark (never stored) and the form kind chosen
    // for the form-source export; bit 32 asks for parameters before a run.
    static constexpr int kModifiedTag = 0x10;
    static constexpr int kLoaderFormTag = 0x02;
    static constexpr int kAskParametersTag = 0x20;
    static constexpr int kHelpContext = 1004;
    static constexpr const char* kReportName = "Report";
    static constexpr const char* kReportOwnerName = "ReportOwner";

    // A new document: the scroll box, the report "Report" at 0, 0 and the script holder.
    explicit TfrmVelDesign(TComponent* owner = nullptr);
    ~TfrmVelDesign() override;

    TReport* report() const;
    TScrollBox* reportOwner() const;
    TVelMemo* scriptHolder() const;
    QList<TVelDataModuleLink*> dataModuleLinks() const;
    // The datamodule named by the legacy "DataModule" property of old files.
    TVelDataModule* legacyDataModule() const;

    QString fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Modified when the flag is set or the Tag carries the modified mark.
    bool isModified() const { return m_modified || (tag() & kModifiedTag) != 0; }
    void markModified();
    void clearModifiedMark() { setTag(tag() & ~kModifiedTag); }
    void clearModifiedFlag() { m_modified = false; }

    // The caption: the report title, else the file name, else "Untitled"; then " *"
    // when modified, a single space otherwise.
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    void updateCaption();
    void setCaptionListener(std::function<void()> listener) { m_captionListener = std::move(listener); }

    bool keyPreview() const { return m_keyPreview; }
    void setKeyPreview(bool keyPreview) { m_keyPreview = keyPreview; }
    bool scaled() const { return m_scaled; }
    void setScaled(bool scaled) { m_scaled = scaled; }
    int pixelsPerInch() const { return m_pixelsPerInch; }
    void setPixelsPerInch(int ppi) { m_pixelsPerInch = ppi; }

    // Document commands without their dialogs. Each returns success; a failure's message
    // is shown through docmessages and kept in lastError().
    bool save(); // to the file name; false without one (the view then asks: Save as)
    bool saveAs(const QString& fileName);
    bool saveToFile(const QString& fileName);
    bool loadFromFile(const QString& fileName);
    QString lastError() const { return m_lastError; }

    // The steps the commands are made of.
    void beforeSave();
    void afterSave();
    void beforeLoad();
    // Frees every component except the scroll box and forgets the report.
    void clear();
    // Band name tags, the report reference (created and named when missing).
    void completeAfterLoad();
    // Designing state, script holder, the report inside the first scroll box at 0, 0.
    void documentReady();
    // Gives every dataset of the document that no data source shows a data source of
    // its own (after a paste and after an imported file is opened).
    void addMissingDataSources();

    void defineProperties(TPropertyDefiner& definer) override;

private:
    void ensureScriptHolder();
    void updateBandNameTags();
    void fail(const QString& message);

    QPointer<TReport> m_report;
    QPointer<TVelDataModule> m_legacyDataModule;
    QString m_fileName;
    QString m_caption;
    QString m_lastError;
    bool m_modified = false;
    bool m_keyPreview = false;
    bool m_scaled = true;
    int m_pixelsPerInch = 96;
    bool m_wasDesigning = false;
    std::function<void()> m_captionListener;
};
