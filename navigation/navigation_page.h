#pragma once

#include "app/page/page_picture.h"
#include "app/page/page_wnd.h"
#include "app/visit/visit_control.h"
#include "navigation/nav_point.h"
#include "navigation/navigation_thread.h"
#include "navigation/speed_hold.h"

#include <QPoint>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the page's threads run on: the clock that seeds the model, the pause
// between ticks and the root the disk-activity worker walks.
struct NavigationPageServices {
    std::function<std::int64_t()> timeSeconds;
    std::function<void(std::chrono::milliseconds)> sleep;
    std::string strDiskRoot;
};

// Course, speed and the walked track in a square plot, fed by the measurement
// thread. The page keeps a picture of its client area: a full paint renders it,
// a tick draws only its change into it, and the window shows the picture.
class CNavigationPage : public CPageWnd {
public:
    explicit CNavigationPage(NavigationPageServices services);

    void OnPaint(QPainter& painter, int nWidth, int nHeight) override;
    void OnPaletteChange() override;

    // One tick's change, on the GUI thread: the old marker off, one track
    // segment, the new marker and the status text; the whole plot again only
    // when the scale grows.
    void UpdatePosition(const NavPoint& pos, double dCourse, double dSpeed);
    QPoint MapToPlot(const NavPoint& p) const;

    const std::vector<NavPoint>& Track() const { return m_track; }
    NavPoint Position() const { return m_pos; }
    double Course() const { return m_dCourse; }
    double Speed() const { return m_dSpeed; }
    double Scale() const { return m_dScale; }
    int HoldTicks() const { return m_pHold->HoldTicks(); }
    const Rect& PlotRect() const { return m_rcPlot; }
    const Rect& SpeedZeroRect() const { return m_rcSpeedZero; }
    std::shared_ptr<VisitControl> Visit() const { return m_pVisit; }
    QString ScreenReaderName() const override;

protected:
    bool OnCreate() override;
    void OnDestroy() override;
    void OnLinkClicked(const Rect& rcLink) override;
    const Rect* HotAreaAt(int x, int y) const override;

private:
    void PaintPage(QPainter& painter, int W, int H);
    // The frame, the segments that reach into rcArea and the cross.
    void DrawPlot(QPainter& painter, const QRect& rcArea);
    bool PictureFitsWindow() const;
    Rect StatusTextRect(const QString& strText) const;
    void DrawButton(QPainter& painter, Rect& rc, const QString& strText) const;
    // Records in rcChanged what the tick's drawing touched.
    void DrawChange(const NavPoint& posOld, const NavPoint& posNew, QRect& rcChanged);
    // The status text of the new state over the old one.
    void RedrawStatus(QRect& rcChanged);
    void InvalidateClient(const QRect& rcClient);

    const NavigationPageServices m_services;

    std::vector<NavPoint> m_track;
    std::shared_ptr<VisitControl> m_pVisit; // m_bStop and m_bDiskRun of this visit
    NavPoint m_pos;
    Rect m_rcPlot;
    Rect m_rcSpeedZero;
    double m_dCourse = 0.0;
    double m_dSpeed = 0.0;
    double m_dScale = 1.5;
    // m_nHoldTicks with the speed it holds; survives the visit, shared with its thread.
    const std::shared_ptr<SpeedHold> m_pHold = std::make_shared<SpeedHold>();
    // "Geschw. auf 0" has the first status with the held speed said.
    bool m_bAnnounceHeldStatus = false;

    PagePicture m_picture;
    bool m_bPictureStale = true;
    Rect m_rcStatus;
    int m_nStatusPart = 0; // where the status text goes among the page's parts
};
