#include "document/vel_design.h"

#include "core/error.h"
#include "core/font.h"
#include "core/global_names.h"
#include "core/settings/preferences.h"
#include "core/strings/program_texts.h"
#include "data/data_source.h"
#include "data/dataset.h"
#include "document/document_messages.h"
#include "document/file_kind.h"
#include "document/report_file.h"
#include "document/scroll_box.h"
#include "document/vel_application.h"
#include "document/vel_data_module.h"
#include "document/vel_data_module_link.h"
#include "document/vel_memo.h"
#include "engine/design/band_name_tag.h"
#include "engine/rp_bands.h"
#include "engine/rp_printable.h"
#include "engine/rp_report.h"

namespace {

TScrollBox* newReportOwner(TfrmVelDesign* document)
{
    auto* box = new TScrollBox(document);
    box->setNameUnchecked(names::uniqueName(document, QString::fromLatin1(TfrmVelDesign::kReportOwnerName)));
    box->setParentControl(document);
    box->setAlign(Doc::TAlign::alClient);
    return box;
}

QString untitledText()
{
    const QString text = programTexts().untitledName;
    return text.isEmpty() ? QStringLiteral("Untitled") : text;
}

} // namespace

TfrmVelDesign::TfrmVelDesign(TComponent* owner) : TControl(owner)
{
    setNameUnchecked(QStringLiteral("frmVelDesign"));
    setParentFont(false);
    setColor(clBtnFace);
    setBounds(0, 4, 800, 600);
    setHelpContext(kHelpContext);
    m_caption = QStringLiteral("Form");
    m_keyPreview = true;
    m_scaled = false;
    TScrollBox* box = newReportOwner(this);
    m_report = new TReport(this);
    m_report->setNameUnchecked(QString::fromLatin1(kReportName));
    m_report->setParentControl(box);
    m_report->setLeft(0);
    m_report->setTop(0);
    ensureScriptHolder();
    globalnames::add(this, globalnames::Scope::Document);
    updateCaption();
}

TfrmVelDesign::~TfrmVelDesign()
{
    globalnames::remove(this);
}

TReport* TfrmVelDesign::report() const
{
    return m_report;
}

TVelDataModule* TfrmVelDesign::legacyDataModule() const
{
    return m_legacyDataModule;
}

TScrollBox* TfrmVelDesign::reportOwner() const
{
    for (TComponent* component : components()) {
        if (auto* box = qobject_cast<TScrollBox*>(component))
            return box;
    }
    return nullptr;
}

TVelMemo* TfrmVelDesign::scriptHolder() const
{
    return qobject_cast<TVelMemo*>(findComponent(QString::fromLatin1(TVelMemo::kScriptHolderName)));
}

QList<TVelDataModuleLink*> TfrmVelDesign::dataModuleLinks() const
{
    QList<TVelDataModuleLink*> links;
    for (TComponent* component : components()) {
        if (auto* link = qobject_cast<TVelDataModuleLink*>(component))
            links.append(link);
    }
    return links;
}

void TfrmVelDesign::markModified()
{
    m_modified = true;
    setTag(tag() | kModifiedTag);
    updateCaption();
}

void TfrmVelDesign::updateCaption()
{
    QString text;
    if (m_report && !m_report->reportTitle().isEmpty())
        text = m_report->reportTitle();
    else if (!m_fileName.isEmpty())
        text = m_fileName;
    else
        text = untitledText();
    m_caption = text + (isModified() ? QStringLiteral(" *") : QStringLiteral(" "));
    if (m_captionListener)
        m_captionListener();
}

void TfrmVelDesign::fail(const QString& message)
{
    m_lastError = message;
    docmessages::show(message);
}

bool TfrmVelDesign::save()
{
    if (m_fileName.isEmpty())
        return false;
    return saveToFile(m_fileName);
}

bool TfrmVelDesign::saveAs(const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    return saveToFile(fileName);
}

bool TfrmVelDesign::saveToFile(const QString& fileName)
{
    m_lastError.clear();
    beforeSave();
    bool saved = false;
    try {
        reportfile::saveReport(*this, fileName);
        saved = true;
    } catch (const std::exception& error) {
        fail(QString::fromUtf8(error.what()));
    }
    // A form-source export writes the report in another product's format: the document
    // keeps its own file name and its changes count as not saved.
    if (saved && filekind::of(fileName) != TVelFileKind::Dfm) {
        m_modified = false;
        m_fileName = fileName;
    }
    afterSave();
    updateCaption();
    return saved;
}

bool TfrmVelDesign::loadFromFile(const QString& fileName)
{
    m_lastError.clear();
    try {
        reportfile::loadReport(*this, fileName);
    } catch (const std::exception& error) {
        fail(QString::fromUtf8(error.what()));
        updateCaption();
        return false;
    }
    m_fileName = fileName;
    completeAfterLoad();
    documentReady();
    clearModifiedFlag();
    updateCaption();
    return true;
}

