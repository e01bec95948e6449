#include "QtUserDialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "render/RasterCanvas.h"

namespace tessaly {

void QtUserDialogs::ShowMessage(QWidget* parent, const QString& title, const QString& text,
                                Icon icon) {
    QMessageBox box(icon == Icon::Warning       ? QMessageBox::Warning
                    : icon == Icon::Information ? QMessageBox::Information
                    : icon == Icon::Question    ? QMessageBox::Question
                                                : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
}

UserDialogs::Answer QtUserDialogs::Ask(QWidget* parent, const QString& title, const QString& text,
                                       bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, title, text, buttons, parent);
    const int answer = box.exec();
    if (answer == QMessageBox::Yes) return Answer::Yes;
    if (answer == QMessageBox::No) return Answer::No;
    return withCancel ? Answer::Cancel : Answer::No;
}

std::optional<std::int32_t> QtUserDialogs::ChooseColor(QWidget* parent, std::int32_t current) {
    const QColor chosen = QColorDialog::getColor(RasterCanvas::ToQColor(current), parent);
    if (!chosen.isValid()) return std::nullopt;
    return static_cast<std::int32_t>(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16));
}

bool QtUserDialogs::OpenDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace tessaly
