#include "data/db_dataset.h"

#include "core/error.h"
#include "data/data_source.h"
#include "data/local_database.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

// The open datasets of the local engine. When the application ends they close, before
// the database connections do (routines added later run earlier), so that no cursor is
// left on a connection that has gone.
QList<QPointer<TDBDataSet>>& openDataSets()
{
    static QList<QPointer<TDBDataSet>> dataSets;
    return dataSets;
}

bool closesWithTheApplication = false;

void closeAtExit()
{
    closesWithTheApplication = false;
    QList<QPointer<TDBDataSet>>& dataSets = openDataSets();
    while (!dataSets.isEmpty()) {
        const QPointer<TDBDataSet> dataSet = dataSets.takeLast();
        if (dataSet)
            dataSet->close();
    }
}

void closeWithTheApplication(TDBDataSet* dataSet)
{
    openDataSets().append(dataSet);
    if (closesWithTheApplication)
        return;
    closesWithTheApplication = true;
    qAddPostRoutine(closeAtExit);
}

} // namespace

TDBDataSet::TDBDataSet(TComponent* owner) : TDataSet(owner)
{
    connect(this, &TDataSet::afterOpen, this, [this] { closeWithTheApplication(this); });
    connect(this, &TDataSet::afterClose, this, [this] {
        openDataSets().removeAll(this);
        m_database.reset();
    });
}

TDBDataSet::~TDBDataSet()
{
    disconnect(m_masterConnection);
    close();
}

void TDBDataSet::setDatabaseName(const QString& name)
{
    checkInactive();
    m_databaseName = name;
    m_database.reset();
}

void TDBDataSet::checkInactive() const
{
    if (active())
        throw EVelError(QStringLiteral("%1: Cannot perform this operation on an open dataset").arg(name()));
}

std::shared_ptr<TLocalDatabase> TDBDataSet::database()
{
    if (!m_database)
        m_database = localdatabases::open(m_databaseName);
    return m_database;
}

void TDBDataSet::followMaster(TDataSource* source)
{
    disconnect(m_masterConnection);
    m_masterConnection = {};
    if (source)
        m_masterConnection = connect(source, &TDataSource::dataChanged, this, [this] { masterChanged(); });
}

QString TDBDataSet::formatOpenError(const QString& format, const QString& engineMessage) const
{
    QString text = format;
    text.replace(QLatin1String("%s"), name());
    if (!text.isEmpty() && !text.back().isSpace())
        text += u' ';
    return text + engineMessage;
}
