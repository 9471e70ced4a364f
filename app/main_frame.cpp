#include "app/main_frame.h"

#include "drive/rotation_direction.h"
#include "resources/page_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "ui_about_dialog.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QString Text(unsigned nId)
{
    return QString::fromUtf8(LoadString(nId));
}

QLabel* AddIndicator(QStatusBar* pStatusBar, unsigned nId)
{
    auto* pLabel = new QLabel(pStatusBar);
    pLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pLabel->setAlignment(Qt::AlignCenter);
    // As wide as its text, also while the lock is off and the pane is blank.
    pLabel->setMinimumWidth(pLabel->fontMetrics().horizontalAdvance(Text(nId)) + 8);
    pStatusBar->addPermanentWidget(pLabel);
    return pLabel;
}

} // namespace

CMainFrame::CMainFrame(CQuorvelApp& app, ActivityPages pages, IKeyboardLockSource& keyboardLocks)
    : m_app(app),
      m_keyboardLocks(keyboardLocks),
      m_wndCalibrationPage(std::move(pages.pCalibration)),
      m_wndNavigationPage(std::move(pages.pNavigation)),
      m_wndLatitudePage(std::move(pages.pLatitude)),
      m_apPages{&m_wndStartPage, m_wndCalibrationPage.get(), m_wndNavigationPage.get(), m_wndLatitudePage.get()}
{
    setWindowTitle(Text(IDR_MAINFRAME));
    setMinimumSize(290, 400);

    m_pPageArea = new QWidget(this);
    m_pPageLayout = new QVBoxLayout(m_pPageArea);
    m_pPageLayout->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(m_pPageArea);
    m_wndStartPage.Create(m_pPageArea, *this);
    m_pPageLayout->addWidget(m_wndStartPage.Window());

    CreateMenu();
    CreateEditingKeys();
    CreateStatusBar();
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    // Each page joins its own threads when it goes.
    DestroyPageWindows();
}

void CMainFrame::DestroyPageWindows()
{
    for (CPageWnd* pPage : m_apPages)
        if (pPage)
            pPage->DestroyWindow();
}

CPageWnd* CMainFrame::Page(int nPage) const
{
    return nPage >= 0 && nPage < PAGE_COUNT ? m_apPages[static_cast<std::size_t>(nPage)] : nullptr;
}

