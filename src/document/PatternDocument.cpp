#include "PatternDocument.h"

#include <QFileInfo>
#include <algorithm>

#include "engine/BlankCanvas.h"
#include "engine/Canvas.h"
#include "engine/Palette.h"
#include "engine/Twist.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"
#include "model/Directions.h"
#include "patternfile/PatternFile.h"

namespace tessaly {

namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

PatternDocument::PatternDocument(QObject* parent)
    : QObject(parent), history_(std::make_unique<History>(*this, undoStack_)) {
    state_.BlockSize = kStartBlockSize;
    state_.BandMargin = kStartBlockSize;
    // undoing back to the saved state leaves nothing to save
    const auto sync = [this] {
        if (!history_->Replaying()) SyncModified();
    };
    connect(&undoStack_, &QUndoStack::cleanChanged, this, sync);
    connect(&undoStack_, &QUndoStack::indexChanged, this, sync);
}

PatternDocument::~PatternDocument() {
    // the stack is emptied as the document goes; there is no modified mark left to keep
    undoStack_.disconnect(this);
}

std::int32_t PatternDocument::CardCount() const {
    const Band& band = *state_.CurrentBand;
    return band.Count() == 0 ? 0 : band.At(1).Cards().Count();
}

// --- Views ------------------------------------------------------------------------------------

void PatternDocument::RegisterSurface(BandSurface* surface) {
    if (surface == nullptr || std::ranges::find(surfaces_, surface) != surfaces_.end()) return;
    surfaces_.push_back(surface);
    // a new view shows the band as it is
    surface->PrepareCanvas(CardCount(), Geometry());
    DrawShownFace(surface->SurfaceCanvas());
    surface->PassFinished(BandSurface::Pass::NewBand);
    emit instructionsChanged();
}

void PatternDocument::UnregisterSurface(BandSurface* surface) { std::erase(surfaces_, surface); }

void PatternDocument::RunPass(BandSurface::Pass pass, std::int32_t cardCount,
                              const Drawing& change) {
    DrawPass(pass, cardCount, change);
    // a pick woven or taken off by hand updates the twist by itself
    if (pass == BandSurface::Pass::NewBand || pass == BandSurface::Pass::Redraw)
        SetNetTwist(tessaly::NetTwist(*state_.CurrentBand));
}

void PatternDocument::SetNetTwist(std::vector<std::int32_t> twist) {
    if (twist == netTwist_) return;
    netTwist_ = std::move(twist);
    emit twistChanged();
}

void PatternDocument::DrawPass(BandSurface::Pass pass, std::int32_t cardCount,
                               const Drawing& change) {
    if (surfaces_.empty() || reversed_) {
        // The band always holds the front face, and every change is made there. Without a
        // view the band is woven to the display's height, so the pattern is the same; with
        // the reverse face showing, the change is made unseen and then drawn as that face.
        BlankCanvas blank(kCanvasHeight);
        change(blank);
        if (reversed_) ShowReverseFace(pass, cardCount);
        for (BandSurface* surface : surfaces_) surface->PassFinished(pass);
        emit instructionsChanged();
        return;
    }
    const DrawingGeometry geometry = Geometry();
    const bool wholeBand = pass == BandSurface::Pass::NewBand || pass == BandSurface::Pass::Redraw;
    // taking a pick off redraws the picture: a top row drawn alone would leave the taken
    // pick showing wherever that row draws no block
    const bool cleared = wholeBand || pass == BandSurface::Pass::RowRemoved;
    Band& band = *state_.CurrentBand;
    bool first = true;
    for (BandSurface* surface : surfaces_) {
        Canvas& canvas = surface->SurfaceCanvas();
        if (cleared) surface->PrepareCanvas(cardCount, geometry);
        if (first) {
            change(canvas);
            first = false;
        } else if (wholeBand) {
            band.WeaveBand(&canvas, &grid_, geometry);
        } else if (band.Count() > 0) {
            // the others repeat what the change drew: the new top row, or the picture
            // without the pick taken off
            if (pass == BandSurface::Pass::RowAdded)
                band.At(band.Count()).DrawNewRow(band.Count(), &canvas, &grid_, geometry);
            else
                DrawAfterRemoval(canvas);
        }
    }
    for (BandSurface* surface : surfaces_) surface->PassFinished(pass);
    emit instructionsChanged();
}

namespace {

// Turns rows of the band over for as long as it lives: drawing the reverse face from a band
// that holds the front, which is given back exactly as it was.
class TurnedOver {
  public:
    TurnedOver(Band& band, std::int32_t first, std::int32_t last)
        : band_(band), first_(first), last_(last) {
        band_.TurnOver(first_, last_);
    }
    ~TurnedOver() { band_.TurnOver(first_, last_); }
    TurnedOver(const TurnedOver&) = delete;
    TurnedOver& operator=(const TurnedOver&) = delete;

