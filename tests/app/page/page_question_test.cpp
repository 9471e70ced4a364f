#include "app/page/page_wnd.h"
#include "app/page_index.h"
#include "tests/app/fakes.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// A page whose visit gets updates the way a thread posts them.
struct AskingPage : CPageWnd {
    std::shared_ptr<VisitControl> pVisit;
    std::function<void(const int&)> post;
    std::vector<int> applied;
    bool OnCreate() override
    {
        if (!CPageWnd::OnCreate())
            return false;
        pVisit = NewVisit();
        post = VisitPoster<int>([this](const int& n) { applied.push_back(n); });
        return true;
    }
    void OnPaint(QPainter&, int, int) override {}
    bool Ask() { return AskToLeave(); }
};

} // namespace

TEST(PageQuestion, NeinAppliesWhatWaitedInOrderJaStopsTheThreadsBeforeTheyGoOnAndDropsIt)
{
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        const bool bYes = answer == MessageAnswer::Yes;
        FakeMainFrame host;
        host.messageBox.answer = answer;
        AskingPage page;
        ASSERT_TRUE(page.Create(nullptr, host));
        page.post(1);

        std::thread worker;
        std::atomic<bool> bStopSeenAfterGate{false};
        bool bParked = false;
        std::vector<int> appliedWhileOpen{-1};
        host.messageBox.onShow = [&] {
            worker = std::thread([pVisit = page.pVisit, post = page.post, &bStopSeenAfterGate] {
                post(2);
                pVisit->m_gate.Pass();
                bStopSeenAfterGate = pVisit->m_bStop.load();
            });
            bParked = page.pVisit->m_gate.WaitUntilParked(1, std::chrono::seconds(20));
            QCoreApplication::processEvents();
            appliedWhileOpen = page.applied;
        };
        EXPECT_EQ(page.Ask(), bYes);
        worker.join();
        QCoreApplication::processEvents();

        EXPECT_TRUE(bParked);
        EXPECT_EQ(appliedWhileOpen, std::vector<int>{});
        EXPECT_EQ(page.applied, (bYes ? std::vector<int>{} : std::vector<int>{1, 2}));
        EXPECT_EQ(bStopSeenAfterGate, bYes);
        EXPECT_EQ(host.switches, bYes ? std::vector<int>{PAGE_START} : std::vector<int>{});

        // Once the visit is over nothing posted to it lands, on the next visit neither.
        const std::function<void(const int&)> postToOldVisit = page.post;
        page.DestroyWindow();
        postToOldVisit(3);
        ASSERT_TRUE(page.Create(nullptr, host));
        page.applied.clear();
        QCoreApplication::processEvents();
        EXPECT_EQ(page.applied, std::vector<int>{});
        page.DestroyWindow();
    }
}
