#pragma once

#include <QFrame>

class CPageWnd;

// The Qt window of a page: a sunken client edge around a client area whose
// painting, mouse and key events go to the page object.
class CPageVisitWidget : public QFrame {
public:
    CPageVisitWidget(CPageWnd& page, QWidget* pParent);

    // After this the window forwards nothing; it is about to be deleted.
    void Detach() { m_pPage = nullptr; }
    // The page this window shows, or nullptr once detached.
    CPageWnd* Page() const { return m_pPage; }

protected:
    bool event(QEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void keyReleaseEvent(QKeyEvent* pEvent) override;

private:
    QPoint ClientPoint(const QMouseEvent& event) const;

    CPageWnd* m_pPage;
    // Shown again, the page hit-tests once more when its areas are painted.
    bool m_bHitTestAfterPaint = false;
};