  private:
    Band& band_;
    std::int32_t first_;
    std::int32_t last_;
};

}  // namespace

void PatternDocument::ShowReverseFace(BandSurface::Pass pass, std::int32_t cardCount) {
    const DrawingGeometry geometry = Geometry();
    Band& band = *state_.CurrentBand;
    const std::int32_t top = band.Count();
    // without a view the instructions still describe the face shown
    BlankCanvas blank(kCanvasHeight);
    std::vector<Canvas*> canvases;
    for (BandSurface* surface : surfaces_) canvases.push_back(&surface->SurfaceCanvas());
    if (canvases.empty()) canvases.push_back(&blank);

    if (pass == BandSurface::Pass::RowAdded) {
        // the new row is compared with the row below it, so both show their other face
        const TurnedOver turned(band, top - 1, top);
        if (top > 0)
            for (Canvas* canvas : canvases) band.At(top).DrawNewRow(top, canvas, &grid_, geometry);
        return;
    }
    for (BandSurface* surface : surfaces_) surface->PrepareCanvas(cardCount, geometry);
    const TurnedOver turned(band, 1, top);
    for (Canvas* canvas : canvases) band.WeaveBand(canvas, &grid_, geometry);
}

void PatternDocument::DrawShownFace(Canvas& canvas) {
    Band& band = *state_.CurrentBand;
    const TurnedOver turned(band, 1, reversed_ ? band.Count() : 0);
    band.WeaveBand(&canvas, &grid_, Geometry());
}

void PatternDocument::PaintBandBetween(Canvas& canvas, std::int32_t top,
                                       std::int32_t bottom) const {
    state_.CurrentBand->DrawPictureBetween(canvas, Geometry(), top, bottom, reversed_);
}

std::unique_ptr<Band> PatternDocument::ShownBand() const {
    auto shown = std::make_unique<Band>(state_.CurrentBand->Copy());
    if (reversed_) shown->TurnOver();
    return shown;
}

std::vector<std::int32_t> PatternDocument::ShownNetTwist() const {
    if (!reversed_) return netTwist_;
    // from the other face every card stands mirrored and every turn goes the other way
    std::vector<std::int32_t> shown(netTwist_.rbegin(), netTwist_.rend());
    for (std::int32_t& twist : shown) twist = -twist;
    return shown;
}

void PatternDocument::RedrawSurfaces(BandSurface::Pass pass) {
    RunPass(pass, CardCount(),
            [this](Canvas& canvas) { state_.CurrentBand->WeaveBand(&canvas, &grid_, Geometry()); });
}

void PatternDocument::WriteGridHeader() {
    // reported under the name the weaver knows this step by: laying out the instructions
    Trap("frmInstructions", "InitGrid", [&] {
        const std::int32_t cards = state_.CurrentBand->At(1).Cards().Count();
        grid_.SetCols(CheckedInt32(std::int64_t{cards} + 1));
        grid_.SetRow(0);
        grid_.SetColWidth(0, InstructionGrid::kDefaultColWidth);
        for (std::int32_t i = 1; i <= cards; ++i) {
            grid_.SetColWidth(i, InstructionGrid::kDefaultColWidth);
            grid_.SetCol(i);
            grid_.SetText(std::to_string(i));
        }
    });
}

void PatternDocument::Restore(std::unique_ptr<Band> band, std::unique_ptr<Cards> deck) {
    state_.CurrentBand = std::move(band);
    state_.CurrentDeck = std::move(deck);
    RedrawSurfaces(BandSurface::Pass::Redraw);
}

// --- Operations -------------------------------------------------------------------------------

bool PatternDocument::OpenPattern(const std::string& path) {
    AppState read;
    read.PatternPath = path;
    std::optional<std::string> sequence = ProcessFile(read);
    if (!sequence) return false;
    // stored rows are shown as they are; one that cannot be shown is not opened
    const Band& rows = *read.CurrentBand;
    if (sequence->empty() && !Trap("basMain", "ProcessFile", [&] {
            CheckBandBudget(rows.Count(), rows.Count() > 0 ? rows.At(1).Cards().Count() : 0);
        }))
        return false;
    LoadPattern({std::move(read.BandName), read.WindowValues, std::move(*sequence),
                 std::move(read.CurrentBand)});
    SetPatternPath(path);
    StampFile();
    return true;
}

void PatternDocument::LoadPattern(PatternData pattern) {
    state_.CurrentBand = std::move(pattern.Rows);
    state_.CurrentDeck.reset();
    state_.BandName = std::move(pattern.BandName);
    state_.WindowValues = pattern.Windows;
    state_.BlockSize = kStartBlockSize;
    state_.BandMargin = kStartBlockSize;
    turnSequence_ = std::move(pattern.TurnSequence);
    storeEveryRow_ = turnSequence_.empty();
    wovenSequence_ = turnSequence_;
    // a band read from a file shows its front face
    const bool wasReversed = std::exchange(reversed_, false);
    RunPass(BandSurface::Pass::NewBand, CardCount(),
            [this](Canvas& canvas) { WeaveOpenedPattern(state_, turnSequence_, canvas, grid_); });
    WriteGridHeader();
    draft_ = CardCount() > 0 ? DraftFromDeck(state_.CurrentBand->At(1).Cards())
                             : std::vector<DraftColumn>{};
    undoStack_.clear();

    if (wasReversed) emit reverseChanged(false);
    emit zoomChanged(state_.BlockSize);
    emit bandNameChanged(ToQString(state_.BandName));
    emit turnSequenceChanged(ToQString(turnSequence_));
    emit threadingChanged();
    emit bandReplaced();
    emit patternLoaded();
    SetPatternChanged(false);
}

bool PatternDocument::WeaveAll() {
    // what undo puts back: the deck as it was (none, or a copy: weaving keeps it)
    std::unique_ptr<Cards> previousDeck =
        state_.CurrentDeck ? std::make_unique<Cards>(*state_.CurrentDeck) : nullptr;
    // a band opened with every row, or started without Apply, weaves from its first row
    if (state_.CurrentDeck == nullptr)
        state_.CurrentDeck = std::make_unique<Cards>(state_.CurrentBand->At(1).Cards());
    const Cards& threading = *state_.CurrentDeck;
    ErrorCounter errors;
    std::unique_ptr<Band> previous = std::exchange(state_.CurrentBand, std::make_unique<Band>());
    RunPass(BandSurface::Pass::NewBand, threading.Count(), [&](Canvas& canvas) {
        state_.CurrentBand->WeaveAll(threading, &canvas, turnSequence_, &grid_, Geometry());
    });
    if (errors.Count() > 0) {
        Restore(std::move(previous), std::move(previousDeck));
        return false;
    }
    NewBandWoven(tr("Simple Weave"), std::move(previous), std::move(previousDeck), turnSequence_);
    return true;
}

bool PatternDocument::ApplyThreading() {
    if (draft_.empty()) throw AppError(ErrorNumber::SubscriptOutOfRange, "The draft has no cards.");
    // what can be refused is refused before the pattern changes
    auto threading = std::make_unique<Cards>(BuildThreadingDeck(draft_, turnSequence_));
    const auto cards = static_cast<std::int32_t>(draft_.size());
    BandCanvasWidth(cards, Geometry());

    ErrorCounter errors;
    std::unique_ptr<Band> previousBand =
        std::exchange(state_.CurrentBand, std::make_unique<Band>());
    std::unique_ptr<Cards> previousDeck = std::exchange(state_.CurrentDeck, std::move(threading));
    RunPass(BandSurface::Pass::NewBand, cards, [&](Canvas& canvas) {
        canvas.Clear();
        state_.CurrentBand->WeaveRow(*state_.CurrentDeck, &canvas, &grid_, Geometry());
    });
    if (errors.Count() > 0) {
        Restore(std::move(previousBand), std::move(previousDeck));
        return false;
    }
    NewBandWoven(tr("Apply"), std::move(previousBand), std::move(previousDeck), {});
    return true;
}

void PatternDocument::NewBandWoven(const QString& step, std::unique_ptr<Band> previous,
                                   std::unique_ptr<Cards> previousDeck, std::string wovenSequence) {
    // how the band is stored goes with the old band; the face shown stays as it was
    BandState replaced{std::move(previous), std::move(previousDeck), storeEveryRow_,
                       std::exchange(wovenSequence_, std::move(wovenSequence))};
    WriteGridHeader();
    storeEveryRow_ = false;
    emit bandReplaced();
    history_->BandReplaced(step, std::move(replaced));
}

bool PatternDocument::ReplaceColors() {
    // every card must name a column of the draft before any is recoloured
    for (const Row& row : *state_.CurrentBand)
        for (const Card& card : row.Cards()) {
            const std::int16_t column = TextToInt16(card.Key());
            if (column < 1 || column > static_cast<std::int64_t>(draft_.size()))
                throw AppError(ErrorNumber::SubscriptOutOfRange,
                               "Card " + card.Key() + " has no column in the draft.");
        }
    // a recoloured band replaces the old one, which undo puts back
    auto recoloured = std::make_unique<Band>();
    for (const Row& row : *state_.CurrentBand) {
        Cards deck = row.Cards();
        for (Card& card : deck) {
            const DraftColumn& column =
                draft_[static_cast<std::size_t>(TextToInt16(card.Key()) - 1)];
            card.AColor = column.AColor;
            card.BColor = column.BColor;
            card.CColor = column.CColor;
            card.DColor = column.DColor;
        }
        recoloured->Add(std::move(deck), row.Key);
    }
    BandState previous{std::exchange(state_.CurrentBand, std::move(recoloured)),
                       state_.CurrentDeck ? std::make_unique<Cards>(*state_.CurrentDeck) : nullptr,
                       storeEveryRow_, wovenSequence_};
    RedrawSurfaces(BandSurface::Pass::Redraw);
    emit bandRedrawn();
    history_->BandReplaced(tr("Replace Colors"), std::move(previous));
    return true;
}

bool PatternDocument::AddPick(const Cards& deck) {
    const PickFlags before = CurrentPickFlags();
    if (!WeaveStoredPick(deck)) return false;
    AfterPickStep();
    history_->PickWoven(deck, state_.CurrentBand->Count() - 1, before);
    return true;
}

bool PatternDocument::WeaveStoredPick(const Cards& deck) {
    Band& band = *state_.CurrentBand;
    const std::int32_t rows = band.Count();
    const Cards& last = band.At(rows).Cards();
    if (deck.Count() != last.Count())
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "The pick has " + std::to_string(deck.Count()) + " cards, the band " +
                           std::to_string(last.Count()) + ".");
    ErrorCounter errors;
    RunPass(BandSurface::Pass::RowAdded, deck.Count(),
            [&](Canvas& canvas) { band.WeaveRow(deck, &canvas, &grid_, Geometry()); });
    if (errors.Count() > 0) {
        if (band.Count() > rows) band.Remove(band.Count());
        RedrawSurfaces(BandSurface::Pass::Redraw);
        return false;
    }
    std::vector<std::int32_t> twist = netTwist_;
    AddPickTwist(twist, band.At(band.Count()).Cards(), 1);
    SetNetTwist(std::move(twist));
    emit rowAdded(band.Count());
    return true;
}

