#include "engine/expr/expr_environment.h"

#include "engine/expr/expr_messages.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

// Taken when the program loads, before any report is opened.
const QDateTime programStart = QDateTime::currentDateTime();

QString quoted(const QString& text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString applicationTitle()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Velmor") : name;
}

} // namespace

TRpEvVariable::TRpEvVariable(TRpEvEnvironment* environment, const QString& name, const QString& expression)
    : m_environment(environment), m_name(name.toUpper()), m_expression(expression)
{
}

void TRpEvVariable::setExpression(const QString& expression)
{
    m_expression = expression;
    m_constant.reset();
    if (m_evaluator.isPrepared())
        prepare();
}

void TRpEvVariable::prepare()
{
    m_evaluator.setDataSets(m_environment->dataSets());
    m_evaluator.setEnvironment(m_environment);
    m_evaluator.prepare(m_expression);
}

void TRpEvVariable::unprepare()
{
    m_evaluator.unprepare();
}

TRpEvResult TRpEvVariable::value()
{
    if (m_constant)
        return *m_constant;
    if (m_computing)
        return TRpEvResult::error(QLatin1String(exprmsg::recursiveCall));
    // Variables that use variables nest calls; a stored report could chain thousands.
    static int nesting = 0;
    if (nesting >= kMaxVariableNesting)
        return TRpEvResult::error(QLatin1String(exprmsg::tooComplex));
    if (!m_evaluator.isPrepared())
        prepare();
    m_computing = true;
    ++nesting;
    const TRpEvResult result = m_evaluator.value();
    --nesting;
    m_computing = false;
    return result;
}

TRpEvEnvironment::TRpEvEnvironment() = default;
TRpEvEnvironment::~TRpEvEnvironment() = default;

TRpEvEnvironment& TRpEvEnvironment::global()
{
    static TRpEvEnvironment environment;
    static const bool filled = [] {
        const QLocale locale;
        environment.add(QStringLiteral("AppStartTime"), quoted(locale.toString(programStart.time(), QLocale::ShortFormat)));
        environment.add(QStringLiteral("AppStartDate"), quoted(locale.toString(programStart.date(), QLocale::ShortFormat)));
        environment.add(QStringLiteral("AppName"), quoted(applicationTitle()));
        return true;
    }();
    Q_UNUSED(filled);
    return environment;
}

void TRpEvEnvironment::addNewReportVariables()
{
    add(QStringLiteral("PAGENUMBER"), QStringLiteral("0"));
    add(QStringLiteral("COLUMNNUMBER"), QStringLiteral("0"));
    add(QStringLiteral("REPORTTITLE"), QStringLiteral("''"));
}

int TRpEvEnvironment::indexOf(const QString& name) const
{
    const QString upper = name.toUpper();
    for (int i = 0; i < m_variables.size(); ++i) {
        if (m_variables[i]->name() == upper)
            return i;
    }
    return -1;
}

QString TRpEvEnvironment::name(int index) const
{
    return m_variables.value(index) ? m_variables[index]->name() : QString();
}

QString TRpEvEnvironment::expression(int index) const
{
    return m_variables.value(index) ? m_variables[index]->expression() : QString();
}

std::shared_ptr<TRpEvVariable> TRpEvEnvironment::find(const QString& name) const
{
    const int index = indexOf(name);
    return index < 0 ? nullptr : m_variables[index];
}

bool TRpEvEnvironment::add(const QString& name, const QString& expression)
{
    if (indexOf(name) >= 0)
        return false;
    m_variables.append(std::make_shared<TRpEvVariable>(this, name, expression));
    if (isPrepared())
        m_variables.last()->prepare();
    return true;
}

void TRpEvEnvironment::setExpression(const QString& name, const QString& expression)
{
    if (const auto variable = find(name))
        variable->setExpression(expression);
    else
        add(name, expression);
}

void TRpEvEnvironment::setConstant(const QString& name, const TRpEvResult& value)
{
    if (indexOf(name) < 0)
        add(name, value.isError() ? QString() : value.displayText());
    find(name)->m_constant = value;
}

void TRpEvEnvironment::clearConstant(const QString& name)
{
    if (const auto variable = find(name))
        variable->m_constant.reset();
}

void TRpEvEnvironment::rename(int index, const QString& name)
{
    if (m_variables.value(index))
        m_variables[index]->m_name = name.toUpper();
}

void TRpEvEnvironment::remove(const QString& name)
{
    const int index = indexOf(name);
    if (index >= 0)
        m_variables.removeAt(index);
}

void TRpEvEnvironment::clear()
{
    m_variables.clear();
}

QStringList TRpEvEnvironment::names() const
{
    QStringList list;
    for (const auto& variable : m_variables)
        list.append(variable->name());
    return list;
}

QStringList TRpEvEnvironment::expressions() const
{
    QStringList list;
    for (const auto& variable : m_variables)
        list.append(variable->expression());
    return list;
}

void TRpEvEnvironment::setNames(const QStringList& names)
{
    while (m_variables.size() > names.size())
        m_variables.removeLast();
    for (int i = 0; i < names.size(); ++i) {
        if (i < m_variables.size())
            rename(i, names[i]);
        else
            m_variables.append(std::make_shared<TRpEvVariable>(this, names[i], QString()));
    }
}

void TRpEvEnvironment::setExpressions(const QStringList& expressions)
{
    for (int i = 0; i < m_variables.size() && i < expressions.size(); ++i)
        m_variables[i]->setExpression(expressions[i]);
}

TRpEvResult TRpEvEnvironment::value(const QString& name) const
{
    const auto variable = find(name);
    return variable ? variable->value() : TRpEvResult::error(exprmsg::unknownFunction(name));
}

void TRpEvEnvironment::setDataSets(const QList<IRpEvDataSet*>& dataSets)
{
    m_dataSets = dataSets;
}

void TRpEvEnvironment::prepare()
{
    if (m_prepareCount++ > 0)
        return;
    for (const auto& variable : m_variables)
        variable->prepare();
}

void TRpEvEnvironment::unprepare()
{
    if (m_prepareCount == 0 || --m_prepareCount > 0)
        return;
    for (const auto& variable : m_variables)
        variable->unprepare();
}

TRpEvElementWrapper::TRpEvElementWrapper(const std::shared_ptr<TRpEvVariable>& variable)
    : m_variable(variable), m_name(variable->name())
{
}

TRpEvResult TRpEvElementWrapper::value(TRpEvaluator&)
{
    const auto variable = m_variable.lock();
    if (!variable)
        return TRpEvResult::error(exprmsg::unknownFunction(m_name));
    return variable->value();
}
