// What surrounds a generation pass when a report is previewed, printed or run headless:
// the datasets of the document and of its linked datamodules, parameter values, the
// datasets opened with their master chains and closed afterwards, and every object out
// of the designing state for the time of the run.
#pragma once

#include <QHash>
#include <QPointer>
#include <QList>
#include <QString>

#include <utility>

class TComponent;
class TDataSet;
class TReport;
struct TRpPassOptions;

class TRpRunSession {
public:
    // `dataModules` are the containers of the datamodules the report's document links to.
    TRpRunSession(TReport& report, QList<TComponent*> dataModules = {});
    // Closes the document's own datasets and puts every object back into the designing
    // state it had.
    ~TRpRunSession();
    TRpRunSession(const TRpRunSession&) = delete;
    TRpRunSession& operator=(const TRpRunSession&) = delete;

    // The document's datasets followed by those of the linked datamodules.
    const QList<TDataSet*>& dataSets() const { return m_dataSets; }

    // Gives parameters of the datasets' queries the values, by parameter name (any case),
    // converted by each parameter's data type as the parameter prompt would; a parameter
    // named here gets the value even when it would follow a master. Parameters not named
    // keep their stored values. Raises EVelError for a value that is no value
    // of its type; answers the names no dataset has.
    QStringList setParameters(const QHash<QString, QString>& values);

    // Opens every dataset with its master chain; raises EVelError with the first failure.
    void openDataSets();

    // Pass options for the run: the datamodules' datasets and the band print conditions.
    void fillPassOptions(TRpPassOptions& options) const;

private:
    void recordDesigning(TComponent* component);

    TReport& m_report;
    TComponent* m_root;
    QList<TComponent*> m_dataModules;
    QList<TDataSet*> m_dataSets;
    QList<TDataSet*> m_ownDataSets;
    // Each component with the designing state it had, owners before what they own.
    QList<std::pair<QPointer<TComponent>, bool>> m_designing;
};
