#pragma once

#include <functional>

// Runs fn on the GUI thread, later; safe to call from any thread.
void PostToGui(std::function<void()> fn);
