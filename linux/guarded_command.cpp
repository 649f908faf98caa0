#include "linux/guarded_command.h"

#include "linux/message_box.h"
#include "texts.h"

#include <QString>

#include <new>

namespace tarvex {

void reportFailedCommand(QWidget *window, const std::exception &failure)
{
    const bool outOfMemory = dynamic_cast<const std::bad_alloc *>(&failure) != nullptr;
    const std::u16string_view message =
        outOfMemory ? design::kCommandFailedNoMemory : design::kCommandFailed;
    showMessageBox(window, QStringView(message).toString());
}

} // namespace tarvex