std::optional<Cards> PatternDocument::RemovePick() {
    const PickFlags before = CurrentPickFlags();
    const std::int32_t top = state_.CurrentBand->Count();
    std::optional<Cards> removed = TakeTopPick();
    // also with one row: the step still counts as hand weaving
    AfterPickStep();
    if (removed)
        history_->PickTaken(*removed, top, before);
    else if (before.sequence != turnSequence_ || before.storeEveryRow != storeEveryRow_ ||
             before.wovenSequence != wovenSequence_)
        history_->PickFlagsChanged(before);
    return removed;
}

std::optional<Cards> PatternDocument::TakeTopPick() {
    Band& band = *state_.CurrentBand;
    std::optional<Cards> removed;
    if (band.Count() > 1) {
        const std::int32_t top = band.Count();
        removed = band.At(top).Cards();
        const std::int32_t key = band.At(top).Key;
        ErrorCounter errors;
        band.Remove(top);
        RunPass(BandSurface::Pass::RowRemoved, CardCount(),
                [&](Canvas& canvas) { DrawAfterRemoval(canvas); });
        if (errors.Count() > 0) {
            band.Add(Cards(*removed), key);
            RedrawSurfaces(BandSurface::Pass::Redraw);
            return std::nullopt;
        }
        std::vector<std::int32_t> twist = netTwist_;
        AddPickTwist(twist, *removed, -1);
        SetNetTwist(std::move(twist));
        emit rowRemoved(top);
    }
    return removed;
}

