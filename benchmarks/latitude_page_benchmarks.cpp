// The latitude page's full repaint with a day's 86,400 track points against one
// marker step at the device pixel ratios 1, 1.25 and 1.5 (times QT_SCALE_FACTOR), with
// an even and an odd client width, the process's memory with such a track, and how long
// "Abbrechen" keeps the GUI thread from its question while a disk read hangs.
#include "benchmark_application.h"
#include "latitude/latitude_page.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <fstream>
#include <string>

namespace {

struct NoLocation : ILocationSource {
    std::optional<LocationCodes> QueryLocation() override { return std::nullopt; }
};

// A clock whose run never gets past its first step, so only the benchmark draws.
struct StoppedClock : ILatitudeClock {
    std::atomic<bool> bEnd{false};
    std::int64_t Now() override { return 1'700'000'000; }
    void Sleep50Milliseconds() override { bEnd.wait(false); }
};

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string strKey;
    long nValue = 0;
    while (status >> strKey)
        if (strKey == "VmRSS:" && status >> nValue)
            return nValue;
    return -1;
}

// Shown on the screen of ratio state.range(0) / 100 with a client area state.range(1) pixels wide.
struct PageWithDayTrack {
    NoLocation location;
    StoppedClock clock;
    CLatitudePage page{location, clock, [] { return OpenDiskLoadFile(); }};
    BenchmarkPageHost host;
    long nKilobytesBefore = 0;
    bool bPlaced = false;

    explicit PageWithDayTrack(const benchmark::State& state)
    {
        EnsureBenchmarkApplication();
        page.Create(nullptr, host);
        page.Visit()->m_bDiskRun = false; // the disk is left alone
        QWidget& window = *page.Window();
        bPlaced = PlaceOnScreenAtRatio(window, static_cast<qreal>(state.range(0)) / 100.0);
        window.resize(640, 480);
        window.resize(static_cast<int>(state.range(1)) + window.width() - window.contentsRect().width(), 480);
        window.show();
        window.repaint();
        nKilobytesBefore = ResidentKilobytes();
        for (int i = 0; i < 86'400; ++i)
            page.DrawMarker({LatPoint{i * 6.283185307179586 / 86'400, 1.0 + (i % 200 - 100) * 0.004},
                             true, 1 + i / 864});
        QCoreApplication::processEvents();
    }
    ~PageWithDayTrack()
    {
        page.DestroyWindow();
        clock.bEnd = true;
        clock.bEnd.notify_all();
    }
    void Describe(benchmark::State& state) const
    {
        if (!bPlaced)
            state.SkipWithError("no screen of that ratio");
        state.counters["ratio"] = page.Window()->devicePixelRatioF();
        state.counters["client_width"] = page.Window()->contentsRect().width();
    }
};

// The ratios 1, 1.25 and 1.5, each with an even and an odd client width.
void AtRatiosAndWidths(benchmark::internal::Benchmark* pBenchmark)
{
    for (const int nRatio : {100, 125, 150})
        for (const int nWidth : {636, 637})
            pBenchmark->Args({nRatio, nWidth});
}

void BM_LatitudeFullRepaintWithDayTrack(benchmark::State& state)
{
    PageWithDayTrack fixture(state);
    for (auto _ : state) {
        // As after a change of the desktop's colours: the page draws its whole picture afresh.
        fixture.page.OnPaletteChange();
        fixture.page.Window()->repaint();
    }
    fixture.Describe(state);
    state.counters["track"] = static_cast<double>(fixture.page.Track().size());
    state.counters["rss_kB"] = static_cast<double>(ResidentKilobytes());
    state.counters["rss_before_track_kB"] = static_cast<double>(fixture.nKilobytesBefore);
}
BENCHMARK(BM_LatitudeFullRepaintWithDayTrack)->Apply(AtRatiosAndWidths)->Unit(benchmark::kMicrosecond);

void BM_LatitudeMarkerStep(benchmark::State& state)
{
    PageWithDayTrack fixture(state);
    int i = 0;
    for (auto _ : state) {
        fixture.page.DrawMarker({LatPoint{++i * 1e-4, 1.0}, false, 100});
        QCoreApplication::processEvents();
    }
    fixture.Describe(state);
}
BENCHMARK(BM_LatitudeMarkerStep)->Apply(AtRatiosAndWidths)->Unit(benchmark::kMicrosecond);

struct TimedMessageBox : IMessageBox {
    std::chrono::steady_clock::time_point shownAt;
    std::int64_t nShown = 0;
    MessageAnswer Show(const std::string&, MessageIcon, MessageButtons) override
    {
        shownAt = std::chrono::steady_clock::now();
        ++nShown;
        return MessageAnswer::No;
    }
};

// Both threads are stuck: the measurement thread in its pause, the disk-load
// thread in a read that ends only with the benchmark. Each iteration is one
// click on "Abbrechen" answered "Nein".
void BM_LatitudeCancelQuestionWhileAReadHangs(benchmark::State& state)
{
    EnsureBenchmarkApplication();
    TimedMessageBox box;
    BenchmarkPageHost host;
    host.pMessageBox = &box;
    NoLocation location;
    StoppedClock clock;
    std::promise<void> readMayEnd;
    const std::shared_future<void> readEnds = readMayEnd.get_future().share();
    std::atomic<bool> bInRead{false};
    CLatitudePage page(location, clock, [&]() -> DiskLoadRead {
        return [&bInRead, readEnds] {
            bInRead = true;
            readEnds.wait();
            return true;
        };
    });
    page.Create(nullptr, host);
    page.Window()->resize(640, 480);
    page.Window()->grab();
    while (!bInRead)
        std::this_thread::yield();
    const Rect rcCancel = page.LinkRect(0);
    const int x = (rcCancel.left + rcCancel.right) / 2, y = (rcCancel.top + rcCancel.bottom) / 2;

    double dWaitedSeconds = 0.0;
    for (auto _ : state) {
        page.OnMouseMove(x, y);
        page.OnLButtonDown(x, y);
        const auto clicked = std::chrono::steady_clock::now();
        page.OnLButtonUp(x, y);
        dWaitedSeconds += std::chrono::duration<double>(box.shownAt - clicked).count();
    }
    if (box.nShown != static_cast<std::int64_t>(state.iterations()))
        state.SkipWithError("not every click asked the question");
    state.counters["wait_until_question_us"] =
        benchmark::Counter(dWaitedSeconds * 1e6, benchmark::Counter::kAvgIterations);

    page.DestroyWindow();
    readMayEnd.set_value();
    clock.bEnd = true;
    clock.bEnd.notify_all();
}
BENCHMARK(BM_LatitudeCancelQuestionWhileAReadHangs)->Unit(benchmark::kMicrosecond);

} // namespace
