#include "frame_fixture.h"
#include "page_pixels.h"

#include <QDir>
#include <QMenuBar>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

QAction* MenuAction(const CMainFrame& frame, const QString& strText)
{
    for (QAction* pAction : frame.menuBar()->findChildren<QAction*>())
        if (pAction->text() == strText)
            return pAction;
    return nullptr;
}

int Middle(const Rect& rc)
{
    return (rc.top + rc.bottom) / 2;
}

} // namespace

TEST(StartPage, LinksFollowTheDriveAndCalibrationState)
{
    FrameFixture calibrated("TOSHIBA MK4019GAX", "rabcdefghijklmnopq");
    const Rect rcCalibration = calibrated.PaintedLink(1);
    const Rect rcNavigation = calibrated.PaintedLink(2);
    const Rect rcLatitude = calibrated.PaintedLink(3);
    EXPECT_TRUE(calibrated.PaintedLink(0).IsEmpty());
    EXPECT_TRUE(calibrated.PaintedLink(4).IsEmpty());
    ASSERT_FALSE(rcCalibration.IsEmpty());
    ASSERT_FALSE(rcNavigation.IsEmpty());
    ASSERT_FALSE(rcLatitude.IsEmpty());

    FrameFixture uncalibrated("TOSHIBA MK4019GAX", "");
    EXPECT_EQ(uncalibrated.PaintedLink(1).top, rcCalibration.top);
    EXPECT_TRUE(uncalibrated.PaintedLink(2).IsEmpty());
    // The plain navigation line still takes its place between the two boxes.
    EXPECT_GT(uncalibrated.PaintedLink(3).top, uncalibrated.PaintedLink(1).bottom + 10);

    FrameFixture unsupported("QEMU HARDDISK", "rabcdefghijklmnopq");
    EXPECT_TRUE(unsupported.PaintedLink(1).IsEmpty());
    EXPECT_TRUE(unsupported.PaintedLink(2).IsEmpty());
    EXPECT_EQ(unsupported.PaintedLink(3).top, rcCalibration.top);
}

TEST(StartPage, GapsAndBoxesAsPainted)
{
    // At 640 by 480 the page is 636 pixels wide. Arial 14 pt bold italic is 18 px Liberation Sans
    // Bold Italic, 20 rows high; Arial 10 pt is 13 px Liberation Sans, 15 rows a line. The title
    // fills rows 10 to 29; 10 rows below it the introduction and at once the drive line, each two
    // lines and the empty one its closing line break leaves: 40 + 3 * 15 + 3 * 15 = 130. Each box
    // begins 5 rows below what precedes it and reaches 2 rows beyond its one line of text, so its
    // outline runs along rows 133 and 151 for the first box; the unframed navigation line keeps its
    // place without an outline.
    const struct {
        const char* pszStored;
        std::vector<int> outlineRows;
    } cases[] = {
        {"rabcdefghijklmnopq", {133, 151, 155, 173, 177, 195}},
        {"", {133, 151, 177, 195}},
    };
    for (const auto& c : cases) {
        FrameFixture t("TOSHIBA MK4019GAX", c.pszStored);
        const QImage image = t.StartWindow()->grab(t.StartWindow()->contentsRect()).toImage();
        ASSERT_EQ(image.width(), 636);
        EXPECT_EQ(OutlineRows(image, 13, 40), c.outlineRows) << c.pszStored;
        // Boxes 15 from the left edge, 2 beyond their text.
        for (std::size_t i = 0; i < c.outlineRows.size(); i += 2)
            EXPECT_EQ(FirstDark(image, 0, (c.outlineRows[i] + c.outlineRows[i + 1]) / 2, 1, 0), 13) << i;
    }
}

TEST(StartPage, NarrowWindowWrapsAndMovesTheBoxesDown)
{
    FrameFixture t;
    const Rect rcWide = t.PaintedLink(3);
    t.pFrame->resize(290, 400);
    QCoreApplication::processEvents();
    const Rect rcNarrow = t.PaintedLink(3);
    EXPECT_GT(rcNarrow.top, rcWide.top);
    EXPECT_LE(rcNarrow.right, t.StartWindow()->contentsRect().width() - 13);
    // "Langzeitmessung: Breitengradsuche per Festplatte" no longer fits on one line.
    EXPECT_GT(rcNarrow.Height(), rcWide.Height());
}

TEST(StartPage, LinkFiresOnlyForPressAndReleaseOnTheSameLink)
{
    FrameFixture t;
    const Rect rc = t.PaintedLink(1);
    const int y = Middle(rc);

    // Press on the box, drag off and back, release: nothing.
    t.Move(rc.left + 5, y);
    t.Press(rc.left + 5, y);
    t.Move(rc.left + 5, rc.bottom + 40);
    t.Move(rc.left + 5, y);
    t.Release(rc.left + 5, y);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);

    // Press outside, drag onto the box, release: nothing.
    t.Move(rc.left + 5, rc.bottom + 40);
    t.Press(rc.left + 5, rc.bottom + 40);
    t.Move(rc.left + 5, y);
    t.Release(rc.left + 5, y);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);
    EXPECT_EQ(t.pCalibration->nCreated, 0);

    t.Press(rc.left + 5, y);
    t.Release(rc.left + 5, y);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_CALIBRATION);
    EXPECT_EQ(t.pCalibration->nCreated, 1);
    EXPECT_FALSE(t.StartWindow()->isVisible());
}

