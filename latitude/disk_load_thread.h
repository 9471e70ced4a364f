#pragma once

#include "app/visit_control.h"

#include <memory>
#include <string>

// Keeps the disk busy for one visit by reading the first kilobyte of the given
// file (the program's own) over and over, past the page cache, at idle priority,
// while the visit's window exists and its run flag is set. A failed open or read
// ends the reading for good; the thread then only waits, idly, for its end.
void DiskLoadThreadProc(std::shared_ptr<VisitControl> pControl, const std::string& strFile = "/proc/self/exe");
