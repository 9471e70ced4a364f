#pragma once

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class SendDialog;
}

// The dialog at the end of a complete latitude run: the feedback address and the report, each
// with a button that copies it to the clipboard. It sends nothing itself.
class CSendDlg : public QDialog {
    Q_OBJECT

public:
    explicit CSendDlg(QWidget* pParent);
    ~CSendDlg() override;

    // Fills the fields from the members, then runs the dialog; the result means nothing.
    int DoModal();

    std::string m_strAddress;
    std::string m_strReport;

private:
    void OnInitDialog();
    void OnCopyAddress();
    void OnCopyReport();
    static void CopyToClipboard(const std::string& strText);

    std::unique_ptr<Ui::SendDialog> m_pUi;
};
