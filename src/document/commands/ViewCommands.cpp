#include "ViewCommands.h"

#include <QObject>

#include "document/BandPresentation.h"

namespace tessaly {

ReverseFace::ReverseFace(CommandTarget target) : PatternCommand(target, QObject::tr("Reverse")) {}

bool ReverseFace::Redo() {
    Presentation().SetReversed(!Presentation().IsReversed());
    return true;
}

PatternCommand::Merged ReverseFace::MergeWith(const PatternCommand& /*next*/) {
    // the next turn takes this one back: together they leave the history
    return Merged::Cancelled;
}

}  // namespace tessaly