TEST(StartPage, CursorShowsTheHandOnlyInsideABox)
{
    FrameFixture t;
    const Rect rc = t.PaintedLink(3);
    t.Move(rc.left, rc.top);
    EXPECT_EQ(t.Cursor(), Qt::PointingHandCursor);
    t.Move(rc.right - 1, rc.bottom - 1);
    EXPECT_EQ(t.Cursor(), Qt::PointingHandCursor);
    t.Move(rc.right, rc.bottom - 1);
    EXPECT_EQ(t.Cursor(), Qt::ArrowCursor);
    t.Move(rc.right - 1, rc.bottom);
    EXPECT_EQ(t.Cursor(), Qt::ArrowCursor);

    // The plain navigation line of an uncalibrated drive is no link.
    const int yNavigation = (t.PaintedLink(1).bottom + rc.top) / 2;
    t.Move(30, yNavigation);
    EXPECT_EQ(t.Cursor(), Qt::ArrowCursor);
    t.Press(30, yNavigation);
    t.Release(30, yNavigation);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);
    EXPECT_TRUE(t.messageBox.shown.empty());
}

TEST(StartPage, ConfirmedDirectionChangeShowsTheUncalibratedStateAtOnce)
{
    FrameFixture t("TOSHIBA MK4019GAX", "rabcdefghijklmnopq");
    ASSERT_FALSE(t.PaintedLink(2).IsEmpty());
    QAction* pLeft = MenuAction(*t.pFrame, QStringLiteral("&Linksdrehend"));
    QAction* pRight = MenuAction(*t.pFrame, QStringLiteral("&Rechtsdrehend"));
    ASSERT_TRUE(pLeft && pRight);
    EXPECT_TRUE(pRight->isChecked());

    t.messageBox.answer = MessageAnswer::No;
    pLeft->trigger();
    EXPECT_TRUE(pRight->isChecked());
    EXPECT_FALSE(pLeft->isChecked());
    EXPECT_FALSE(t.PaintedLink(2).IsEmpty());

    t.messageBox.answer = MessageAnswer::Yes;
    pLeft->trigger();
    EXPECT_TRUE(pLeft->isChecked());
    EXPECT_EQ(theApp.m_nDirection, -1);
    EXPECT_EQ(t.settings.writes, std::vector<std::string>{""});
    EXPECT_TRUE(t.PaintedLink(2).IsEmpty());
}

TEST(StartPage, ScreenshotsShowTheModelAsTextWithEveryLineWithinTheMargin)
{
    const QString strDir = QStringLiteral(QUORVEL_SCREENSHOT_DIR);
    QDir().mkpath(strDir);
    struct State {
        const char* pszName;
        const char* pszModel;
        const char* pszStored;
        const char* pszShownModel;
    };
    for (const State& state : {State{"calibrated", "TOSHIBA MK4019GAX", "rabcdefghijklmnopq", "TOSHIBA MK4019GAX"},
                               State{"uncalibrated", "TOSHIBA MK4019GAX", "", "TOSHIBA MK4019GAX"},
                               State{"unsupported", "QEMU HARDDISK", "", "QEMU HARDDISK"},
                               // No byte of a model may stop the drive line's measurement.
                               State{"windows-1252", "toshiba mk\xE9\xE4\x80\x9C", "", "TOSHIBA MKÉÄ€Œ"}}) {
        // At 456 pixels "Notebook-Platte." moves whole to the next line.
        for (QSize size : {QSize(640, 480), QSize(290, 400), QSize(456, 480)}) {
            FrameFixture t(state.pszModel, state.pszStored);
            t.pFrame->resize(size);
            QCoreApplication::processEvents();
            const QString strFile = QStringLiteral("%1/start-%2-%3x%4.png")
                                        .arg(strDir, state.pszName)
                                        .arg(size.width())
                                        .arg(size.height());
            EXPECT_TRUE(t.pFrame->grab().save(strFile)) << strFile.toStdString();
            const QImage image = t.StartWindow()->grab(t.StartWindow()->contentsRect()).toImage();
            for (int y = 0; y < image.height(); ++y)
                ASSERT_EQ(FirstDark(image, image.width() - 10, y, 1, 0), -1) << strFile.toStdString() << " row " << y;
            QString strShown;
            const PageParts& parts = t.pFrame->Page(PAGE_START)->Parts();
            for (int i = 0; i < parts.Count(); ++i)
                strShown += parts[i].strText + ' ';
            EXPECT_TRUE(strShown.simplified().contains(QStringLiteral("Festplattentyp: ")
                                                       + QString::fromUtf8(state.pszShownModel) + ". Dies"))
                << strShown.toStdString();
        }
    }
}
