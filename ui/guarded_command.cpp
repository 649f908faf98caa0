#include "guarded_command.h"

#include "message_box.h"

#include <QString>

#include <new>

namespace tarvex {

void reportFailedCommand(QWidget *window, const std::exception &failure)
{
    const bool outOfMemory = dynamic_cast<const std::bad_alloc *>(&failure) != nullptr;
    showMessageBox(window, outOfMemory ? QStringLiteral("内存不足，无法完成转换")
                                       : QStringLiteral("转换失败"));
}

} // namespace tarvex