void PatternDocument::DrawAfterRemoval(Canvas& canvas) {
    // the rows that show, then the new top row again, which cuts the instructions back to it
    const Band& band = *state_.CurrentBand;
    band.DrawPicture(canvas, Geometry());
    band.At(band.Count()).DrawRow(&canvas, &grid_, Geometry());
}

void PatternDocument::AfterPickStep() {
    // a hand-woven band is saved row by row, which a file without a turning sequence does,
    // also when a sequence is typed again before the band is woven from it
    storeEveryRow_ = true;
    wovenSequence_.clear();
    AssignTurnSequence({});
}

void PatternDocument::SwapPickFlags(PickFlags& other) {
    std::swap(storeEveryRow_, other.storeEveryRow);
    std::swap(wovenSequence_, other.wovenSequence);
    std::string sequence = turnSequence_;
    AssignTurnSequence(other.sequence);
    other.sequence = std::move(sequence);
}

void PatternDocument::Reverse() {
    TurnFace();
    history_->Reversed();
}

void PatternDocument::TurnFace() {
    // only the view turns: the band goes on holding the front face
    reversed_ = !reversed_;
    RedrawSurfaces(BandSurface::Pass::Redraw);
    emit reverseChanged(reversed_);
    emit twistChanged();
    emit bandRedrawn();
}

