#pragma once

#include "app/visit/visit_control.h"

#include <memory>
#include <string>

// Keeps the disk busy for one visit: walks strRoot and one level below, pass
// after pass, at idle priority, while the visit's window exists and its run
// flag is set, and holds still at the visit's gate between files.
void DiskActivityThreadProc(std::shared_ptr<VisitControl> pControl, const std::string& strRoot);
