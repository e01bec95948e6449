#pragma once

#include "PatternCommand.h"

namespace tessaly {

// Reverse: the other face of the band shows. A face turned and back again is no step.
class ReverseFace : public PatternCommand {
  public:
    explicit ReverseFace(CommandTarget target);
    std::int64_t Bytes() const override { return 0; }
    bool ChangesFile() const override { return false; }

  private:
    bool Redo() override;
    void Undo() override { Redo(); }
    int MergeId() const override { return kReverseMerge; }
    Merged MergeWith(const PatternCommand& next) override;
};

}  // namespace tessaly
