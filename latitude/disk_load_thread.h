#pragma once

#include "app/visit/visit_control.h"

#include <functional>
#include <memory>
#include <string>

// One read of the disk-load thread's file; false when it failed.
using DiskLoadRead = std::function<bool()>;
// Opens the file the thread reads; an empty read when it cannot be opened.
using DiskLoadOpen = std::function<DiskLoadRead()>;

// Opens strFile (the program's own by default) so that every read of its start
// reaches the storage (see UncachedFile).
DiskLoadRead OpenDiskLoadFile(const std::string& strFile = "/proc/self/exe");

// Keeps the disk busy for one visit by reading the opened file over and over,
// at idle priority, while the visit's window exists and its run flag is set,
// holding still at the visit's gate between reads. A failed open or read ends
// the reading for good; the thread then only waits, idly, for its end.
void DiskLoadThreadProc(std::shared_ptr<VisitControl> pControl, const DiskLoadOpen& open);
