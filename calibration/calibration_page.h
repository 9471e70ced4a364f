#pragma once

#include "app/page/page_wnd.h"
#include "app/visit/visit_control.h"
#include "calibration/calibration_procedure.h"
#include "calibration/leg_timer.h"
#include "calibration/power_status.h"

#include <memory>
#include <string>

// The calibration walk: one key press a leg, the legs timed, the square drawn
// as the user walks it, while the disk is kept busy.
class CCalibrationPage : public CPageWnd, private ICalibrationHost {
public:
    CCalibrationPage(IPowerStatus& powerStatus, std::string strWalkRoot, LegTimerFactory makeLegTimer);

    void OnPaint(QPainter& painter, int nWidth, int nHeight) override;
    void OnKeyDown(const QKeyEvent& event) override;
    void OnTimer();
    // Every key is a step of the walk; "Zurück" is reached by the mouse or a screen reader.
    bool LinksTakeKeyboardFocus() const override { return false; }
    QString ScreenReaderName() const override;

    const CalibrationProcedure& Procedure() const { return *m_pProcedure; }
    std::shared_ptr<VisitControl> Visit() const { return m_pVisit; }

protected:
    bool OnCreate() override;
    void OnDestroy() override;

private:
    void StartDiskWorker() override;
    void StopDiskWorker() override;
    bool OnMains() override;
    void SetCalibrated(bool bCalibrated) override;
    void StartLegTimer() override;
    void StopLegTimer() override;
    void RepaintNow() override;
    void Invalidate() override;
    void ShowFailure(unsigned nStringId) override;
    void ReturnToStart() override;

    void DrawPath(QPainter& painter) const;
    void DrawLegProgress(QPainter& painter) const;

    IPowerStatus& m_powerStatus;
    const std::string m_strWalkRoot;
    const LegTimerFactory m_makeLegTimer;

    std::unique_ptr<CalibrationProcedure> m_pProcedure;
    std::unique_ptr<ILegTimer> m_pLegTimer;
    std::shared_ptr<VisitControl> m_pVisit;
    Rect m_rcSquare;
};
