#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <set>
#include <vector>

#include "engine/PickSteps.h"

class QAction;

namespace tessaly {

class DraftGrid;
class PatternSession;

// The cards chosen by their numbers in the draft (a click chooses one, or keeps those chosen
// when it is one of them, Ctrl+click adds or takes one away, Shift+click chooses the run from
// the last one chosen; dragging the numbers moves the cards chosen) and what can be done
// to them: a copy inserted before or after, deleted, moved one place left or right, mirrored.
// Each is one undo step; its actions serve the main window's Pattern menu.
class CardEditor : public QObject {
    Q_OBJECT

  public:
    CardEditor(PatternSession& session, DraftGrid* grid);

    // "Insert Card Before", "Insert Card After", "Delete Cards", "Move Card Left",
    // "Move Card Right", "Mirror Cards".
    const std::vector<QAction*>& Actions() const { return actions_; }

    const std::set<std::int32_t>& Chosen() const { return chosen_; }
    // A press on card's number with these keyboard modifiers.
    void Choose(std::int32_t card, Qt::KeyboardModifiers modifiers);

    void insertCardBefore();
    void insertCardAfter();
    void deleteCards();
    void moveCardsLeft();
    void moveCardsRight();
    void mirrorCards();
    // The cards chosen moved so that card `from` lands on `to` (a drag of the number row); a
    // card dragged that was not chosen is chosen alone first.
    void moveChosenTo(std::int32_t from, std::int32_t to);

  private:
    QAction* AddAction(const char* name, const QString& text, void (CardEditor::*slot)());
    // Runs a card edit and chooses the cards it leaves chosen.
    void Run(const char* procedure, const QString& text, const std::function<CardOrder()>& order,
             const std::function<std::set<std::int32_t>()>& chosenAfter);
    void SetChosen(std::set<std::int32_t> chosen);
    void UpdateActions();
    std::int32_t CardCount() const;
    std::vector<std::int32_t> ChosenList() const { return {chosen_.begin(), chosen_.end()}; }

    PatternSession& session_;
    DraftGrid* grid_;
    std::vector<QAction*> actions_;  // in the order the Pattern menu lists them
    QAction* insertBefore_ = nullptr;
    QAction* insertAfter_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* moveLeft_ = nullptr;
    QAction* moveRight_ = nullptr;
    QAction* mirror_ = nullptr;
    std::set<std::int32_t> chosen_;
    std::int32_t anchor_ = 0;  // where a Shift+click's run begins
};

}  // namespace tessaly
