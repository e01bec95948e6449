#pragma once

#include <QString>

class QWidget;

namespace tessaly {

// Everything that asks the user something or opens something outside the program goes
// through here, so tests can answer without a screen.
class UserDialogs {
  public:
    enum class Icon { None, Warning, Information };

    virtual ~UserDialogs() = default;
    // A modal message with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& title, const QString& text,
                             Icon icon) = 0;
    // Opens a document with the desktop's viewer; false when none could be started.
    virtual bool OpenDocument(const QString& path) = 0;
};

class QtUserDialogs : public UserDialogs {
  public:
    void ShowMessage(QWidget* parent, const QString& title, const QString& text,
                     Icon icon) override;
    bool OpenDocument(const QString& path) override;
};

}  // namespace tessaly