void PatternDocument::ResetDraft() {
    // a band with no rows (no pattern could be read) has an empty draft, not an error
    draft_ = CardCount() > 0 ? DraftFromDeck(state_.CurrentBand->At(1).Cards())
                             : std::vector<DraftColumn>{};
    emit threadingChanged();
}

bool PatternDocument::DraftNotApplied() const {
    if (CardCount() == 0) return !draft_.empty();
    return draft_ != DraftFromDeck(state_.CurrentBand->At(1).Cards());
}

void PatternDocument::SetCardCount(std::int32_t count) {
    if (count < 1 || count > kMaxCards)
        throw AppError(ErrorNumber::Overflow,
                       "The number of cards must be a whole number from 1 to " +
                           std::to_string(kMaxCards) + ".");
    if (CardCount() == 0)
        throw AppError(ErrorNumber::SubscriptOutOfRange, "The band has no cards.");
    std::vector<DraftColumn> draft = DraftFromDeck(state_.CurrentBand->At(1).Cards());
    // new cards copy the last card
    draft.resize(static_cast<std::size_t>(count), draft.back());
    SwapDraft(draft);
    history_->DraftChanged(tr("Number of Cards"), std::move(draft), false);
}

void PatternDocument::SetDraft(std::vector<DraftColumn> draft) {
    SwapDraft(draft);
    history_->DraftChanged(tr("Draft"), std::move(draft), false);
}

