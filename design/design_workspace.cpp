#include "design/design_workspace.h"

namespace {
IVelWorkspace* g_workspace = nullptr;
}

IVelWorkspace* velWorkspace()
{
    return g_workspace;
}

void setVelWorkspace(IVelWorkspace* workspace)
{
    g_workspace = workspace;
}
