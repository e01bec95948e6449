#pragma once

#include <QPointer>
#include <QWidget>

#include "errors/ErrorReporter.h"
#include "widgets/UserDialogs.h"

namespace tessaly {

// Shows each unexpected error as a modal warning with an OK button; a report made on another
// thread is shown when the event loop of the windows takes it.
class MessageBoxErrorSink : public ErrorSink {
  public:
    explicit MessageBoxErrorSink(UserDialogs& dialogs) : dialogs_(dialogs) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    void Show(const ErrorReport& report) noexcept override;

  private:
    UserDialogs& dialogs_;
    QPointer<QWidget> parent_;
};

}  // namespace tessaly
