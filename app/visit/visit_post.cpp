#include "app/visit/visit_post.h"

#include "app/visit/gui_post.h"

#include <chrono>
#include <future>

void PostToVisit(std::shared_ptr<VisitControl> pVisit, std::function<void()> fn)
{
    PostToGui([pVisit = std::move(pVisit), fn = std::move(fn)] {
        if (pVisit->WindowAlive())
            fn();
    });
}

void RunOnVisitAndWait(const std::shared_ptr<VisitControl>& pVisit, std::function<void()> fn)
{
    auto pDone = std::make_shared<std::promise<void>>();
    std::future<void> done = pDone->get_future();
    PostToVisit(pVisit, [pDone, fn = std::move(fn)] {
        fn();
        pDone->set_value();
    });
    while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready && pVisit->WindowAlive())
        pVisit->m_gate.Pass();
}
