#pragma once

#include <QString>
#include <cstdint>
#include <optional>

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
    // Opens a document with the desktop's viewer; false when none could be started.
    virtual bool OpenDocument(const QString& path) = 0;
};

}  // namespace tessaly
