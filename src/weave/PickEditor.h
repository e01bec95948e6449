#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "engine/PickSteps.h"

class QAction;
class QTableView;

namespace tessaly {

class PatternSession;
class UserDialogs;

// Edits the band through its turning instructions, as a designer expects of a grid: a click
// (or Space) sets a cell to the next of F, B and I, the F, B and I keys set the cells
// selected, Shift+click or "*" flips a card over at a pick; the picks of the selection are
// inserted, deleted, duplicated, repeated, turned over, copied, cut and pasted (as the
// instructions' CSV lines). Each edit is one undo step named after it. Its actions serve the
// table's context menu and the main window's Pattern menu alike.
class PickEditor : public QObject {
    Q_OBJECT

  public:
    PickEditor(PatternSession& session, UserDialogs& dialogs, QTableView* table);

    // "Insert Pick Above", "Insert Pick Below", "Delete Picks", "Duplicate Picks", "Repeat…",
    // "Turn Over", then copy, cut and paste.
    // The edits of the picks, then the clipboard's (Copy, Cut, Paste), as the Pattern menu
    // groups them.
    std::vector<QAction*> EditActions() const {
        return {actions_.begin(), actions_.begin() + static_cast<std::ptrdiff_t>(clipboardFrom_)};
    }
    std::vector<QAction*> ClipboardActions() const {
        return {actions_.begin() + static_cast<std::ptrdiff_t>(clipboardFrom_), actions_.end()};
    }

    // The picks and cells of the selection (or the current cell), from 1.
    std::vector<std::int32_t> SelectedPicks() const;
    std::vector<PickCell> SelectedCells() const;

    // The edits themselves, on the selection; each reports its failure and changes nothing.
    void setTurn(std::int32_t turn);
    void cycleTurn();
    void toggleFlip();
    void insertPickAbove();
    void insertPickBelow();
    void deletePicks();
    void duplicatePicks();
    void repeatPicks();
    void turnOver();
    void copyPicks();
    void cutPicks();
    void pastePicks();

    // The CSV lines of picks ("12,F,B *,I"), as the front face shows them or the reverse (the
    // cards from the other edge, every turn the other way); and the steps read back from such
    // lines (the instructions' CSV as written, header and threading line included) for a band
    // of `cards` cards taking its packs from `packs`; nothing when a line is not one.
    static QString PicksAsText(const Band& band, const std::vector<std::int32_t>& picks,
                               bool reverseFace = false);
    static std::optional<std::vector<PickSteps>> PicksFromText(const QString& text,
                                                               const Cards& packs,
                                                               QString* problem = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* AddAction(const char* name, const QString& text, void (PickEditor::*slot)());
    // Runs an edit; the selection stays on the same cells as far as the band still has them.
    void Run(const char* procedure, const std::function<void()>& edit);
    bool RunEdit(const QString& text, PicksEdit edit);
    void UpdateActions();
    std::int32_t PickCount() const;

    PatternSession& session_;
    UserDialogs& dialogs_;
    QTableView* table_;
    std::vector<QAction*> actions_;
    std::size_t clipboardFrom_ = 0;  // the first of the clipboard's actions
    QAction* insertAbove_ = nullptr;
    QAction* insertBelow_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    std::optional<std::pair<int, int>> pressed_;  // the cell a plain click began on
};

}  // namespace tessaly
