#include "linux/guarded_command.h"

#include "design/failures.h"
#include "linux/message_box.h"

#include <QString>

namespace tarvex {

void reportFailedCommand(QWidget *window, const std::exception &failure)
{
    showMessageBox(window, QStringView(design::failureMessage(failure)).toString());
}

} // namespace tarvex
