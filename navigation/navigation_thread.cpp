#include "navigation/navigation_thread.h"

#include "app/visit/linux_thread_priority.h"
#include "app/rand15.h"
#include "navigation/navigation_model.h"

namespace {

// Runs one tick unless the visit has ended; false once it has.
bool TickUnlessEnded(VisitControl& control, SpeedHold& hold, Rand15& rand, NavigationState& state,
                     const NavigationThreadServices& services)
{
    control.m_gate.Pass();
    if (!control.WindowAlive() || control.m_bStop.load(std::memory_order_acquire))
        return false;
    NavigationTick(state, hold, rand);
    services.publish({state.pos, state.dCourse, state.dSpeed});
    return true;
}

} // namespace

void NavigationThreadProc(std::shared_ptr<VisitControl> pControl, SpeedHold& hold, NavigationThreadServices services)
{
    RunThisThreadBelowNormal();
    Rand15 rand(static_cast<std::uint32_t>(services.timeSeconds()));
    NavigationState state = StartNavigation(rand);
    while (TickUnlessEnded(*pControl, hold, rand, state, services))
        services.sleep(std::chrono::milliseconds(NAV_TICK_PAUSE_MS));
    pControl->m_bDiskRun.store(false, std::memory_order_relaxed);
}
