#pragma once

// Priorities a worker sets for itself. Failures leave the priority as it was.
void RunThisThreadAtIdlePriority();
void RunThisThreadBelowNormal();
