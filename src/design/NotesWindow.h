#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace tessaly {

class PatternSession;

// "Notes": free text kept with the pattern (how it is woven, its source, the loom), printed
// after the title and carried to the other programs' files where they have a place. Typing is
// one undo step until the weaver does something else.
class NotesWindow : public QWidget {
    Q_OBJECT

  public:
    explicit NotesWindow(PatternSession& session, QWidget* parent = nullptr);

  private:
    void ShowNotes();

    PatternSession& session_;
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace tessaly
