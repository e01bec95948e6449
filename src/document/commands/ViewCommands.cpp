#include "ViewCommands.h"

#include <QObject>

#include "document/BandViews.h"

namespace tessaly {

ReverseFace::ReverseFace(CommandTarget target) : MovableCommand(target, QObject::tr("Reverse")) {}

bool ReverseFace::Redo() {
    Views().SetReversed(!Views().IsReversed());
    return true;
}

bool ReverseFace::mergeWith(const QUndoCommand*) {
    // the next turn takes this one back: together they leave the stack
    turnedBack_ = !turnedBack_;
    setObsolete(turnedBack_);
    return true;
}

}  // namespace tessaly
