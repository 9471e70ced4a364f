#include "app/visit/gui_post.h"

#include <QCoreApplication>

void PostToGui(std::function<void()> fn)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(fn), Qt::QueuedConnection);
}
