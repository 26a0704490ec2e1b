#include "ui/common/MessageSeam.h"

#include "ui/common/FocusReturn.h"

#include <QMessageBox>

namespace zephlan {

void MessageBoxSeam::showMessage(QWidget *parent, const QString &prompt, const QString &title)
{
    const FocusReturn focusReturn(parent);
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace zephlan
