#include "TextCommands.h"

#include <QObject>

#include "document/PatternDocument.h"

namespace tessaly {

namespace {

QString StepName(EditText::Field field) {
    return field == EditText::Field::BandName ? QObject::tr("Band Name")
                                              : QObject::tr("Turn Sequence");
}

}  // namespace

EditText::EditText(CommandTarget target, Field field, std::string text)
    : PatternCommand(target, StepName(field)),
      field_(field),
      before_(field == Field::BandName ? target.document.BandName()
                                       : target.document.TurnSequence()),
      after_(std::move(text)) {}

bool EditText::Redo() {
    if (after_ == before_) return false;
    Show(after_);
    return true;
}

PatternCommand::Merged EditText::MergeWith(const PatternCommand& next) {
    // only steps of the same box share a merge id
    after_ = static_cast<const EditText&>(next).after_;
    return after_ == before_ ? Merged::Cancelled : Merged::Joined;
}

void EditText::Show(const std::string& text) {
    if (field_ == Field::BandName)
        Document().SetBandName(text);
    else
        Document().SetTurnSequence(text);
}

}  // namespace tessaly
