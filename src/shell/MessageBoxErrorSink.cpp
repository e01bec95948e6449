#include "MessageBoxErrorSink.h"

#include <QCoreApplication>
#include <QThread>

namespace tessaly {

void MessageBoxErrorSink::Show(const ErrorReport& report) noexcept {
    try {
        // a worker thread's report (a recovery copy being written) waits for the thread that
        // may show windows
        QCoreApplication* app = QCoreApplication::instance();
        if (app != nullptr && QThread::currentThread() != app->thread()) {
            QMetaObject::invokeMethod(
                app, [this, report] { Show(report); }, Qt::QueuedConnection);
            return;
        }
        dialogs_.ShowMessage(parent_, QString::fromStdString(report.Title()),
                             QString::fromStdString(report.Text()), UserDialogs::Icon::Warning);
    } catch (...) {
        // the reporter never fails: a message that cannot be shown is dropped
    }
}

}  // namespace tessaly
