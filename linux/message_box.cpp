#include "linux/message_box.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace tarvex {

namespace {

// On X11 an empty title is replaced by the application's name; a single blank keeps the title
// bar blank.
const QString kBlankTitle = QStringLiteral(" ");

} // namespace

void showMessageBox(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::NoIcon, kBlankTitle, message, QMessageBox::Ok, parent);
    // Some styles put a check mark on OK; the box has no icon anywhere.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

} // namespace tarvex
