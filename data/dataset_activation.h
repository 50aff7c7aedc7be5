// Opening and closing datasets together with their masters, and every dataset of a
// report window or datamodule. Masters come from the dataset information plug-ins.
#pragma once

#include <functional>

class TComponent;
class TDataSet;

namespace datasetactivation {

// None → false; already open → true; otherwise the master chain is opened first (its
// result not looked at), then the dataset → true. A failure is shown through the
// standard exception display and gives false. A chain that comes back to a dataset
// already on it stops there instead of looping.
bool OpenDataSetChain(TDataSet* dataSet);
// None → false; closed → true; otherwise the master chain is closed first, then the
// dataset → true; a failure is shown and gives false.
bool CloseDataSetChain(TDataSet* dataSet);
// Opens every owned dataset with its chain, and every dataset of each linked datamodule;
// true when every owned dataset opened. None → false.
bool OpenAllDataSets(TComponent* container);
// Closes every owned open dataset; a failure beeps and makes the result false. Linked
// datamodules are left alone. None → false.
bool CloseAllDataSets(TComponent* container);

// The datamodule a datamodule link component refers to, or none for any other
// component. Installed by the document layer, which owns the link class.
void setLinkedContainerResolver(std::function<TComponent*(TComponent* component)> resolver);

} // namespace datasetactivation
