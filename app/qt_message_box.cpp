#include "app/qt_message_box.h"

#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

// A question has no cancel button, so Escape and the close box cannot answer it.
class QuestionBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* pEvent) override
    {
        if (!pEvent->matches(QKeySequence::Cancel))
            QMessageBox::keyPressEvent(pEvent);
    }
    void closeEvent(QCloseEvent* pEvent) override { pEvent->ignore(); }
};

QMessageBox::Icon QtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::unique_ptr<QMessageBox> QtMessageBox::Build(const std::string& strText, MessageIcon icon,
                                                 MessageButtons buttons, QWidget* pParent)
{
    std::unique_ptr<QMessageBox> pBox;
    if (buttons == MessageButtons::YesNo)
        pBox = std::make_unique<QuestionBox>(pParent);
    else
        pBox = std::make_unique<QMessageBox>(pParent);
    pBox->setWindowTitle(QString::fromUtf8(LoadString(IDR_MAINFRAME)));
    pBox->setText(QString::fromStdString(strText));
    pBox->setTextFormat(Qt::PlainText);
    // A label that takes focus is no text of the box for Orca 51, which would then say only its caption.
    pBox->setTextInteractionFlags(Qt::NoTextInteraction);
    pBox->setIcon(QtIcon(icon));
    if (buttons == MessageButtons::YesNo) {
        pBox->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        pBox->button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
        pBox->button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
        pBox->setDefaultButton(QMessageBox::Yes);
    } else {
        pBox->setStandardButtons(QMessageBox::Ok);
        pBox->button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    }
    return pBox;
}

MessageAnswer QtMessageBox::AnswerOf(const QMessageBox& box)
{
    const QAbstractButton* pClicked = box.clickedButton();
    if (pClicked == box.button(QMessageBox::Yes))
        return MessageAnswer::Yes;
    if (pClicked == box.button(QMessageBox::No))
        return MessageAnswer::No;
    return box.button(QMessageBox::Ok) ? MessageAnswer::Ok : MessageAnswer::No;
}

MessageAnswer QtMessageBox::Show(const std::string& strText, MessageIcon icon, MessageButtons buttons)
{
    const std::unique_ptr<QMessageBox> pBox = Build(strText, icon, buttons, QApplication::activeWindow());
    pBox->exec();
    return AnswerOf(*pBox);
}
