#include "../client_at_ratio.h"
#include "../frame_fixture.h"
#include "calibration/calibration_page.h"
#include "latitude/latitude_page.h"
#include "navigation/navigation_page.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ManualLegTimer : ILegTimer {
    std::function<void()>& fnTick;
    explicit ManualLegTimer(std::function<void()>& fn) : fnTick(fn) {}
    void Start(std::function<void()> fn) override { fnTick = std::move(fn); }
    void Stop() override {}
};
struct OnBattery : IPowerStatus {
    std::optional<bool> OnMains() override { return false; }
};
struct NoLocation : ILocationSource {
    std::optional<LocationCodes> QueryLocation() override { return std::nullopt; }
};
// The measurement threads stop at their first pause until the test ends.
struct HeldClock : ILatitudeClock {
    std::atomic<bool> bEnd{false};
    std::int64_t Now() override { return 1'700'000'000; }
    void Sleep50Milliseconds() override { bEnd.wait(false); }
};

// The four real pages, each shown in a state with a title, thick parts, a track and the cross.
struct AllPages {
    OnBattery battery;
    NoLocation location;
    HeldClock clock;
    QTemporaryDir root;
    std::function<void()> fnLegTick;
    FrameFixture frame{"TOSHIBA MK4019GAX", "rabcdefghijklmnopq", [this] {
        ActivityPages activities;
        activities.pCalibration = std::make_unique<CCalibrationPage>(battery, root.path().toStdString(), [this] {
            return std::make_unique<ManualLegTimer>(fnLegTick);
        });
        activities.pNavigation = std::make_unique<CNavigationPage>(NavigationPageServices{
            [] { return std::int64_t{1'700'000'000}; }, [this](auto) { clock.bEnd.wait(false); }, root.path().toStdString()});
        activities.pLatitude = std::make_unique<CLatitudePage>(location, clock, [] { return OpenDiskLoadFile(); });
        return activities;
    }};
    ~AllPages()
    {
        clock.bEnd = true;
        clock.bEnd.notify_all();
    }

    // What a page's thread posts before its first pause is applied before the test draws.
    static void ApplyFirstStep(const std::function<bool()>& applied)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!applied() && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_TRUE(applied());
    }

    // Opens page i in its state; returns its window.
    QWidget& Show(int i)
    {
        frame.pFrame->SwitchPage(PAGE_START);
        frame.pFrame->SwitchPage(i);
        CPageWnd* pPage = frame.pFrame->Page(i);
        if (auto* pCalibration = dynamic_cast<CCalibrationPage*>(pPage)) {
            const QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
            for (int nTicks : {0, 84, 0, 12}) { // the first walk done, the first turn half way
                pCalibration->OnKeyDown(key);
                for (int n = 0; n < nTicks; ++n)
                    fnLegTick();
            }
        } else if (auto* pNavigation = dynamic_cast<CNavigationPage*>(pPage)) {
            ApplyFirstStep([&] { return !pNavigation->Track().empty(); });
            for (int n = 0; n < 12; ++n)
                pNavigation->UpdatePosition({0.1 * n, 0.1 * (n % 3) - 0.8}, n, 0.02);
        } else if (auto* pLatitude = dynamic_cast<CLatitudePage*>(pPage)) {
            pLatitude->Visit()->m_bDiskRun = false;
            ApplyFirstStep([&] { return pLatitude->Visit()->m_nAppliedSteps > 0; });
            for (int n = 0; n < 3000; ++n)
                pLatitude->DrawMarker({LatPoint{n * 1e-3, 1.0 + (n % 100) * 0.004}, true, n / 30});
        }
        return *pPage->Window();
    }
};

// The desktop switches its colours; the windows learn of it from their event queue.
void UsePalette(const QPalette& palette)
{
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();
}

double Luminance(QRgb rgb)
{
    auto linear = [](int c) { return c <= 10 ? c / 255.0 / 12.92 : std::pow((c / 255.0 + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST(PageDisplay, TitlesMatchOnEveryPageAndTheCrossLeavesNoTraceAtEveryRatio)
{
    AllPages t;
    for (const qreal r : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
        SCOPED_TRACE(r);
        for (int i = PAGE_START; i <= PAGE_LATITUDE; ++i) {
            QWidget& window = t.Show(i);
            // The whole window as a screen of this ratio shows it: the page's client area
            // may begin within a device pixel, where the title must land as anywhere else.
            QImage screen(static_cast<int>(std::ceil(t.frame.pFrame->width() * r)),
                          static_cast<int>(std::ceil(t.frame.pFrame->height() * r)), QImage::Format_RGB32);
            screen.setDevicePixelRatio(r);
            t.frame.pFrame->render(&screen);
            // "Quorvel" drawn straight onto the page's background at the same place.
            QImage reference(screen.size(), QImage::Format_RGB32);
            reference.setDevicePixelRatio(r);
            reference.fill(window.palette().color(QPalette::Base));
            const QPoint origin = window.mapTo(t.frame.pFrame.get(), window.contentsRect().topLeft());
            QPainter painter(&reference);
            QFont font(QStringLiteral("Arial"));
            font.setPixelSize(window.logicalDpiY() * 140 / 720);
            font.setBold(true);
            font.setItalic(true);
            painter.setFont(font);
            painter.setPen(window.palette().color(QPalette::Text));
            painter.drawText(origin + QPoint(10, 10 + painter.fontMetrics().ascent()), QStringLiteral("Quorvel"));
            const Rect rcTitle = t.frame.pFrame->Page(i)->Parts()[0].rc;
            const QRect title(static_cast<int>(std::ceil(origin.x() * r)), static_cast<int>(std::ceil(origin.y() * r)),
                              static_cast<int>((rcTitle.right + 8) * r), static_cast<int>((rcTitle.bottom + 4) * r));
            const QImage shown = screen.copy(title), drawn = reference.copy(title);
            int nDiffering = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    nDiffering += shown.pixel(x, y) != drawn.pixel(x, y);
            EXPECT_EQ(nDiffering, 0) << "page " << i << ", the client at " << origin.x() * r << ", " << origin.y() * r;
        }
        // The cross moved away and back leaves the picture as it was.
        auto& latitude = static_cast<CLatitudePage&>(*t.frame.pFrame->Page(PAGE_LATITUDE));
        const QImage before = ClientAtRatio(*latitude.Window(), r);
        latitude.DrawMarker({LatPoint{4.0, 1.2}, false, 0});
        EXPECT_NE(ClientAtRatio(*latitude.Window(), r), before);
        latitude.DrawMarker({latitude.Track().back(), false, 0});
        EXPECT_EQ(ClientAtRatio(*latitude.Window(), r), before);
    }
}

TEST(PageDisplay, DarkAndHighContrastPalettesKeepEveryForegroundPixelReadableAndTheTrack)
{
    AllPages t;
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(0xe0, 0xe0, 0xe0), QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Base, QColor(0x23, 0x23, 0x23));
    QPalette highContrast(Qt::white, Qt::black);
    highContrast.setColor(QPalette::Base, Qt::black);
    for (const QPalette& palette : {dark, highContrast}) {
        for (int i = PAGE_START; i <= PAGE_LATITUDE; ++i) {
            UsePalette(light);
            QWidget& window = t.Show(i);
            const QImage lit = ClientAtRatio(window, 1.5);
            UsePalette(palette);
            const QImage shown = ClientAtRatio(window, 1.5);
            int nForeground = 0, nUnreadable = 0;
            for (int y = 0; y < lit.height(); ++y)
                for (int x = 0; x < lit.width(); ++x)
                    if (qGray(lit.pixel(x, y)) < 128 && ++nForeground &&
                        Contrast(shown.pixel(x, y), palette.color(QPalette::Base).rgb()) < 3.0)
                        ++nUnreadable;
            EXPECT_GT(nForeground, 2000) << "page " << i;
            EXPECT_EQ(nUnreadable, 0) << "page " << i;
        }
    }
    // The latitude page's track, dot for dot, in white on black and then at twice the ratio.
    auto& latitude = static_cast<CLatitudePage&>(*t.frame.pFrame->Page(PAGE_LATITUDE));
    const int nTop = latitude.Parts()[0].rc.bottom, nBottom = latitude.Parts()[2].rc.top;
    auto dots = [&](const QImage& image, QRgb colour) {
        std::vector<QPoint> points;
        for (int y = nTop; y < nBottom; ++y)
            for (int x = 0; x < latitude.Window()->contentsRect().width(); ++x)
                if (LogicalPixel(image, x, y) == colour)
                    points.emplace_back(x, y);
        return points;
    };
    UsePalette(light);
    const std::vector<QPoint> track = dots(ClientAtRatio(*latitude.Window(), 1), qRgb(0, 0, 0));
    UsePalette(highContrast);
    EXPECT_EQ(dots(ClientAtRatio(*latitude.Window(), 1), qRgb(255, 255, 255)), track);
    const QImage doubled = ClientAtRatio(*latitude.Window(), 2);
    EXPECT_EQ(dots(doubled, qRgb(255, 255, 255)), track);
    const QImage dial = doubled.copy(0, 2 * nTop, doubled.width(), 2 * (nBottom - nTop));
    EXPECT_EQ(static_cast<std::size_t>(std::count(reinterpret_cast<const QRgb*>(dial.constBits()),
                                                  reinterpret_cast<const QRgb*>(dial.constBits()) + dial.width() * dial.height(),
                                                  qRgb(255, 255, 255))),
              4 * track.size());
    EXPECT_EQ(latitude.Track().size(), 3000u);
    UsePalette(light);
}
