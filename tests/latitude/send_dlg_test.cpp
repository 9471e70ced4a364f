#include "latitude/latitude_report.h"
#include "latitude/send_dlg.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

class SendDlgTest : public testing::Test {
protected:
    SendDlgTest() { m_dialog.m_strReport = FormatLatitudeReport("TOSHIBA MK4019GAX", +1, "49", "089", {48, 7}); }

    // Runs the dialog modally and calls whileOpen inside its loop; closes it if whileOpen left it open.
    int RunDialog(const std::function<void()>& whileOpen)
    {
        QTimer::singleShot(0, &m_dialog, [&] {
            whileOpen();
            if (m_dialog.isVisible()) {
                m_bLeftOpen = true;
                m_dialog.done(-1);
            }
        });
        return m_dialog.DoModal();
    }

    template <typename Widget>
    Widget* Child(const char* pszName)
    {
        auto* pWidget = m_dialog.findChild<Widget*>(QString::fromLatin1(pszName));
        EXPECT_NE(pWidget, nullptr) << pszName;
        return pWidget;
    }

    CSendDlg m_dialog{nullptr};
    bool m_bLeftOpen = false;
};

TEST_F(SendDlgTest, ShowsTheAddressAndTheReportReadOnlyWithAlignedValues)
{
    RunDialog([&] {
        EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("Quorvel"));
        EXPECT_EQ(m_dialog.size(), QSize(332, 309));
        EXPECT_TRUE(Child<QLabel>("message")->text().startsWith(
            QStringLiteral("Die Breitengradmessung wurde erfolgreich beendet.\n\nUm uns")));

        auto* pAddress = Child<QLineEdit>("address");
        EXPECT_TRUE(pAddress->isReadOnly());
        EXPECT_TRUE(pAddress->text().endsWith(QStringLiteral(".example")));
        EXPECT_EQ(m_dialog.focusWidget(), pAddress);

        auto* pReport = Child<QPlainTextEdit>("report");
        EXPECT_TRUE(pReport->isReadOnly());
        EXPECT_EQ(pReport->document()->blockCount(), 9) << "eight lines and the empty one after the last CR LF";
        EXPECT_EQ(pReport->document()->findBlockByNumber(4).text(), QStringLiteral("Gemessen:\t48° 07'"));
        EXPECT_EQ(pReport->tabStopDistance(), 75.0);
        // Every label ends before the first tab stop, so all values start in one column.
        const QFontMetrics metrics(pReport->font());
        for (const char* pszLabel : {"Plattentyp:", "Drehrichtung:", "RL-API:", "Gemessen:", "Ort:", "Breitengrad:"})
            EXPECT_LT(metrics.horizontalAdvance(QString::fromLatin1(pszLabel)), 75) << pszLabel;

        const QString strDir = QStringLiteral(QUORVEL_SCREENSHOT_DIR);
        QDir().mkpath(strDir);
        m_dialog.grab().save(strDir + QStringLiteral("/send-dialog.png"));
    });
    EXPECT_TRUE(m_bLeftOpen);
}

TEST_F(SendDlgTest, ArrowKeysTakeAScreenReaderThroughTheReportLineByLine)
{
    RunDialog([&] {
        auto* pReport = Child<QPlainTextEdit>("report");
        m_dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
        pReport->setFocus();
        QAccessibleTextInterface* pText = QAccessible::queryAccessibleInterface(pReport)->textInterface();
        ASSERT_NE(pText, nullptr);
        const QImage before = m_dialog.grab().toImage();
        for (const char* pszLine : {"Plattentyp:\tTOSHIBA MK4019GAX", "Drehrichtung:\trechts", "RL-API:\tV 4.49"}) {
            QTest::keyClick(pReport, Qt::Key_Down);
            int nStart = 0, nEnd = 0;
            EXPECT_EQ(pText->textAtOffset(pText->cursorPosition(), QAccessible::LineBoundary, &nStart, &nEnd).trimmed(),
                      QString::fromUtf8(pszLine));
        }
        // The caret is for the keyboard and the screen reader: nothing on the screen moves.
        EXPECT_EQ(m_dialog.grab().toImage(), before);
    });
}

TEST_F(SendDlgTest, CopyButtonsPutTheirTextOnTheClipboardEachTime)
{
    QClipboard* pClipboard = QGuiApplication::clipboard();
    pClipboard->setText(QStringLiteral("vorher"));
    RunDialog([&] {
        QTest::mouseClick(Child<QPushButton>("copyReport"), Qt::LeftButton);
        EXPECT_EQ(pClipboard->text().toStdString(), m_dialog.m_strReport);
        EXPECT_TRUE(pClipboard->text().endsWith(QStringLiteral("=== END QUORVEL LATITUDE ===\r\n")));
        EXPECT_TRUE(pClipboard->text().contains(QStringLiteral("\r\nRL-API:\tV 4.49\r\n")));

        QTest::mouseClick(Child<QPushButton>("copyAddress"), Qt::LeftButton);
        EXPECT_EQ(pClipboard->text().toStdString(), m_dialog.m_strAddress);

        QTest::keyClick(Child<QPushButton>("copyReport"), Qt::Key_Space);
        EXPECT_EQ(pClipboard->text().toStdString(), m_dialog.m_strReport);
        EXPECT_EQ(Child<QPushButton>("copyReport")->text(), QStringLiteral("K&opieren"));
        EXPECT_EQ(Child<QPushButton>("copyAddress")->text(), QStringLiteral("&Kopieren"));
    });
}

TEST_F(SendDlgTest, EnterLeavesItOpenAndCopiesNothing)
{
    QClipboard* pClipboard = QGuiApplication::clipboard();
    pClipboard->setText(QStringLiteral("vorher"));
    RunDialog([&] {
        for (const char* pszName : {"address", "copyAddress", "report", "copyReport", "close"}) {
            QWidget* pWidget = Child<QWidget>(pszName);
            pWidget->setFocus();
            QTest::keyClick(pWidget, Qt::Key_Return);
            QTest::keyClick(pWidget, Qt::Key_Enter, Qt::KeypadModifier);
            EXPECT_TRUE(m_dialog.isVisible()) << pszName;
        }
        EXPECT_EQ(pClipboard->text(), QStringLiteral("vorher"));
    });
    EXPECT_TRUE(m_bLeftOpen);
}

TEST_F(SendDlgTest, EscapeAndCloseEndIt)
{
    RunDialog([&] { QTest::keyClick(Child<QLineEdit>("address"), Qt::Key_Escape); });
    EXPECT_FALSE(m_bLeftOpen);
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);

    RunDialog([&] {
        EXPECT_EQ(Child<QPushButton>("close")->text(), QStringLiteral("Schließen"));
        QTest::mouseClick(Child<QPushButton>("close"), Qt::LeftButton);
    });
    EXPECT_FALSE(m_bLeftOpen);
}

} // namespace