void PatternDocument::SwapDraft(std::vector<DraftColumn>& other) {
    std::swap(draft_, other);
    emit threadingChanged();
}

void PatternDocument::PaintDraft(const std::vector<DraftHole>& holes, std::int32_t color,
                                 bool continuesStroke) {
    std::vector<DraftColumn> before = draft_;
    bool changed = false;
    for (const DraftHole& at : holes) {
        if (at.card < 1 || at.card > static_cast<std::int64_t>(draft_.size()) || at.hole < 0 ||
            at.hole > 3)
            continue;
        DraftColumn& column = draft_[static_cast<std::size_t>(at.card - 1)];
        std::int32_t* const cells[4] = {&column.AColor, &column.BColor, &column.CColor,
                                        &column.DColor};
        changed = changed || *cells[at.hole] != color;
        *cells[at.hole] = color;
    }
    if (!changed) return;
    emit threadingChanged();
    history_->DraftChanged(tr("Paint"), std::move(before), continuesStroke);
}

void PatternDocument::ToggleThreading(std::int32_t card) {
    if (card < 1 || card > static_cast<std::int64_t>(draft_.size())) return;
    std::vector<DraftColumn> draft = draft_;
    std::int32_t& thread = draft[static_cast<std::size_t>(card - 1)].Thread;
    thread = thread == SThread ? ZThread : SThread;
    SwapDraft(draft);
    history_->DraftChanged(tr("Change Threading"), std::move(draft), false);
}

void PatternDocument::CountColors() { SetPalette(tessaly::CountColors(draft_)); }

void PatternDocument::SetBlockSize(std::int32_t blockSize) {
    const std::int16_t margin = CheckedInt16(blockSize);
    if (blockSize < 1) throw AppError(ErrorNumber::InvalidProcedureCall, "Block size below 1.");
    state_.BlockSize = blockSize;
    state_.BandMargin = margin;
    RedrawSurfaces(BandSurface::Pass::Redraw);
    emit zoomChanged(blockSize);
    emit bandRedrawn();
}

void PatternDocument::Redraw() {
    RedrawSurfaces(BandSurface::Pass::Redraw);
    emit bandRedrawn();
}

void PatternDocument::SetBandName(const std::string& name) {
    if (name == state_.BandName) return;
    std::string before = name;
    SwapName(before);
    history_->NameChanged(std::move(before));
}

void PatternDocument::SwapName(std::string& other) {
    std::swap(state_.BandName, other);
    emit bandNameChanged(ToQString(state_.BandName));
}

void PatternDocument::SetTurnSequence(const std::string& sequence) {
    if (sequence == turnSequence_) return;
    std::string before = sequence;
    SwapSequence(before);
    history_->SequenceChanged(std::move(before));
}

void PatternDocument::SwapSequence(std::string& other) {
    std::string sequence = turnSequence_;
    AssignTurnSequence(other);
    other = std::move(sequence);
}

