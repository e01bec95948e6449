#pragma once

#include <string>

#include "PatternCommand.h"

namespace tessaly {

// The band name or the turning sequence as typed: typing on in the same box is one step, and
// text typed and rubbed out again is none.
class EditText : public PatternCommand {
  public:
    std::int64_t Bytes() const override {
        return static_cast<std::int64_t>(before_.size() + after_.size());
    }

  protected:
    EditText(CommandTarget target, const QString& text, std::string before, std::string after);
    EditText(EditText&&) noexcept = default;
    virtual void Show(const std::string& text) = 0;

  private:
    bool Redo() override;
    void Undo() override { Show(before_); }
    bool mergeWith(const QUndoCommand* other) override;

    std::string before_;
    std::string after_;
};

class EditBandName : public MovableCommand<EditBandName, EditText> {
  public:
    EditBandName(CommandTarget target, std::string name);

  private:
    int MergeId() const override { return kBandNameMerge; }
    void Show(const std::string& text) override;
};

class EditTurnSequence : public MovableCommand<EditTurnSequence, EditText> {
  public:
    EditTurnSequence(CommandTarget target, std::string sequence);

  private:
    int MergeId() const override { return kTurnSequenceMerge; }
    void Show(const std::string& text) override;
};

}  // namespace tessaly
