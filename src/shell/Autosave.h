#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "document/RecoveryCopy.h"

namespace tessaly {

class PatternSession;

// Keeps a recovery copy of unsaved work: at most every 30 seconds after a change, and at once
// before anything that may fail; the copy goes when the work is saved or set aside.
class Autosave : public QObject {
    Q_OBJECT

  public:
    static constexpr int kDelayMs = 30'000;

    // places gives the windows' places to keep with the pattern.
    Autosave(PatternSession& session, std::function<WindowValues()> places,
             QString folder = RecoveryCopy::DefaultFolder(), QObject* parent = nullptr);

    // Writes the copy now when there is unsaved work (waiting for the file when wait), and
    // removes it when there is none.
    void WriteNow(bool wait = false);
    // The work is saved or set aside (a normal exit, New or Open after Discard).
    void Remove();
    const RecoveryCopy& Copy() const { return copy_; }

  private:
    PatternSession& session_;
    std::function<WindowValues()> places_;
    RecoveryCopy copy_;
    QTimer timer_;
};

}  // namespace tessaly
