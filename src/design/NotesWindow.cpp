#include "NotesWindow.h"

#include <QBoxLayout>
#include <QPlainTextEdit>

#include "document/PatternSession.h"
#include "document/commands/PaletteCommands.h"
#include "errors/ErrorReporter.h"
#include "model/Twips.h"
#include "widgets/FormTwips.h"

namespace tessaly {

NotesWindow::NotesWindow(PatternSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName("frmNotes");
    setWindowTitle(tr("Notes"));
    setAccessibleName(windowTitle());
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("txtNotes");
    text_->setAccessibleName(tr("Notes"));
    text_->setPlaceholderText(
        tr("How the band is woven, where the pattern comes from, the loom..."));
    auto* layout = new QVBoxLayout(this);
    const int margin = TwipsToPixels(form_twips::kMargin);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(text_);
    resize(TwipsToPixels(form_twips::kDisplayWidth), TwipsToPixels(form_twips::kDesignHeight));

    // any change counts, typed or set through the accessibility interface; the document's
    // own update (an undo) comes back as the text it holds and is no step
    connect(text_, &QPlainTextEdit::textChanged, this, [this] {
        const std::string notes = text_->toPlainText().toStdString();
        if (notes == session_.Document().Extras().notes) return;
        Trap("frmNotes", "txtNotes_Change", [&] {
            PatternExtras extras = session_.Document().Extras();
            extras.notes = notes;
            session_.Run<EditExtras>(EditExtras::Kind::Notes, std::move(extras));
        });
    });
    connect(&session_.Document(), &PatternDocument::extrasChanged, this, &NotesWindow::ShowNotes);
    ShowNotes();
}

void NotesWindow::ShowNotes() {
    const QString notes = QString::fromStdString(session_.Document().Extras().notes);
    if (text_->toPlainText() != notes) text_->setPlainText(notes);
}

}  // namespace tessaly
