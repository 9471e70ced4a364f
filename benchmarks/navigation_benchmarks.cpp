// The navigation page's GUI-thread cost of one tick's update against a full
// repaint with 10,000 corner points, and the cost of the model's tick.
#include "app/rand15.h"
#include "navigation/navigation_model.h"
#include "benchmark_application.h"
#include "navigation/navigation_page.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <atomic>

namespace {

// A shown navigation page at 640x480 whose track holds 10,000 corner points.
// Its thread made its first tick and pauses until the end; the disk is left alone.
struct PageWithLongTrack {
    std::atomic<bool> bEnd{false};
    CNavigationPage page{NavigationPageServices{[] { return std::int64_t{1'700'000'000}; },
                                                [this](std::chrono::milliseconds) { bEnd.wait(false); }, "/"}};
    BenchmarkPageHost host;
    double dCourse = 0.0;

    PageWithLongTrack()
    {
        EnsureBenchmarkApplication();
        page.Create(nullptr, host);
        page.Visit()->m_bDiskRun = false;
        page.Window()->resize(640, 480);
        page.Window()->show();
        QCoreApplication::processEvents();
        // The walk the model makes: about eight hours of ticks to 10,000 corners.
        Rand15 rand(1'700'000'000u);
        SpeedHold hold;
        NavigationState walk = StartNavigation(rand);
        while (page.Track().size() < 10'000) {
            NavigationTick(walk, hold, rand);
            page.UpdatePosition(walk.pos, walk.dCourse, walk.dSpeed);
        }
        dCourse = walk.dCourse;
        page.Window()->repaint();
    }
    ~PageWithLongTrack()
    {
        page.DestroyWindow();
        bEnd = true;
        bEnd.notify_all();
    }
};

void BM_NavigationUpdatePosition(benchmark::State& state)
{
    PageWithLongTrack t;
    const std::size_t nCorners = t.page.Track().size();
    int i = 0;
    for (auto _ : state) {
        // A straight stretch: the last corner moves on; then the window shows the change.
        const double dScale = t.page.Scale();
        t.page.UpdatePosition({dScale * (0.2 + 0.0005 * (i++ % 400)), dScale * 0.3}, t.dCourse, 0.03);
        QCoreApplication::processEvents();
    }
    state.counters["corners"] = static_cast<double>(nCorners);
}
BENCHMARK(BM_NavigationUpdatePosition)->Unit(benchmark::kMicrosecond);

void BM_NavigationFullRepaint(benchmark::State& state)
{
    PageWithLongTrack t;
    const std::size_t nCorners = t.page.Track().size();
    for (auto _ : state) {
        // Beyond the scale: the plot is rendered afresh with every corner point.
        t.page.UpdatePosition({t.page.Scale() * 1.000001, 0.0}, t.dCourse, 0.03);
        QCoreApplication::processEvents();
    }
    state.counters["corners"] = static_cast<double>(nCorners);
    state.counters["scale"] = t.page.Scale();
}
BENCHMARK(BM_NavigationFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_NavigationTick(benchmark::State& state)
{
    Rand15 rand(1'700'000'000u);
    SpeedHold hold;
    NavigationState navigation = StartNavigation(rand);
    for (auto _ : state) {
        NavigationTick(navigation, hold, rand);
        benchmark::DoNotOptimize(navigation);
    }
}
BENCHMARK(BM_NavigationTick);

} // namespace
