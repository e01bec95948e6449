#pragma once

#include <string>

#include "PatternCommand.h"

namespace tessaly {

// The band name or the turning sequence as typed: typing on in the same box is one step, and
// text typed and rubbed out again is none.
class EditText : public PatternCommand {
  public:
    enum class Field { BandName, TurnSequence };

    EditText(CommandTarget target, Field field, std::string text);
    std::int64_t Bytes() const override {
        return static_cast<std::int64_t>(before_.size() + after_.size());
    }
    bool ChangesBand() const override { return false; }

  private:
    bool Redo() override;
    void Undo() override { Show(before_); }
    int MergeId() const override {
        return field_ == Field::BandName ? kBandNameMerge : kTurnSequenceMerge;
    }
    Merged MergeWith(const PatternCommand& next) override;
    void Show(const std::string& text);

    Field field_;
    std::string before_;
    std::string after_;
};

}  // namespace tessaly
