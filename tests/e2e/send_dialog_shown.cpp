// The send dialog alone, as a complete latitude run ends in it, for a screen reader to read
// in the end-to-end tests: the demo reaches it only after 24 hours.

#include "latitude/latitude_report.h"
#include "latitude/send_dlg.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    CSendDlg dialog(nullptr);
    dialog.m_strReport = FormatLatitudeReport("TOSHIBA MK4019GAX", +1, "49", "089", {48, 7});
    dialog.DoModal();
    return 0;
}
