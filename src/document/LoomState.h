#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>

#include "engine/LoomPosition.h"

namespace tessaly {

class Band;
class PatternDocument;

// The weaver at the loom following the pattern: the pick about to be woven, kept for the
// pattern's file in the settings and found again when the file is opened. The pattern is
// only read. Its marks on the band and the instructions show while the weaver follows.
class LoomState : public QObject {
    Q_OBJECT

  public:
    explicit LoomState(const PatternDocument& document, QObject* parent = nullptr);

    // The weaver follows the pattern now (the Weave Along window shows).
    bool Following() const { return following_; }
    void SetFollowing(bool following);

    // The position, on the band as it is now: a change of the band keeps the pick, within
    // the band's picks for a hand-woven band.
    const LoomPosition& Position();
    std::int32_t Pick() const { return pick_; }
    LoomPosition::Move Next();
    LoomPosition::Move Previous();
    LoomPosition::Move GoTo(std::int32_t pick);

    // The pattern's file was opened (restore: back to the pick kept for it) or written.
    void TieToFile(const QString& path, bool restore);

  signals:
    void pickChanged(int pick);
    void followingChanged(bool following);

  private:
    LoomPosition::Move Moved(LoomPosition::Move move);
    void BandChanged();

    const PatternDocument& document_;
    std::optional<LoomPosition> position_;  // none until asked for after a change of the band
    const Band* positionBand_ = nullptr;    // the band it was made on, and its rows then
    std::int32_t positionRows_ = 0;
    std::int32_t pick_ = 1;
    QString bookmark_;  // the settings key of the pattern's file as opened or saved
    bool following_ = false;
};

}  // namespace tessaly
