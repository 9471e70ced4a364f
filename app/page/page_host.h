#pragma once

#include "app/message_box.h"

// What the frame hands a page for a visit: the way to another page and the message boxes.
class IPageHost {
public:
    virtual ~IPageHost() = default;
    virtual void SwitchPage(int nPage) = 0;
    virtual IMessageBox& MessageBox() = 0;
};