void CMainFrame::CreateMenu()
{
    auto addCommand = [](QMenu* pMenu, const QString& strText, unsigned nId) {
        QAction* pAction = pMenu->addAction(strText);
        pAction->setStatusTip(QString::fromStdString(StatusBarPrompt(nId)));
        return pAction;
    };

    QMenu* pFile = menuBar()->addMenu(QStringLiteral("&Datei"));
    connect(addCommand(pFile, QStringLiteral("&Beenden"), ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);

    QMenu* pDrive = menuBar()->addMenu(QStringLiteral("&Festplatte"));
    auto* pDirections = new QActionGroup(this);
    m_pActionRight = addCommand(pDrive, QStringLiteral("&Rechtsdrehend"), ID_DIRECTION_RIGHT);
    m_pActionLeft = addCommand(pDrive, QStringLiteral("&Linksdrehend"), ID_DIRECTION_LEFT);
    for (QAction* pAction : {m_pActionRight, m_pActionLeft}) {
        pAction->setCheckable(true);
        pDirections->addAction(pAction);
    }
    // The bullet follows the direction the application keeps, also after a refusal.
    connect(m_pActionRight, &QAction::triggered, this, [this] {
        m_app.SetDirection(DIRECTION_RIGHT);
        UpdateDirectionActions();
    });
    connect(m_pActionLeft, &QAction::triggered, this, [this] {
        m_app.SetDirection(DIRECTION_LEFT);
        UpdateDirectionActions();
    });
    connect(pDrive, &QMenu::aboutToShow, this, &CMainFrame::UpdateDirectionActions);
    UpdateDirectionActions();

    QMenu* pView = menuBar()->addMenu(QStringLiteral("&Ansicht"));
    QAction* pStatusBarAction = addCommand(pView, QStringLiteral("Status&leiste"), ID_VIEW_STATUS_BAR);
    pStatusBarAction->setCheckable(true);
    pStatusBarAction->setChecked(true);
    connect(pStatusBarAction, &QAction::toggled, this, [this](bool bVisible) { statusBar()->setVisible(bVisible); });

    QMenu* pHelp = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    connect(addCommand(pHelp, QStringLiteral("&Info über Quorvel..."), ID_APP_ABOUT), &QAction::triggered, this,
            &CMainFrame::OnAppAbout);
}

void CMainFrame::CreateEditingKeys()
{
    // The standard editing keys belong to the frame, which has nothing to do with them:
    // they never reach a page, so a calibration walk does not count them as steps.
    const QList<QKeySequence> keys{
        QKeySequence(Qt::CTRL | Qt::Key_C),     QKeySequence(Qt::CTRL | Qt::Key_V),
        QKeySequence(Qt::CTRL | Qt::Key_X),     QKeySequence(Qt::CTRL | Qt::Key_Z),
        QKeySequence(Qt::CTRL | Qt::Key_Insert), QKeySequence(Qt::SHIFT | Qt::Key_Insert),
        QKeySequence(Qt::SHIFT | Qt::Key_Delete), QKeySequence(Qt::ALT | Qt::Key_Backspace),
        QKeySequence(Qt::Key_F6),               QKeySequence(Qt::SHIFT | Qt::Key_F6)};
    auto* pEditingKeys = new QAction(this);
    pEditingKeys->setShortcuts(keys);
    addAction(pEditingKeys);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* pStatusBar = statusBar();
    const QString strIdle = Text(AFX_IDS_IDLEMESSAGE);
    connect(pStatusBar, &QStatusBar::messageChanged, this, [pStatusBar, strIdle](const QString& strMessage) {
        if (strMessage.isEmpty())
            pStatusBar->showMessage(strIdle);
    });
    pStatusBar->showMessage(strIdle);
    m_pCapsLock = AddIndicator(pStatusBar, ID_INDICATOR_CAPS);
    m_pNumLock = AddIndicator(pStatusBar, ID_INDICATOR_NUM);
    m_pScrollLock = AddIndicator(pStatusBar, ID_INDICATOR_SCRL);
    UpdateLockIndicators();
}

void CMainFrame::UpdateDirectionActions()
{
    m_pActionRight->setChecked(m_app.m_nDirection == DIRECTION_RIGHT);
    m_pActionLeft->setChecked(m_app.m_nDirection == DIRECTION_LEFT);
}

void CMainFrame::UpdateLockIndicators()
{
    const KeyboardLocks locks = m_keyboardLocks.Read().value_or(KeyboardLocks{});
    m_pCapsLock->setText(locks.bCapsLock ? Text(ID_INDICATOR_CAPS) : QString());
    m_pNumLock->setText(locks.bNumLock ? Text(ID_INDICATOR_NUM) : QString());
    m_pScrollLock->setText(locks.bScrollLock ? Text(ID_INDICATOR_SCRL) : QString());
}

void CMainFrame::FocusCurrentPage()
{
    if (QWidget* pWindow = m_apPages[m_nCurPage]->Window())
        pWindow->setFocus(Qt::ActiveWindowFocusReason);
}

bool CMainFrame::event(QEvent* pEvent)
{
    const bool bResult = QMainWindow::event(pEvent);
    if (pEvent->type() == QEvent::WindowActivate) {
        FocusCurrentPage();
        UpdateLockIndicators();
    }
    return bResult;
}

bool CMainFrame::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::KeyPress || pEvent->type() == QEvent::KeyRelease)
        UpdateLockIndicators();
    return QMainWindow::eventFilter(pWatched, pEvent);
}

void CMainFrame::SwitchPage(int nPage)
{
    if (nPage == m_nCurPage || nPage < 0 || nPage >= PAGE_COUNT)
        return;
    if (nPage == PAGE_START) {
        m_apPages[m_nCurPage]->DestroyWindow();
        m_nCurPage = PAGE_START;
        m_wndStartPage.Window()->show();
        FocusCurrentPage();
        return;
    }
    CPageWnd* pPage = m_apPages[nPage];
    if (!pPage) {
        m_app.MessageBox().Show(TEXT_PAGE_MISSING, MessageIcon::None, MessageButtons::Ok);
        return;
    }
    if (!pPage->Create(m_pPageArea, *this)) {
        m_app.MessageBox().Show(TEXT_PAGE_NOT_CREATED, MessageIcon::None,
                                MessageButtons::Ok);
        return;
    }
    m_nCurPage = nPage;
    m_wndStartPage.Window()->hide();
    m_pPageLayout->addWidget(pPage->Window());
    pPage->Window()->show();
    // Keys go on to the page shown, whether it came by mouse or keyboard.
    FocusCurrentPage();
}

void CMainFrame::InvalidateClientArea()
{
    if (QWidget* pWindow = m_apPages[m_nCurPage]->Window())
        pWindow->update();
}

void CMainFrame::OnAppAbout()
{
    QDialog dialog(this);
    Ui::AboutDialog ui;
    ui.setupUi(&dialog);
    ui.icon->setPixmap(windowIcon().pixmap(32, 32));
    dialog.setFixedSize(dialog.size());
    dialog.exec();
}
