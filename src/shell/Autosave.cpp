#include "Autosave.h"

#include "document/PatternSession.h"

namespace tessaly {

Autosave::Autosave(PatternSession& session, std::function<WindowValues()> places, QString folder,
                   QObject* parent)
    : QObject(parent), session_(session), places_(std::move(places)), copy_(std::move(folder)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, [this] { WriteNow(); });
    // a change starts the clock, unless it runs already: at most one copy every 30 seconds
    const auto changed = [this] {
        if (!timer_.isActive()) timer_.start();
    };
    History& history = session_.History();
    connect(&history, &History::stepsChanged, this, changed);
    PatternDocument& document = session_.Document();
    connect(&document, &PatternDocument::threadingChanged, this, changed);
    connect(&document, &PatternDocument::turnSequenceChanged, this, changed);
    // saved: nothing is left to recover
    connect(&history, &History::changedChanged, this, [this](bool changedNow) {
        if (!changedNow && !session_.HasUnsavedWork()) Remove();
    });
}

void Autosave::WriteNow(bool wait) {
    timer_.stop();
    if (session_.HasUnsavedWork())
        copy_.Write(session_, places_(), wait);
    else
        copy_.Remove();
}

void Autosave::Remove() {
    timer_.stop();
    copy_.Remove();
}

}  // namespace tessaly
