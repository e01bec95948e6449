#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace tessaly {

// Everything that asks the user something or opens something outside the program goes
// through here, so tests can answer without a screen. The windows hold one; the program's
// is QtUserDialogs.
class UserDialogs {
  public:
    enum class Icon { None, Warning, Information, Question };
    enum class Answer { Yes, No, Cancel };

    virtual ~UserDialogs() = default;
    // A modal message with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& title, const QString& text,
                             Icon icon) = 0;
    // A modal question with Yes and No, and Cancel when withCancel.
    virtual Answer Ask(QWidget* parent, const QString& title, const QString& text,
                       bool withCancel) = 0;
    // The colour dialog, opened on the current colour (0x00BBGGRR); nothing when cancelled.
    virtual std::optional<std::int32_t> ChooseColor(QWidget* parent, std::int32_t current) = 0;
    // The file dialogs for pattern files, opened on the last name chosen; nothing when
    // cancelled. Open asks for a file that exists; Save asks before overwriting one.
    virtual std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& last) = 0;
    virtual std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& last) = 0;
    // The save dialog for a file the program exports (a PDF, a picture), offering these
    // filters ("PDF Document (*.pdf)") and starting on the suggested name; nothing when
    // cancelled. The file name carries the suffix of the filter chosen.
    virtual std::optional<QString> ChooseExportFile(QWidget* parent, const QString& title,
                                                    const QString& suggested,
                                                    const QStringList& filters) = 0;
    // The print dialog: the printer, paper and pages chosen go into the printer; false when
    // cancelled.
    virtual bool SetUpPrinter(QWidget* parent, QPrinter& printer) = 0;
    // The print preview window, which calls paint whenever it needs the pages (again after
    // a change of paper or orientation); closed by the user.
    virtual void ShowPrintPreview(QWidget* parent, QPrinter& printer,
                                  const std::function<void(QPrinter&)>& paint) = 0;
    // Asks for a whole number from min to max, offering value; nothing when cancelled.
    virtual std::optional<int> AskNumber(QWidget* parent, const QString& title,
                                         const QString& label, int value, int min, int max) = 0;
    // Asks for a line of text, offering text; nothing when cancelled.
    virtual std::optional<QString> AskText(QWidget* parent, const QString& title,
                                           const QString& label, const QString& text) = 0;
    // A question answered by one of these buttons (the first is the default): the index of
    // the one chosen, or -1 when the box was closed.
    virtual int Choose(QWidget* parent, const QString& title, const QString& text,
                       const QStringList& buttons) = 0;
    // Opens a document with the desktop's viewer; false when none could be started.
    virtual bool OpenDocument(const QString& path) = 0;
};

}  // namespace tessaly
