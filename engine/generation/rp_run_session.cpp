#include "engine/generation/rp_run_session.h"

#include "core/error.h"
#include "data/data_notices.h"
#include "data/dataset.h"
#include "data/dataset_activation.h"
#include "data/dataset_info.h"
#include "data/param_info.h"
#include "data/params.h"
#include "engine/generation/rp_pass.h"
#include "engine/rp_report.h"

#include <QDateTime>
#include <QPointer>

namespace {

void collectDataSets(const TComponent* owner, QList<TDataSet*>& into)
{
    for (TComponent* component : owner->components()) {
        if (auto* dataSet = qobject_cast<TDataSet*>(component); dataSet && !into.contains(dataSet))
            into.append(dataSet);
        collectDataSets(component, into);
    }
}

bool isTrueText(const QString& text)
{
    const QString value = text.trimmed().toLower();
    return value == QLatin1String("true") || value == QLatin1String("1") || value == QLatin1String("yes");
}

QDateTime dateTimeOfText(const QString& text)
{
    QDateTime value = QDateTime::fromString(text.trimmed(), Qt::ISODate);
    if (!value.isValid())
        value = QDateTime(QDate::fromString(text.trimmed(), Qt::ISODate), QTime(0, 0));
    if (!value.isValid())
        throw EVelError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    return value;
}

// Puts the text into the line's control the way a user would have typed or picked it.
void enterValue(TVelParamInfo& line, const QString& text)
{
    IVelParamControl* control = line.control();
    switch (control->kind()) {
    case IVelParamControl::Kind::CheckBox:
        control->setChecked(isTrueText(text));
        break;
    case IVelParamControl::Kind::DateTimePicker:
        control->setDateTime(dateTimeOfText(text));
        break;
    case IVelParamControl::Kind::Edit:
        control->setText(text);
        break;
    }
}

// Converts the text by the parameter's type as the parameter prompt's line would; a
// parameter of no known type takes the text.
void storeValue(TParam& param, const QString& text)
{
    if (param.dataType() == TFieldType::ftUnknown) {
        param.setValue(text);
        return;
    }
    TComponent owner;
    auto* line = new TVelParamInfo(&owner);
    line->setParam(&param);
    line->setControl(TVelParamInfo::createControl(IVelParamControl::kindFor(param.dataType()), &owner));
    enterValue(*line, text);
    paramvalues::store(*line);
}

// The parameters of a dataset whose engine has them, whether bound or taken from a master.
TParams* parametersOf(TDataSet* dataSet)
{
    auto* info = qobject_cast<TVelParamDataSetInfo*>(dsinfo::find(dataSet));
    return info ? info->getParams(dataSet) : nullptr;
}

} // namespace

TRpRunSession::TRpRunSession(TReport& report, QList<TComponent*> dataModules)
    : m_report(report), m_root(report.root()), m_dataModules(std::move(dataModules))
{
    dsinfo::registerLocalEngine();
    collectDataSets(m_root, m_ownDataSets);
    m_dataSets = m_ownDataSets;
    for (TComponent* dataModule : std::as_const(m_dataModules))
        if (dataModule)
            collectDataSets(dataModule, m_dataSets);
    // Every state is taken before any is changed: leaving the state passes down to
    // owned components.
    recordDesigning(m_root);
    for (TComponent* dataModule : std::as_const(m_dataModules))
        if (dataModule)
            recordDesigning(dataModule);
    for (const auto& [component, designing] : m_designing)
        component->setDesigning(false);
}

TRpRunSession::~TRpRunSession()
{
    for (TDataSet* dataSet : std::as_const(m_ownDataSets)) {
        try {
            if (dataSet->active())
                dataSet->close();
        } catch (const std::exception&) {
            datanotices::beep();
        }
    }
    // Owners come before what they own, so each component ends with its own state.
    for (const auto& [component, designing] : std::as_const(m_designing)) {
        if (component)
            component->setDesigning(designing);
    }
}

void TRpRunSession::recordDesigning(TComponent* component)
{
    for (const auto& [recorded, designing] : m_designing) {
        if (recorded == component)
            return;
    }
    m_designing.append({component, component->isDesigning()});
    for (TComponent* owned : component->components())
        recordDesigning(owned);
}

QStringList TRpRunSession::setParameters(const QHash<QString, QString>& values)
{
    QHash<QString, QString> byName;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        byName.insert(it.key().toUpper(), it.value());
    QStringList found;
    for (TDataSet* dataSet : std::as_const(m_dataSets)) {
        TParams* params = parametersOf(dataSet);
        for (int i = 0; params && i < params->count(); ++i) {
            TParam* param = params->param(i);
            const QString name = param->name().toUpper();
            if (!byName.contains(name))
                continue;
            storeValue(*param, byName.value(name));
            found.append(name);
        }
    }
    QStringList missing;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!found.contains(it.key().toUpper()))
            missing.append(it.key());
    }
    return missing;
}

void TRpRunSession::openDataSets()
{
    QStringList failures;
    datanotices::setExceptionDisplay([&failures](const QString& message) { failures.append(message); });
    for (TDataSet* dataSet : std::as_const(m_dataSets))
        datasetactivation::OpenDataSetChain(dataSet);
    datanotices::setExceptionDisplay({});
    if (!failures.isEmpty())
        throw EVelError(failures.first());
}

void TRpRunSession::fillPassOptions(TRpPassOptions& options) const
{
    for (TDataSet* dataSet : m_dataSets) {
        if (!m_ownDataSets.contains(dataSet))
            options.extraDataSets.append(dataSet);
    }
    options.bandConditions = true;
}
