#pragma once

#include "workspace/Workspace.h"

namespace lgbatch {

// The main window's tab strip as the commands see it: every command acts on the list in front.
class ListTabs
{
public:
    virtual Workspace::List currentList() const = 0;
    // Brings a list's tab to the front.
    virtual void showList(Workspace::List list) = 0;

protected:
    ~ListTabs() = default;
};

} // namespace lgbatch
