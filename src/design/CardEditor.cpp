#include "CardEditor.h"

#include <QAction>
#include <algorithm>

#include "DraftGrid.h"
#include "document/PatternSession.h"
#include "document/commands/CardCommands.h"
#include "errors/ErrorReporter.h"
#include "widgets/MenuAction.h"

namespace tessaly {

namespace {

constexpr const char* kModule = "frmDesign";

// "Card 5", "Cards 3–6", "3 Cards".
QString CardsName(const std::set<std::int32_t>& cards) {
    if (cards.size() == 1) return QObject::tr("Card %1").arg(*cards.begin());
    const bool run = *cards.rbegin() - *cards.begin() + 1 == static_cast<std::int32_t>(cards.size());
    if (run) return QObject::tr("Cards %1–%2").arg(*cards.begin()).arg(*cards.rbegin());
    return QObject::tr("%1 Cards").arg(cards.size());
}

}  // namespace

CardEditor::CardEditor(PatternSession& session, DraftGrid* grid)
    : QObject(grid), session_(session), grid_(grid) {
    insertBefore_ =
        AddAction("mnuInsertCardBefore", tr("Insert Card Before"), &CardEditor::insertCardBefore);
    insertAfter_ =
        AddAction("mnuInsertCardAfter", tr("Insert Card After"), &CardEditor::insertCardAfter);
    delete_ = AddAction("mnuDeleteCards", tr("Delete Cards"), &CardEditor::deleteCards);
    moveLeft_ = AddAction("mnuMoveCardLeft", tr("Move Card Left"), &CardEditor::moveCardsLeft);
    moveRight_ =
        AddAction("mnuMoveCardRight", tr("Move Card Right"), &CardEditor::moveCardsRight);
    mirror_ = AddAction("mnuMirrorCards", tr("Mirror Cards"), &CardEditor::mirrorCards);
    // cards that are gone are no longer chosen
    const PatternDocument& document = session_.Document();
    connect(&document, &PatternDocument::threadingChanged, this, [this] {
        std::set<std::int32_t> kept;
        for (const std::int32_t card : chosen_)
            if (card <= CardCount()) kept.insert(card);
        SetChosen(std::move(kept));
    });
    connect(&document, &PatternDocument::bandReplaced, this, &CardEditor::UpdateActions);
    UpdateActions();
}

QAction* CardEditor::AddAction(const char* name, const QString& text, void (CardEditor::*slot)()) {
    QAction* action = NewMenuAction(this, name, text);
    connect(action, &QAction::triggered, this, slot);
    actions_.push_back(action);
    return action;
}

std::int32_t CardEditor::CardCount() const {
    const Band& band = session_.Document().CurrentBand();
    return band.Count() > 0 ? band.At(1).Cards().Count() : 0;
}

void CardEditor::Choose(std::int32_t card, Qt::KeyboardModifiers modifiers) {
    if (card < 1 || card > CardCount()) return;
    std::set<std::int32_t> chosen = chosen_;
    if (modifiers & Qt::ShiftModifier && anchor_ >= 1) {
        for (std::int32_t c = std::min(anchor_, card); c <= std::max(anchor_, card); ++c)
            chosen.insert(c);
    } else if (modifiers & Qt::ControlModifier) {
        if (!chosen.erase(card)) chosen.insert(card);
        anchor_ = card;
    } else if (!chosen.contains(card)) {
        // a press on a card already chosen keeps the others, so that they can be dragged
        chosen = {card};
        anchor_ = card;
    }
    SetChosen(std::move(chosen));
}

void CardEditor::SetChosen(std::set<std::int32_t> chosen) {
    chosen_ = std::move(chosen);
    grid_->SetChosenCards(chosen_);
    UpdateActions();
}

void CardEditor::UpdateActions() {
    const bool any = !chosen_.empty() && *chosen_.rbegin() <= CardCount();
    const std::int32_t cards = CardCount();
    const bool room = cards < kMostCards;
    insertBefore_->setEnabled(any && room);
    insertAfter_->setEnabled(any && room);
    delete_->setEnabled(any && static_cast<std::int32_t>(chosen_.size()) < cards);
    moveLeft_->setEnabled(any && *chosen_.begin() > 1);
    moveRight_->setEnabled(any && *chosen_.rbegin() < cards);
    mirror_->setEnabled(any && chosen_.size() >= 2);
}

void CardEditor::Run(const char* procedure, const QString& text,
                     const std::function<CardOrder()>& order,
                     const std::function<std::set<std::int32_t>()>& chosenAfter) {
    if (chosen_.empty()) return;
    bool done = false;
    Trap(kModule, procedure, [&] { done = session_.Run<EditCards>(text, order()); });
    if (done) SetChosen(chosenAfter());
}

void CardEditor::insertCardBefore() {
    const std::int32_t card = *chosen_.begin();
    Run("InsertCardBefore", tr("Insert Card %1").arg(card),
        [&] { return InsertCardOrder(CardCount(), card, false); },
        [&] { return std::set<std::int32_t>{card}; });
}

void CardEditor::insertCardAfter() {
    const std::int32_t card = *chosen_.rbegin();
    Run("InsertCardAfter", tr("Insert Card %1").arg(card + 1),
        [&] { return InsertCardOrder(CardCount(), card, true); },
        [&] { return std::set<std::int32_t>{card + 1}; });
}

void CardEditor::deleteCards() {
    Run("DeleteCards", tr("Delete %1").arg(CardsName(chosen_)),
        [&] { return DeleteCardsOrder(CardCount(), ChosenList()); },
        [] { return std::set<std::int32_t>{}; });
}

void CardEditor::moveCardsLeft() {
    Run("MoveCardLeft", tr("Move %1 Left").arg(CardsName(chosen_)),
        [&] { return MoveCardsOrder(CardCount(), ChosenList(), -1); },
        [&] {
            std::set<std::int32_t> moved;
            for (const std::int32_t card : chosen_) moved.insert(card - 1);
            return moved;
        });
}

void CardEditor::moveCardsRight() {
    Run("MoveCardRight", tr("Move %1 Right").arg(CardsName(chosen_)),
        [&] { return MoveCardsOrder(CardCount(), ChosenList(), 1); },
        [&] {
            std::set<std::int32_t> moved;
            for (const std::int32_t card : chosen_) moved.insert(card + 1);
            return moved;
        });
}

void CardEditor::moveChosenTo(std::int32_t from, std::int32_t to) {
    if (from < 1 || from > CardCount() || to < 1 || to > CardCount() || from == to) return;
    if (!chosen_.contains(from)) SetChosen({from});
    const int delta = to - from;
    // as far as the edge lets the cards go
    const int room = delta < 0 ? 1 - *chosen_.begin() : CardCount() - *chosen_.rbegin();
    const int moved = delta < 0 ? std::max(delta, room) : std::min(delta, room);
    if (moved == 0) return;
    Run("MoveCards",
        moved < 0 ? tr("Move %1 Left").arg(CardsName(chosen_)) : tr("Move %1 Right").arg(CardsName(chosen_)),
        [&] { return MoveCardsOrder(CardCount(), ChosenList(), moved); },
        [&] {
            std::set<std::int32_t> after;
            for (const std::int32_t card : chosen_) after.insert(card + moved);
            return after;
        });
}

void CardEditor::mirrorCards() {
    Run("MirrorCards", tr("Mirror %1").arg(CardsName(chosen_)),
        [&] { return MirrorCardsOrder(CardCount(), ChosenList()); }, [&] { return chosen_; });
}

}  // namespace tessaly
