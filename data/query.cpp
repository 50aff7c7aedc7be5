#include "data/query.h"

#include "core/error.h"
#include "core/strings.h"
#include "core/strings/program_texts.h"
#include "data/data_source.h"
#include "data/field.h"
#include "data/local_database.h"
#include "data/params.h"

TQuery::TQuery(TComponent* owner) : TDBDataSet(owner), m_sql(new TStrings(this)), m_params(new TParams(this))
{
    m_sql->setOnChange([this] {
        // A new statement closes the query; its records no longer belong to it.
        if (!isLoading())
            close();
        if (m_paramCheck)
            learnParams();
    });
}

TQuery::~TQuery()
{
    m_sql->setOnChange({});
}

void TQuery::learnParams()
{
    m_params->setNames(sqlparams::parse(m_sql->text()).names);
}

void TQuery::defineProperties(TPropertyDefiner& definer)
{
    TDBDataSet::defineProperties(definer);
    definer.defineProperty(
        QStringLiteral("ParamData"),
        [this](const TStreamValue& stored) {
            m_params->readStoredItems(stored);
            // The statement decides which parameters there are, whichever was read first.
            if (m_paramCheck && !m_sql->text().trimmed().isEmpty())
                learnParams();
        },
        [this] { return m_params->storedItems(); }, m_params->count() > 0);
}

void TQuery::setDataSource(TDataSource* source)
{
    m_dataSource = source;
    followMaster(source);
    masterChanged();
}

QVariantList TQuery::parameterValues(const QStringList& markers) const
{
    TDataSet* master = m_dataSource ? m_dataSource->dataSet() : nullptr;
    if (master == this)
        master = nullptr;
    QVariantList values;
    for (const QString& marker : markers) {
        TParam* param = m_params->findParam(marker);
        if (!param)
            throw EVelError(QStringLiteral("Parameter '%1' not found").arg(marker));
        TField* masterField = !param->bound() && master && master->active() ? master->findField(marker) : nullptr;
        values.append(masterField ? masterField->value() : param->boundValue());
    }
    return values;
}

std::unique_ptr<TRecordCursor> TQuery::createCursor()
{
    const sqlparams::ParsedSql parsed = sqlparams::parse(m_sql->text());
    if (parsed.text.trimmed().isEmpty())
        throw EVelError(QStringLiteral("No SQL statement available"));
    m_boundValues = parameterValues(parsed.markers);
    return database()->runQuery(parsed.text, m_boundValues);
}

QString TQuery::openErrorMessage(const QString& engineMessage) const
{
    return formatOpenError(programTexts().cantOpenQuery, engineMessage);
}

void TQuery::masterChanged()
{
    if (!active())
        return;
    QVariantList values;
    try {
        values = parameterValues(sqlparams::parse(m_sql->text()).markers);
    } catch (const EVelError&) {
        return;
    }
    if (values == m_boundValues)
        return;
    try {
        refresh();
    } catch (const EVelError&) {
    }
}
