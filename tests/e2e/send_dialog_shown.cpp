// The send dialog alone, for a screen reader to read: the demo shows it only after 24 hours.
#include "latitude/send_dlg.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    return CSendDlg(nullptr).DoModal();
}