void PatternDocument::AssignTurnSequence(const std::string& sequence) {
    if (sequence == turnSequence_) return;
    turnSequence_ = sequence;
    emit turnSequenceChanged(ToQString(sequence));
}

void PatternDocument::SetPalette(tessaly::BandColors palette) {
    state_.BandColors = std::move(palette);
    emit paletteChanged();
}

void PatternDocument::SetPatternPath(const std::string& path) {
    if (path == state_.PatternPath) return;
    state_.PatternPath = path;
    emit patternPathChanged(ToQString(path));
}

void PatternDocument::SetPatternChanged(bool changed) {
    if (changed)
        undoStack_.resetClean();
    else
        undoStack_.setClean();
    SetModified(changed);
}

void PatternDocument::SyncModified() { SetModified(history_->ChangedSinceSave()); }

void PatternDocument::SetModified(bool changed) {
    if (changed == state_.PatternChanged) return;
    state_.PatternChanged = changed;
    emit modifiedChanged(changed);
}

void PatternDocument::SwapBandState(BandState& other) {
    std::swap(state_.CurrentBand, other.band);
    std::swap(state_.CurrentDeck, other.deck);
    std::swap(storeEveryRow_, other.storeEveryRow);
    std::swap(wovenSequence_, other.wovenSequence);
    RedrawSurfaces(BandSurface::Pass::NewBand);
    WriteGridHeader();
    emit bandReplaced();
}

namespace {

// What the file holds beside the band: the sequence that reopens it as the band shown.
class SavingHost : public PatternFileHost {
  public:
    SavingHost(PatternFileHost& host, std::string sequence)
        : host_(host), sequence_(std::move(sequence)) {}
    std::optional<std::string> AskSavePath() override { return host_.AskSavePath(); }
    void SetMainCaption(const std::string& caption) override { host_.SetMainCaption(caption); }
    std::string BandNameText() override { return host_.BandNameText(); }
    std::string TurnSequenceText() override { return sequence_; }
    WindowValues CurrentWindowValues() override { return host_.CurrentWindowValues(); }
    void ApplyWindowValues(const WindowValues& values) override { host_.ApplyWindowValues(values); }

  private:
    PatternFileHost& host_;
    std::string sequence_;
};

}  // namespace

std::string PatternDocument::StoredSequence() const {
    // every row is stored for a band woven by hand, and when the sequence box was emptied
    if (storeEveryRow_ || turnSequence_.empty()) return {};
    if (state_.CurrentBand->Count() <= 1) return turnSequence_;
    return wovenSequence_;
}

bool PatternDocument::SequenceNotWoven() const {
    return !turnSequence_.empty() && turnSequence_ != StoredSequence();
}

bool PatternDocument::Save(PatternFileHost& host) {
    const std::string path = state_.PatternPath;
    const bool wasChanged = state_.PatternChanged;
    SavingHost saving(host, StoredSequence());
    // the band holds the front face, which is what a file holds
    const bool saved = SaveFile(state_, saving);
    if (saved) {
        undoStack_.setClean();
        StampFile();
    }
    if (state_.PatternPath != path) emit patternPathChanged(ToQString(state_.PatternPath));
    if (state_.PatternChanged != wasChanged) emit modifiedChanged(state_.PatternChanged);
    return saved;
}

void PatternDocument::StampFile() {
    const QFileInfo file(QString::fromStdString(state_.PatternPath));
    fileStamp_ = {state_.PatternPath, file.lastModified(), file.exists() ? file.size() : -1};
}

bool PatternDocument::FileChangedOnDisk() const {
    if (state_.PatternPath.empty() || state_.PatternPath != fileStamp_.path) return false;
    const QFileInfo file(QString::fromStdString(state_.PatternPath));
    // a file removed since is written anew: nothing of anyone's is lost
    if (!file.exists()) return false;
    return file.lastModified() != fileStamp_.modified || file.size() != fileStamp_.size;
}

}  // namespace tessaly
