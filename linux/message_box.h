#pragma once

class QString;
class QWidget;

namespace tarvex {

// Shows `message` in a modal box with a single OK button, no icon and a blank title, and
// returns once the user has closed it, however it was closed.
void showMessageBox(QWidget *parent, const QString &message);

} // namespace tarvex
