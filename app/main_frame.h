#pragma once

#include "app/keyboard_locks.h"
#include "app/page_index.h"
#include "app/quorvel_app.h"
#include "app/start_page.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QVBoxLayout;

// The activity pages the frame owns; an empty slot is a page not built yet.
struct ActivityPages {
    std::unique_ptr<CPageWnd> pCalibration;
    std::unique_ptr<CPageWnd> pNavigation;
    std::unique_ptr<CPageWnd> pLatitude;
};

// The program's only top-level window: menu, status bar and one page at a time.
class CMainFrame : public QMainWindow, public IMainFrame {
public:
    CMainFrame(CQuorvelApp& app, ActivityPages pages, IKeyboardLockSource& keyboardLocks);
    ~CMainFrame() override;

    int CurrentPage() const override { return m_nCurPage; }
    void SwitchPage(int nPage) override;
    IMessageBox& MessageBox() override { return m_app.MessageBox(); }
    void InvalidateClientArea() override;

    // Ends the visit shown: its threads learn that its window is gone.
    void DestroyPageWindows();
    // The page at nPage, or nullptr for an empty slot or an index that names no page.
    CPageWnd* Page(int nPage) const;
    void OnAppAbout();

protected:
    bool event(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void CreateMenu();
    void CreateEditingKeys();
    void CreateStatusBar();
    void UpdateDirectionActions();
    void UpdateLockIndicators();
    void FocusCurrentPage();

    CQuorvelApp& m_app;
    IKeyboardLockSource& m_keyboardLocks;

    CStartPage m_wndStartPage;
    std::unique_ptr<CPageWnd> m_wndCalibrationPage;
    std::unique_ptr<CPageWnd> m_wndNavigationPage;
    std::unique_ptr<CPageWnd> m_wndLatitudePage;
    std::array<CPageWnd*, PAGE_COUNT> m_apPages;
    int m_nCurPage = PAGE_START;

    QWidget* m_pPageArea = nullptr;
    QVBoxLayout* m_pPageLayout = nullptr;
    QAction* m_pActionRight = nullptr;
    QAction* m_pActionLeft = nullptr;
    QLabel* m_pCapsLock = nullptr;
    QLabel* m_pNumLock = nullptr;
    QLabel* m_pScrollLock = nullptr;
};
