#include "MessageBoxErrorSink.h"

namespace tessaly {

void MessageBoxErrorSink::Show(const ErrorReport& report) noexcept {
    try {
        dialogs_.ShowMessage(parent_, QString::fromStdString(report.Title()),
                             QString::fromStdString(report.Text()), UserDialogs::Icon::Warning);
    } catch (...) {
        // the reporter never fails: a message that cannot be shown is dropped
    }
}

}  // namespace tessaly
