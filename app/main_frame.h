#pragma once

#include "app/quorvel_app.h"

#include <QMainWindow>

class QAction;

// The program's only top-level window.
class CMainFrame : public QMainWindow, public IMainFrame {
public:
    explicit CMainFrame(CQuorvelApp& app);

    int CurrentPage() const override { return m_nCurPage; }
    void SwitchPage(int nPage) override;
    void InvalidateClientArea() override;

private:
    void CreateMenu();
    void UpdateDirectionActions();

    CQuorvelApp& m_app;
    int m_nCurPage = 0;
    QAction* m_pActionRight = nullptr;
    QAction* m_pActionLeft = nullptr;
};
