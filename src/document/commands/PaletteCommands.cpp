#include "PaletteCommands.h"

#include <QObject>
#include <algorithm>

#include "document/PatternDocument.h"
#include "engine/Palette.h"
#include "errors/AppError.h"

namespace tessaly {

namespace {

Cards Recoloured(Cards deck, std::int32_t from, std::int32_t to) {
    for (Card& card : deck)
        for (int hole = 0; hole < card.Holes(); ++hole)
            if (card.Color(hole) == from) card.SetColor(hole, to);
    return deck;
}

}  // namespace

ChangeColor::ChangeColor(CommandTarget target, std::int32_t from, std::int32_t to,
                         int paletteNumber)
    : ReplaceBandAndDesign(target, QObject::tr("Change colour %1").arg(paletteNumber),
                           PatternDocument::BandChange::Recoloured),
      from_(from),
      to_(to) {
    if (from == Card::kNoThread || to == Card::kNoThread)
        throw AppError(ErrorNumber::InvalidProcedureCall, "The empty hole is not a colour.");
    const PatternDocument& document = Document();
    otherDraft_ = document.Draft();
    for (DraftColumn& column : otherDraft_)
        for (int hole = 0; hole < column.holes; ++hole)
            if (column.Color(hole) == from) column.SetColor(hole, to);
    // the colour keeps its place in the palette; a name given to the old colour went with
    // the yarn it named, so the new one goes by its usual name
    otherExtras_ = document.Extras();
    std::vector<PaletteColor>& palette = otherExtras_.palette;
    const auto old =
        std::find_if(palette.begin(), palette.end(),
                     [from](const PaletteColor& entry) { return entry.color == from; });
    const bool listed = std::any_of(palette.begin(), palette.end(),
                                    [to](const PaletteColor& entry) { return entry.color == to; });
    if (old != palette.end() && listed)
        palette.erase(old);
    else if (old != palette.end())
        *old = PaletteColor{to, {}};
    else if (!listed)
        palette.push_back(PaletteColor{to, {}});
    Prepare();
}

bool ChangeColor::MakeBand(BandState& made) {
    const PatternDocument& document = Document();
    auto band = std::make_unique<Band>();
    for (const Row& row : document.CurrentBand())
        band->Add(Recoloured(row.Cards(), from_, to_), row.Number());
    const SequenceState sequences = document.Sequences();
    made = {std::move(band),
            document.CurrentDeck()
                ? std::make_unique<Cards>(Recoloured(*document.CurrentDeck(), from_, to_))
                : nullptr,
            sequences.storeEveryRow, sequences.wovenSequence};
    return true;
}

namespace {

QString StepName(EditExtras::Kind kind) {
    switch (kind) {
        case EditExtras::Kind::Palette:
            return QObject::tr("Palette");
        case EditExtras::Kind::Weft:
            return QObject::tr("Weft");
        case EditExtras::Kind::Warp:
            return QObject::tr("Warp Length");
        case EditExtras::Kind::Chart:
            return QObject::tr("Convert to Threaded-in");
        default:
            return QObject::tr("Notes");
    }
}

std::int64_t ExtrasBytes(const PatternExtras& extras) {
    std::int64_t bytes = static_cast<std::int64_t>(sizeof extras + extras.notes.size());
    for (const PaletteColor& entry : extras.palette)
        bytes += static_cast<std::int64_t>(sizeof entry + entry.name.size());
    // a chart's cells are bits, in one layer or two
    if (extras.chart)
        bytes += static_cast<std::int64_t>(extras.chart->Rows()) * extras.chart->Cards() / 4;
    return bytes;
}

}  // namespace

EditExtras::EditExtras(CommandTarget target, Kind kind, PatternExtras extras)
    : PatternCommand(target, StepName(kind)),
      kind_(kind),
      before_(target.document.Extras()),
      after_(std::move(extras)) {}

std::int64_t EditExtras::Bytes() const { return ExtrasBytes(before_) + ExtrasBytes(after_); }

bool EditExtras::Redo() {
    if (after_ == before_) return false;
    Document().SetExtras(after_);
    return true;
}

void EditExtras::Undo() { Document().SetExtras(before_); }

PatternCommand::Merged EditExtras::MergeWith(const PatternCommand& next) {
    // only notes merge, and only with notes
    after_ = static_cast<const EditExtras&>(next).after_;
    return after_ == before_ ? Merged::Cancelled : Merged::Joined;
}

PatternExtras EditExtras::WithColorAdded(const PatternExtras& extras,
                                         const std::vector<DraftColumn>& draft,
                                         std::int32_t color) {
    PatternExtras added = extras;
    const bool shown =
        DraftUses(draft, color) ||
        std::any_of(extras.palette.begin(), extras.palette.end(),
                    [color](const PaletteColor& entry) { return entry.color == color; });
    if (!shown && color != Card::kNoThread) added.palette.push_back(PaletteColor{color, {}});
    return added;
}

PatternExtras EditExtras::WithColorRemoved(const PatternExtras& extras, std::int32_t color) {
    PatternExtras removed = extras;
    std::erase_if(removed.palette,
                  [color](const PaletteColor& entry) { return entry.color == color; });
    return removed;
}

PatternExtras EditExtras::WithColorNamed(const PatternExtras& extras, std::int32_t color,
                                         std::string name) {
    PatternExtras named = extras;
    for (PaletteColor& entry : named.palette)
        if (entry.color == color) {
            entry.name = std::move(name);
            return named;
        }
    named.palette.push_back(PaletteColor{color, std::move(name)});
    return named;
}

}  // namespace tessaly
