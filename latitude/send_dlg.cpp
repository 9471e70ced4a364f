#include "latitude/send_dlg.h"

#include "ui_send_dialog.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

const char* const FEEDBACK_ADDRESS = "breitengrad@quorvel.example";
// 50 dialog units of the dialog font, so that the report's values line up after their labels.
constexpr double REPORT_TAB_STOP_PIXELS = 50 * 1.5;

} // namespace

CSendDlg::CSendDlg(QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      m_strAddress(FEEDBACK_ADDRESS),
      m_pUi(std::make_unique<Ui::SendDialog>())
{
    m_pUi->setupUi(this);
    setFixedSize(size());
    // Enter presses no button: the dialog has no OK, and Enter must neither close it nor copy.
    for (QPushButton* pButton : {m_pUi->copyAddress, m_pUi->copyReport, m_pUi->close})
        pButton->setAutoDefault(false);
    connect(m_pUi->copyAddress, &QPushButton::clicked, this, &CSendDlg::OnCopyAddress);
    connect(m_pUi->copyReport, &QPushButton::clicked, this, &CSendDlg::OnCopyReport);
}

CSendDlg::~CSendDlg() = default;

int CSendDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

void CSendDlg::OnInitDialog()
{
    m_pUi->address->setText(QString::fromStdString(m_strAddress));
    m_pUi->report->setPlainText(QString::fromStdString(m_strReport));
    m_pUi->report->setTabStopDistance(REPORT_TAB_STOP_PIXELS);
    m_pUi->address->setFocus();
}

void CSendDlg::OnCopyAddress()
{
    CopyToClipboard(m_strAddress);
}

void CSendDlg::OnCopyReport()
{
    CopyToClipboard(m_strReport);
}

void CSendDlg::CopyToClipboard(const std::string& strText)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(strText));
}
