#include "app/qt_message_box.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

TEST(QtMessageBox, CaptionIconAndGermanButtons)
{
    auto pBox = QtMessageBox::Build("Sind Sie sicher?", MessageIcon::Question, MessageButtons::YesNo, nullptr);
    EXPECT_EQ(pBox->windowTitle(), QStringLiteral("Quorvel"));
    EXPECT_EQ(pBox->text(), QStringLiteral("Sind Sie sicher?"));
    EXPECT_EQ(pBox->icon(), QMessageBox::Question);
    ASSERT_EQ(pBox->buttons().size(), 2);
    // J and N answer the box, as on the desktops users know.
    EXPECT_EQ(pBox->button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
    EXPECT_EQ(pBox->button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
    // A screen reader reads a box's text only from labels that take no focus.
    const QList<QLabel*> labels = pBox->findChildren<QLabel*>();
    const auto pText = std::find_if(labels.begin(), labels.end(),
                                    [](const QLabel* pLabel) { return pLabel->text() == "Sind Sie sicher?"; });
    ASSERT_NE(pText, labels.end());
    EXPECT_EQ((*pText)->focusPolicy(), Qt::NoFocus);

    auto pOk = QtMessageBox::Build("Fehler <b>1</b>", MessageIcon::Error, MessageButtons::Ok, nullptr);
    ASSERT_EQ(pOk->buttons().size(), 1);
    EXPECT_EQ(pOk->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
    EXPECT_EQ(pOk->icon(), QMessageBox::Critical);
    EXPECT_EQ(pOk->textFormat(), Qt::PlainText);

    EXPECT_EQ(QtMessageBox::Build("x", MessageIcon::None, MessageButtons::Ok, nullptr)->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(QtMessageBox::Build("x", MessageIcon::Information, MessageButtons::Ok, nullptr)->icon(),
              QMessageBox::Information);
    EXPECT_EQ(QtMessageBox::Build("x", MessageIcon::Warning, MessageButtons::Ok, nullptr)->icon(),
              QMessageBox::Warning);
}

TEST(QtMessageBox, AnswerIsTheClickedButton)
{
    for (auto [button, expected] : {std::pair{QMessageBox::Yes, MessageAnswer::Yes},
                                    std::pair{QMessageBox::No, MessageAnswer::No}}) {
        auto pBox = QtMessageBox::Build("?", MessageIcon::Question, MessageButtons::YesNo, nullptr);
        QTimer::singleShot(0, pBox.get(), [&pBox, button = button] { pBox->button(button)->click(); });
        pBox->exec();
        EXPECT_EQ(QtMessageBox::AnswerOf(*pBox), expected);
    }

    auto pBox = QtMessageBox::Build("?", MessageIcon::Question, MessageButtons::YesNo, nullptr);
    QTimer::singleShot(0, pBox.get(), [&pBox] { pBox->reject(); });
    pBox->exec();
    EXPECT_EQ(QtMessageBox::AnswerOf(*pBox), MessageAnswer::No);

    // A question has no cancel button: Escape and the close box leave it open. A notice closes with Escape.
    auto pQuestion = QtMessageBox::Build("?", MessageIcon::Question, MessageButtons::YesNo, nullptr);
    bool bOpenAfterEscape = false;
    QTimer::singleShot(0, pQuestion.get(), [&pQuestion, &bOpenAfterEscape] {
        QTest::keyClick(pQuestion.get(), Qt::Key_Escape);
        pQuestion->close();
        bOpenAfterEscape = pQuestion->isVisible();
        pQuestion->button(QMessageBox::Yes)->click();
    });
    pQuestion->exec();
    EXPECT_TRUE(bOpenAfterEscape);
    EXPECT_EQ(QtMessageBox::AnswerOf(*pQuestion), MessageAnswer::Yes);

    auto pOk = QtMessageBox::Build("!", MessageIcon::None, MessageButtons::Ok, nullptr);
    QTimer::singleShot(0, pOk.get(), [&pOk] { QTest::keyClick(pOk.get(), Qt::Key_Escape); });
    pOk->exec();
    EXPECT_EQ(QtMessageBox::AnswerOf(*pOk), MessageAnswer::Ok);
}
