#include "QtUserDialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <vector>

#include "model/Card.h"
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
    QColorDialog dialog(current == Card::kNoThread ? QColor(Qt::white)
                                                   : RasterCanvas::ToQColor(current),
                        parent);
    // Qt's own dialog, so that it can offer a hole without thread beside OK and Cancel
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    bool noThread = false;
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* none = buttons->addButton(QObject::tr("No thread"), QDialogButtonBox::ActionRole);
        none->setObjectName("cmdNoThread");
        QObject::connect(none, &QPushButton::clicked, &dialog, [&] {
            noThread = true;
            dialog.accept();
        });
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (noThread) return Card::kNoThread;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid()) return std::nullopt;
    return static_cast<std::int32_t>(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16));
}

namespace {

std::optional<QString> ChoosePatternFile(QWidget* parent, const QString& last, bool save) {
    QFileDialog dialog(parent, save ? QObject::tr("Save Pattern") : QObject::tr("Open Pattern"));
    // another program's pattern opens, and is saved as Tessaly's own file
    if (save)
        dialog.setNameFilters({QObject::tr("Kestro File (*.kst)"), QObject::tr("All Files (*)")});
    else
        dialog.setNameFilters({QObject::tr("Pattern files (*.kst *.tdd *.twt *.gtt)"),
                               QObject::tr("Kestro File (*.kst)"),
                               QObject::tr("Tablet Weaving Draft Designer (*.tdd)"),
                               QObject::tr("Twisted Threads (*.twt)"),
                               QObject::tr("Guntram's Tabletweaving Thingy (*.gtt)"),
                               QObject::tr("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("kst"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!last.isEmpty()) dialog.selectFile(last);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> QtUserDialogs::ChooseOpenFile(QWidget* parent, const QString& last) {
    return ChoosePatternFile(parent, last, false);
}

std::optional<QString> QtUserDialogs::ChooseSaveFile(QWidget* parent, const QString& last) {
    return ChoosePatternFile(parent, last, true);
}

namespace {

// "pdf" of "PDF Document (*.pdf)"
QString SuffixOf(const QString& filter) {
    const auto match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

std::optional<QString> QtUserDialogs::ChooseExportFile(QWidget* parent, const QString& title,
                                                       const QString& suggested,
                                                       const QStringList& filters) {
    QFileDialog dialog(parent, title);
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!filters.isEmpty()) dialog.setDefaultSuffix(SuffixOf(filters.constFirst()));
    // a name typed without a suffix takes the one of the filter shown
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOf(filter)); });
    if (!suggested.isEmpty()) dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool QtUserDialogs::SetUpPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QObject::tr("Print"));
    return dialog.exec() == QDialog::Accepted;
}

void QtUserDialogs::ShowPrintPreview(QWidget* parent, QPrinter& printer,
                                     const std::function<void(QPrinter&)>& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("frmPrint"));
    dialog.setWindowTitle(QObject::tr("Print"));
    dialog.setAccessibleName(QObject::tr("Print"));
    if (auto* pages = dialog.findChild<QPrintPreviewWidget*>()) {
        pages->setObjectName(QStringLiteral("prvPages"));
        pages->setAccessibleName(QObject::tr("Print Preview"));
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* pages) { paint(*pages); });
    dialog.resize(900, 700);
    dialog.exec();
}

bool QtUserDialogs::OpenDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::optional<int> QtUserDialogs::AskNumber(QWidget* parent, const QString& title,
                                            const QString& label, int value, int min, int max) {
    bool ok = false;
    const int number = QInputDialog::getInt(parent, title, label, value, min, max, 1, &ok);
    if (!ok) return std::nullopt;
    return number;
}

int QtUserDialogs::Choose(QWidget* parent, const QString& title, const QString& text,
                          const QStringList& buttons) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    std::vector<QPushButton*> added;
    for (const QString& label : buttons)
        added.push_back(box.addButton(label, QMessageBox::ActionRole));
    if (!added.empty()) box.setDefaultButton(added.front());
    box.exec();
    const auto chosen = std::find(added.begin(), added.end(), box.clickedButton());
    return chosen == added.end() ? -1 : static_cast<int>(chosen - added.begin());
}

std::optional<QString> QtUserDialogs::AskText(QWidget* parent, const QString& title,
                                              const QString& label, const QString& text) {
    bool ok = false;
    const QString typed = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    if (!ok) return std::nullopt;
    return typed;
}

}  // namespace tessaly
