#pragma once

#include "app/message_box.h"

#include <QMessageBox>

#include <memory>

// Message boxes as QMessageBox, with the program's caption and German buttons.
class QtMessageBox : public IMessageBox {
public:
    MessageAnswer Show(const std::string& strText, MessageIcon icon, MessageButtons buttons) override;

    static std::unique_ptr<QMessageBox> Build(const std::string& strText, MessageIcon icon, MessageButtons buttons,
                                              QWidget* pParent);
    static MessageAnswer AnswerOf(const QMessageBox& box);
};
