#include "app/visit/visit_post.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

TEST(VisitPost, AThreadWaitingForTheGuiIsAtASafePointAndGoesOnOnceItRanThereOrTheWindowWent)
{
    int argc = 1;
    char szName[] = "visit_post_test";
    char* argv[] = {szName, nullptr};
    QCoreApplication application(argc, argv);
    for (const bool bWindowGoes : {false, true}) {
        auto pVisit = std::make_shared<VisitControl>();
        std::atomic<bool> bReturned{false};
        std::thread::id ranOn;
        pVisit->m_gate.Hold();
        std::thread worker([&] {
            RunOnVisitAndWait(pVisit, [&ranOn] { ranOn = std::this_thread::get_id(); });
            bReturned = true;
        });
        // Held while it waits, the thread parks there and does not go on.
        EXPECT_TRUE(pVisit->m_gate.WaitUntilParked(1, std::chrono::seconds(20)));
        EXPECT_FALSE(bReturned);
        if (bWindowGoes)
            pVisit->m_bWindowAlive = false;
        pVisit->m_gate.Release();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!bReturned && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents();
        worker.join();
        QCoreApplication::processEvents();
        // It ran on the GUI thread, and not at all for a window that went.
        EXPECT_EQ(ranOn, bWindowGoes ? std::thread::id{} : std::this_thread::get_id()) << bWindowGoes;
    }
}
