#pragma once

#include <string>

enum class MessageIcon { None, Information, Question, Warning, Error };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// A modal message box captioned "Quorvel". Tests replace it to answer without a person.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual MessageAnswer Show(const std::string& strText, MessageIcon icon, MessageButtons buttons) = 0;
};
