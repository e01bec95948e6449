#include "TextCommands.h"

#include <QObject>

#include "document/PatternDocument.h"

namespace tessaly {

EditText::EditText(CommandTarget target, const QString& text, std::string before, std::string after)
    : PatternCommand(target, text), before_(std::move(before)), after_(std::move(after)) {}

bool EditText::Redo() {
    if (after_ == before_) return false;
    Show(after_);
    return true;
}

bool EditText::mergeWith(const QUndoCommand* other) {
    after_ = static_cast<const EditText*>(other)->after_;
    setObsolete(after_ == before_);
    return true;
}

EditBandName::EditBandName(CommandTarget target, std::string name)
    : MovableCommand(target, QObject::tr("Band Name"), target.document.BandName(),
                     std::move(name)) {}

void EditBandName::Show(const std::string& text) { Document().SetBandName(text); }

EditTurnSequence::EditTurnSequence(CommandTarget target, std::string sequence)
    : MovableCommand(target, QObject::tr("Turn Sequence"), target.document.TurnSequence(),
                     std::move(sequence)) {}

void EditTurnSequence::Show(const std::string& text) { Document().SetTurnSequence(text); }

}  // namespace tessaly
