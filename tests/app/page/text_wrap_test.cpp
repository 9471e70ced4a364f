#include "app/page/text_drawing.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QFont TextFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    return font;
}

// The rightmost dark column of the rows [nTop, nBottom); -1 when there is none.
int RightmostInk(const QImage& image, int nTop, int nBottom)
{
    int nRight = -1;
    for (int y = nTop; y < nBottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                nRight = std::max(nRight, x);
    return nRight;
}

struct Drawn {
    Rect rcMeasured;
    QImage image;
};

// Measures the text at nWidth from (0, 0) and draws it in the measured rectangle, as the pages do.
Drawn MeasureAndDraw(const QString& strText, int nWidth)
{
    Drawn drawn{{0, 0, nWidth, 1000}, QImage(600, 200, QImage::Format_RGB32)};
    drawn.image.fill(Qt::white);
    MeasureText(TextFont(), &drawn.image, drawn.rcMeasured, strText, TextWrap::WordWrap);
    QPainter painter(&drawn.image);
    painter.setFont(TextFont());
    painter.setPen(Qt::black);
    DrawText(painter, drawn.rcMeasured, strText, TextWrap::WordWrap);
    return drawn;
}

} // namespace

TEST(TextWrap, AHyphenatedWordMovesWholeToTheNextLine)
{
    QImage device(1, 1, QImage::Format_RGB32);
    const QFontMetrics metrics(TextFont(), &device);
    const QString strText = QStringLiteral("Dies ist eine Notebook-Platte.");
    // Room for "Dies ist eine Notebook-", not for the whole text.
    const int nWidth = metrics.horizontalAdvance(QStringLiteral("Dies ist eine Notebook-")) + 2;
    ASSERT_LT(nWidth, metrics.horizontalAdvance(strText));

    const Drawn drawn = MeasureAndDraw(strText, nWidth);
    EXPECT_EQ(drawn.rcMeasured.Width(), metrics.horizontalAdvance(QStringLiteral("Notebook-Platte.")));
    EXPECT_EQ(drawn.rcMeasured.Height(), 2 * metrics.height());
    // The first line ends after "eine"; the second holds the whole word.
    const int nFirstLineInk = RightmostInk(drawn.image, 0, metrics.height());
    EXPECT_LT(nFirstLineInk, metrics.horizontalAdvance(QStringLiteral("Dies ist eine")) + 1);
    EXPECT_GT(nFirstLineInk, metrics.horizontalAdvance(QStringLiteral("Dies ist ein")));
    EXPECT_LE(RightmostInk(drawn.image, metrics.height(), 2 * metrics.height()), drawn.rcMeasured.right);
    EXPECT_EQ(RightmostInk(drawn.image, 2 * metrics.height(), drawn.image.height()), -1);
}

TEST(TextWrap, AModelWiderThanTheLineStaysWholeAndWidensTheMeasure)
{
    QImage device(1, 1, QImage::Format_RGB32);
    const QFontMetrics metrics(TextFont(), &device);
    const QString strModel = QStringLiteral("IBM-DJSA-220");
    const Drawn drawn = MeasureAndDraw(QStringLiteral("Typ: ") + strModel + QStringLiteral(". Dies"), 40);
    EXPECT_EQ(drawn.rcMeasured.Width(), metrics.horizontalAdvance(strModel + QLatin1Char('.')));
    EXPECT_EQ(drawn.rcMeasured.Height(), 3 * metrics.height());
    const int nModelInk = RightmostInk(drawn.image, metrics.height(), 2 * metrics.height());
    EXPECT_GT(nModelInk, metrics.horizontalAdvance(strModel) - 3);
}
