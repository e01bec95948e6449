#include "BandCommands.h"

#include <QObject>

#include "ChartCommands.h"
#include "document/BandPresentation.h"
#include "engine/PickSteps.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"

namespace tessaly {

ReplaceBand::ReplaceBand(CommandTarget target, const QString& text,
                         PatternDocument::BandChange change)
    : PatternCommand(target, text), change_(change) {}

void ReplaceBand::Prepare() { made_ = MakeBand(other_); }

bool ReplaceBand::Redo() {
    if (!made_) return false;
    Document().ExchangeBand(other_, change_);
    return true;
}

void ReplaceBand::Undo() { Document().ExchangeBand(other_, change_); }

std::int64_t ReplaceBand::Bytes() const {
    return BandBytesHeld() + (other_.deck ? DeckBytes(*other_.deck) : 0);
}

std::int64_t ReplaceBand::BandBytesHeld() const {
    return other_.band ? BandBytes(*other_.band) : 0;
}

bool ReplaceBandAndDesign::Redo() {
    if (!ReplaceBand::Redo()) return false;
    TradeDesign();
    return true;
}

void ReplaceBandAndDesign::Undo() {
    ReplaceBand::Undo();
    TradeDesign();
}

void ReplaceBandAndDesign::TradeDesign() {
    std::vector<DraftColumn> draft = Document().Draft();
    PatternExtras extras = Document().Extras();
    Document().SetDraft(std::move(otherDraft_));
    Document().SetExtras(std::move(otherExtras_));
    otherDraft_ = std::move(draft);
    otherExtras_ = std::move(extras);
}

ApplyThreading::ApplyThreading(CommandTarget target)
    : ReplaceBand(target, QObject::tr("Apply"), PatternDocument::BandChange::NewBand) {
    RefuseOnChartBand(Document(), "thread it anew");
    const std::vector<DraftColumn>& draft = Document().Draft();
    if (draft.empty()) throw AppError(ErrorNumber::SubscriptOutOfRange, "The draft has no cards.");
    // what can be refused is refused before the pattern changes
    threading_ = BuildThreadingDeck(draft, Document().TurnSequence());
    BandCanvasWidth(threading_.Count(), Presentation().Geometry());
    Prepare();
}

bool ApplyThreading::MakeBand(BandState& made) {
    auto band = std::make_unique<Band>();
    if (band->Add(Cards(threading_), 1) == nullptr) return false;
    made = {std::move(band), std::make_unique<Cards>(threading_), false, {}};
    return true;
}

SimpleWeave::SimpleWeave(CommandTarget target)
    : ReplaceBand(target, QObject::tr("Simple Weave"), PatternDocument::BandChange::NewBand) {
    RefuseOnChartBand(Document(), "weave it with a turning sequence");
    Prepare();
}

bool SimpleWeave::MakeBand(BandState& made) {
    const PatternDocument& document = Document();
    Cards threading = document.CurrentDeck() != nullptr ? *document.CurrentDeck()
                                                        : document.CurrentBand().At(1).Cards();
    // cards of another shape than the design shows cannot be what the weaver means to weave:
    // a draft whose hole count was changed is applied first, as Apply would
    const std::vector<DraftColumn>& draft = document.Draft();
    if (!draft.empty() && threading.Count() > 0 && draft.front().holes != threading.At(1).Holes()) {
        threading = BuildThreadingDeck(draft, document.TurnSequence());
        BandCanvasWidth(threading.Count(), Presentation().Geometry());
    }
    const ErrorCounter errors;
    auto band = std::make_unique<Band>();
    // as many picks as the display shows at its zoom
    band->WeaveRows(threading, document.TurnSequence(), DrawingGeometry::kCanvasHeight,
                    Presentation().Geometry());
    if (errors.Count() > 0) return false;
    made = {std::move(band), std::make_unique<Cards>(threading), false, document.TurnSequence()};
    return true;
}

ReplaceColors::ReplaceColors(CommandTarget target)
    : ReplaceBand(target, QObject::tr("Replace Colors"),
                     PatternDocument::BandChange::Recoloured) {
    // every card must name a column of the draft before any is recoloured
    const auto columns = static_cast<std::int64_t>(Document().Draft().size());
    for (const Row& row : Document().CurrentBand())
        for (const Card& card : row.Cards()) {
            // a card without a number names no column
            if (!card.Key()) throw AppError(ErrorNumber::TypeMismatch);
            const std::int16_t column = *card.Key();
            if (column < 1 || column > columns)
                throw AppError(ErrorNumber::SubscriptOutOfRange,
                               "Card " + std::to_string(column) + " has no column in the draft.");
        }
    Prepare();
}

bool ReplaceColors::MakeBand(BandState& made) {
    const PatternDocument& document = Document();
    const std::vector<DraftColumn>& draft = document.Draft();
    auto recoloured = std::make_unique<Band>();
    // Which of the draft's holes stands in each hole of each card: a card flipped over (its
    // threading changed since the row below) has its holes traded as the flip traded them,
    // so it is followed through the band as a card of the letters A, B, C ...
    const int holeCount =
        document.CurrentBand().Count() > 0 && document.CurrentBand().At(1).Cards().Count() > 0
            ? document.CurrentBand().At(1).Cards().At(1).Holes()
            : kHoles;
    HoleColors names{};
    for (int hole = 0; hole < kMaxHoles; ++hole) names[static_cast<std::size_t>(hole)] = hole;
    const Card unflipped = Card::Make(Forward, 1, names, SThread, 0, 1, holeCount);
    std::vector<Card> letters;
    const Cards* below = nullptr;
    for (const Row& row : document.CurrentBand()) {
        Cards deck = row.Cards();
        if (letters.size() < static_cast<std::size_t>(deck.Count()))
            letters.resize(static_cast<std::size_t>(deck.Count()), unflipped);
        std::size_t place = 0;
        for (Card& card : deck) {
            Card& holes = letters[place];
            if (below != nullptr && place < static_cast<std::size_t>(below->Count())) {
                const Card& before = below->At(static_cast<std::int32_t>(place) + 1);
                if (card.Thread() != before.Thread()) {
                    holes.SetHoleOrder(before.HoleOrder());
                    FlipOver(holes);
                }
            }
            const DraftColumn& column = draft[static_cast<std::size_t>(*card.Key() - 1)];
            HoleColors colors = card.Colors();
            for (int hole = 0; hole < card.Holes(); ++hole)
                colors[static_cast<std::size_t>(hole)] = column.Color(holes.Color(hole));
            card.SetColors(colors);
            ++place;
        }
        recoloured->Add(std::move(deck), row.Number());
        below = &row.Cards();
    }
    const SequenceState sequences = document.Sequences();
    made = {std::move(recoloured),
            document.CurrentDeck() ? std::make_unique<Cards>(*document.CurrentDeck()) : nullptr,
            sequences.storeEveryRow, sequences.wovenSequence};
    return true;
}

}  // namespace tessaly
