#include "app/main_frame.h"

#include "drive/rotation_direction.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QStatusBar>

namespace {
QString Text(unsigned nId)
{
    return QString::fromUtf8(LoadString(nId));
}
} // namespace

CMainFrame::CMainFrame(CQuorvelApp& app) : m_app(app)
{
    setWindowTitle(Text(IDR_MAINFRAME));
    CreateMenu();
    statusBar()->showMessage(Text(AFX_IDS_IDLEMESSAGE));
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
}

void CMainFrame::UpdateDirectionActions()
{
    m_pActionRight->setChecked(m_app.m_nDirection == DIRECTION_RIGHT);
    m_pActionLeft->setChecked(m_app.m_nDirection == DIRECTION_LEFT);
}

void CMainFrame::SwitchPage(int nPage)
{
    m_nCurPage = nPage;
}

void CMainFrame::InvalidateClientArea()
{
    update();
    if (centralWidget())
        centralWidget()->update();
}
