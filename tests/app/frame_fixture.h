#pragma once

#include "app/main_frame.h"
#include "fakes.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>

// An activity page that paints nothing and records its visits.
struct RecordingPage : CPageWnd {
    bool bFailCreation = false;
    int nCreated = 0;
    int nDestroyed = 0;
    bool OnCreate() override
    {
        if (bFailCreation || !CPageWnd::OnCreate())
            return false;
        ++nCreated;
        return true;
    }
    void OnDestroy() override { ++nDestroyed; }
    void OnPaint(QPainter&, int, int) override {}
};

struct FakeKeyboardLocks : IKeyboardLockSource {
    std::optional<KeyboardLocks> locks;
    std::optional<KeyboardLocks> Read() override { return locks; }
};

// theApp started with a fake drive and settings, and a real main frame.
struct FrameFixture {
    FakeDriveReader drive;
    FakeMessageBox messageBox;
    FakeSettingsStore settings;
    FakeKeyboardLocks keyboardLocks;
    RecordingPage* pCalibration = nullptr;
    RecordingPage* pLatitude = nullptr;
    std::unique_ptr<CMainFrame> pFrame;

    // pLockSource: the status bar's lock source; the fake keyboardLocks when none.
    explicit FrameFixture(const std::string& strModel = "TOSHIBA MK4019GAX", const std::string& strStored = "",
                          std::function<ActivityPages()> makePages = {}, IKeyboardLockSource* pLockSource = nullptr)
    {
        drive.strModel = strModel;
        settings.strValue = strStored;
        theApp = CQuorvelApp{};
        AppServices services;
        services.pDriveReader = &drive;
        services.pMessageBox = &messageBox;
        services.openSettings = [this] { return &settings; };
        services.createMainFrame = [this, makePages, pLockSource]() -> IMainFrame* {
            ActivityPages pages;
            if (makePages) {
                pages = makePages();
            } else {
                pages.pCalibration = std::make_unique<RecordingPage>();
                pages.pLatitude = std::make_unique<RecordingPage>();
                pCalibration = static_cast<RecordingPage*>(pages.pCalibration.get());
                pLatitude = static_cast<RecordingPage*>(pages.pLatitude.get());
            }
            pFrame = std::make_unique<CMainFrame>(theApp, std::move(pages),
                                                  pLockSource ? *pLockSource : keyboardLocks);
            pFrame->resize(640, 480);
            pFrame->show();
            return pFrame.get();
        };
        services.timeSeconds = [] { return std::int64_t{1'700'000'000}; };
        theApp.UseServices(std::move(services));
        theApp.InitInstance();
    }

    ~FrameFixture()
    {
        pFrame.reset();
        theApp = CQuorvelApp{};
    }

    QWidget* StartWindow() const { return pFrame->Page(PAGE_START)->Window(); }

    // Paints the start page now, so its link rectangles are those of the current state.
    const Rect& PaintedLink(int i) const
    {
        StartWindow()->grab();
        return pFrame->Page(PAGE_START)->LinkRect(i);
    }

    // Mouse events in the start page's client coordinates.
    QPoint ToWidget(int x, int y) const
    {
        return QPoint(x, y) + StartWindow()->contentsRect().topLeft();
    }
    void Move(int x, int y) { Send(QEvent::MouseMove, Qt::NoButton, x, y); }
    void Press(int x, int y)
    {
        m_buttons = Qt::LeftButton;
        Send(QEvent::MouseButtonPress, Qt::LeftButton, x, y);
    }
    void Release(int x, int y)
    {
        m_buttons = Qt::NoButton;
        Send(QEvent::MouseButtonRelease, Qt::LeftButton, x, y);
    }
    Qt::CursorShape Cursor() const { return StartWindow()->cursor().shape(); }

private:
    void Send(QEvent::Type type, Qt::MouseButton button, int x, int y) const
    {
        QWidget* pWindow = StartWindow();
        const QPointF point = ToWidget(x, y);
        QMouseEvent event(type, point, pWindow->mapToGlobal(point), button, m_buttons, Qt::NoModifier);
        QApplication::sendEvent(pWindow, &event);
    }

    Qt::MouseButtons m_buttons = Qt::NoButton;
};
