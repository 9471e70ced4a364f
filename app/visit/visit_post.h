#pragma once

#include "app/visit/visit_control.h"

#include <functional>
#include <memory>

// Runs fn later on the GUI thread, and only while the visit's window still exists,
// which also means its page does. Safe to call from any thread.
void PostToVisit(std::shared_ptr<VisitControl> pVisit, std::function<void()> fn);

// From a thread of the visit: runs fn as PostToVisit does and waits for it, as a
// thread showing its own box would. Waiting counts as a safe point of the visit's
// gate, and a window closed meanwhile ends the wait.
void RunOnVisitAndWait(const std::shared_ptr<VisitControl>& pVisit, std::function<void()> fn);