void TfrmVelDesign::beforeSave()
{
    m_wasDesigning = isDesigning();
    for (TComponent* component : components()) {
        if (auto* dataSet = qobject_cast<TDataSet*>(component)) {
            try {
                dataSet->setActive(false);
            } catch (const std::exception&) {
                // A dataset that does not close stays open; the save goes on.
            }
        }
    }
    if (TScrollBox* box = reportOwner())
        box->scrollTo(QPoint());
    if (m_report) {
        m_report->setLeft(0);
        m_report->setTop(0);
    }
    setDesigning(false);
}

void TfrmVelDesign::afterSave()
{
    if (m_wasDesigning)
        setDesigning(true);
}

void TfrmVelDesign::beforeLoad()
{
    delete reportOwner();
}

void TfrmVelDesign::clear()
{
    TScrollBox* box = reportOwner();
    const QList<TComponent*> owned = components();
    for (qsizetype i = owned.size() - 1; i >= 0; --i) {
        // A component freed with its parent control is already gone.
        if (owned[i] != box && components().contains(owned[i]))
            delete owned[i];
    }
    m_report = nullptr;
    m_legacyDataModule = nullptr;
}

void TfrmVelDesign::completeAfterLoad()
{
    m_report = nullptr;
    for (TComponent* component : components()) {
        if (auto* report = qobject_cast<TReport*>(component)) {
            m_report = report;
            break;
        }
    }
    if (!m_report) {
        m_report = new TReport(this);
        m_report->setNameUnchecked(names::uniqueName(this, QString::fromLatin1(kReportName)));
    } else if (m_report->name().isEmpty()) {
        m_report->setNameUnchecked(names::uniqueName(this, QString::fromLatin1(kReportName)));
    }
    updateBandNameTags();
}

void TfrmVelDesign::documentReady()
{
    setDesigning(true);
    ensureScriptHolder();
    TScrollBox* box = reportOwner();
    if (!box)
        box = newReportOwner(this);
    box->setParentControl(this);
    box->setAlign(Doc::TAlign::alClient);
    if (m_report) {
        m_report->setParentControl(box);
        m_report->setLeft(0);
        m_report->setTop(0);
    }
    box->scrollTo(QPoint());
    setHelpContext(kHelpContext);
}

void TfrmVelDesign::addMissingDataSources()
{
    QList<TDataSet*> shown;
    QList<TDataSet*> dataSets;
    for (TComponent* component : components()) {
        if (auto* source = qobject_cast<TDataSource*>(component); source && source->dataSet())
            shown.append(source->dataSet());
        else if (auto* dataSet = qobject_cast<TDataSet*>(component))
            dataSets.append(dataSet);
    }
    for (TDataSet* dataSet : dataSets) {
        if (shown.contains(dataSet))
            continue;
        auto* source = new TDataSource(this);
        source->setNameUnchecked(names::defaultName(this, source->className()));
        source->setDataSet(dataSet);
    }
}

void TfrmVelDesign::ensureScriptHolder()
{
    if (scriptHolder())
        return;
    auto* holder = new TVelMemo(this);
    holder->setNameUnchecked(QLatin1String(TVelMemo::kScriptHolderName));
}

void TfrmVelDesign::updateBandNameTags()
{
    const bool show = preferences().showBandNames;
    for (TComponent* component : components()) {
        auto* band = qobject_cast<TRpCustomBand*>(component);
        if (!band)
            continue;
        TRpName* tag = nullptr;
        for (TComponent* owned : band->components()) {
            if ((tag = qobject_cast<TRpName*>(owned)))
                break;
        }
        if (!show) {
            delete tag;
            continue;
        }
        if (!tag) {
            tag = new TRpName(band);
            tag->setParentControl(band);
        }
        tag->setBounds(4, 4, tag->width(), tag->height());
        tag->font()->setName(QStringLiteral("Arial"));
        tag->font()->setSize(10);
        tag->font()->setColor(TColor::fromQColor(rpdesign::bandNameTagColor(band->color().toQColor())));
        tag->setCaption(band->name());
    }
}

void TfrmVelDesign::defineProperties(TPropertyDefiner& definer)
{
    TControl::defineProperties(definer);
    // Old files name the window's datamodule; it must already be loaded. Never written.
    definer.defineProperty(
        QStringLiteral("DataModule"),
        [this](const TStreamValue& value) {
            const QString name = value.text();
            if (name.isEmpty())
                return;
            auto* dataModule = qobject_cast<TVelDataModule*>(TVelApplication::instance().findTopLevel(name));
            if (!dataModule)
                throw EVelError(QStringLiteral("DataModule %1 not loaded").arg(name));
            m_legacyDataModule = dataModule;
        },
        nullptr, false);
}
