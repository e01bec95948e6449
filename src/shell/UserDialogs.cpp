#include "UserDialogs.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace tessaly {

void QtUserDialogs::ShowMessage(QWidget* parent, const QString& title, const QString& text,
                                Icon icon) {
    QMessageBox box(icon == Icon::Warning       ? QMessageBox::Warning
                    : icon == Icon::Information ? QMessageBox::Information
                                                : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtUserDialogs::OpenDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace tessaly
