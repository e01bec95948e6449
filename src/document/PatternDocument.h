#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "BandSurface.h"
#include "History.h"
#include "engine/AppState.h"
#include "engine/InstructionGrid.h"
#include "engine/Threading.h"
#include "patternfile/PatternReader.h"

namespace tessaly {

class PatternFileHost;

// The one current pattern: band, threading deck, name, turning sequence, file, changed flag,
// screen geometry, stored window places, palette and the turning instructions. It is the only
// object that changes them. Each operation runs the weaving engine, draws on the registered
// surfaces and then says what changed through its signals; the windows redraw from those.
//
// Failure contract: an operation that refuses its request throws AppError before anything
// changes, so the trap of the command that called it reports it. A procedure inside that
// fails reports itself; the operation then puts the pattern back as it was, redraws it and
// returns false.
class PatternDocument : public QObject {
    Q_OBJECT

  public:
    // The band canvas is 15000 twips high on screen; without a view the band is woven as if
    // one were there, so the pattern is the same with or without windows.
    static constexpr std::int32_t kCanvasHeight = 1000;
    static constexpr std::int32_t kStartBlockSize = 10;
    // The most cards a band may have: the display, the files and the printed tables all
    // handle this many.
    static constexpr std::int32_t kMaxCards = 1000;

    // One hole of one card in the draft: card from 1, hole 0 to 3 for A to D.
    struct DraftHole {
        std::int32_t card = 0;
        int hole = 0;
    };

    explicit PatternDocument(QObject* parent = nullptr);
    ~PatternDocument() override;

    // --- What the pattern is ------------------------------------------------------------
    const Band& CurrentBand() const { return *state_.CurrentBand; }
    // The threading deck of the last Apply or opened sequence; null until there is one.
    const Cards* CurrentDeck() const { return state_.CurrentDeck.get(); }
    const std::string& BandName() const { return state_.BandName; }
    // The sequence as typed in the design window.
    const std::string& TurnSequence() const { return turnSequence_; }
    // The sequence the band shown was woven with: empty for a band woven or edited by hand
    // and for the threading row alone. The printout describes the band by it.
    const std::string& WovenSequence() const { return wovenSequence_; }
    // The sequence a Save writes: the file reopens as the band shown. A band of its threading
    // row alone keeps the sequence typed, which opening the file weaves.
    std::string StoredSequence() const;
    // A sequence was typed that the band shown was not woven with, so a Save would not keep
    // it: the weaver should be asked first.
    bool SequenceNotWoven() const;
    const std::string& PatternPath() const { return state_.PatternPath; }
    bool PatternChanged() const { return state_.PatternChanged; }
    bool IsReversed() const { return reversed_; }
    // The screen's drawing geometry (the display's zoom).
    DrawingGeometry Geometry() const { return state_.Geometry(); }
    std::int32_t PrintBottom() const { return state_.PrintBottom; }
    const tessaly::WindowValues& StoredWindowValues() const { return state_.WindowValues; }
    const tessaly::BandColors& Palette() const { return state_.BandColors; }
    const InstructionGrid& Grid() const { return grid_; }
    // The threading being designed: one column per card. It becomes the pattern on Apply.
    const std::vector<DraftColumn>& Draft() const { return draft_; }
    // The draft holds changes that were not applied: it is not the band's threading row.
    // They are unsaved work, though no file holds them.
    bool DraftNotApplied() const;
    // Each card's net twist after the last pick (forward turns minus backward turns), by
    // position from 1 at index 0.
    const std::vector<std::int32_t>& NetTwist() const { return netTwist_; }
    // The net twist as the face shown lists the cards (the reverse face mirrors the cards
    // and turns every turn the other way).
    std::vector<std::int32_t> ShownNetTwist() const;
    // A copy of the band as the face shown shows it, for pictures and printouts.
    std::unique_ptr<Band> ShownBand() const;
    // Paints the face shown between these canvas rows, for a view too tall to draw whole.
    void PaintBandBetween(Canvas& canvas, std::int32_t top, std::int32_t bottom) const;
    // Cards of the band's first row; 0 for an empty band.
    std::int32_t CardCount() const;
    // Every change of the pattern is a step here; the saved state is its clean state.
    QUndoStack& UndoStack() { return undoStack_; }
    const History& UndoHistory() const { return *history_; }

    // --- Views ------------------------------------------------------------------------------
    // A registered surface takes part in every pass until it is unregistered.
    void RegisterSurface(BandSurface* surface);
    void UnregisterSurface(BandSurface* surface);

    // --- Operations -------------------------------------------------------------------------
    // Reads a pattern file and makes it the pattern (Open, New, start-up): zoom back to its
    // start, front face, the band woven anew from the threading when the file has a turning
    // sequence, else its rows redrawn as stored; unchanged. A file that cannot be read is
    // reported by the reader and leaves the pattern as it was (returns false).
    bool OpenPattern(const std::string& path);
    // Makes a pattern that was read the current one, as opening its file does, without
    // touching the path.
    void LoadPattern(PatternData pattern);
    // Weaves the whole band from the threading deck with the turning sequence (Simple Weave).
    bool WeaveAll();
    // Makes the draft the threading deck and a band of that one row (Apply).
    bool ApplyThreading();
    // Recolours every card of every row from the draft column its key names, keeping rows,
    // turns and threading, and redraws (Apply with "Replace Colors only").
    bool ReplaceColors();
    // Adds one pick woven from a deck whose cards carry this pick's turns (Weave).
    bool AddPick(const Cards& deck);
    // Takes the top pick off; the first row is never removed (UnWeave). Returns the deck of
    // the removed pick, for putting it back.
    std::optional<Cards> RemovePick();
    // Shows the other face of the band: every row turned over and redrawn.
    void Reverse();
    // The draft shows the band's first row again; what was not applied is dropped.
    void ResetDraft();
    // The draft shows the band's first row with this many cards: cards beyond are removed, new
    // ones copy the last card. A count outside 1 to kMaxCards is refused. The band changes
    // only on Apply, so its rows always keep one number of cards.
    void SetCardCount(std::int32_t count);
    void SetDraft(std::vector<DraftColumn> draft);
    // Gives these holes of the draft a colour; holes outside the draft are skipped. Paint that
    // continues a stroke (a drag) is undone with the press that began it.
    void PaintDraft(const std::vector<DraftHole>& holes, std::int32_t color,
                    bool continuesStroke = false);
    // S becomes Z and anything else S.
    void ToggleThreading(std::int32_t card);
    // The palette of the draft as it is now, kept for printing.
    void CountColors();
    // The display's zoom: block size and margin, and the band redrawn at that size.
    void SetBlockSize(std::int32_t blockSize);
    // Redraws the band as it is.
    void Redraw();

    void SetBandName(const std::string& name);
    void SetTurnSequence(const std::string& sequence);
    void SetPalette(tessaly::BandColors palette);
    void SetPatternPath(const std::string& path);
    // Unchanged makes the present state the saved one; changed leaves no saved state to
    // return to by undoing.
    void SetPatternChanged(bool changed);
    void SetPrintBottom(std::int32_t bottom) { state_.PrintBottom = bottom; }
    // Writes the pattern to its file, asking the host for a path when it has none.
    bool Save(PatternFileHost& host);
    // The pattern's file was changed by another program (its time or size is not what it was
    // when opened or last saved here), so a Save would overwrite someone else's work.
    bool FileChangedOnDisk() const;

  signals:
    // A pattern was opened (or started anew): everything about it is new.
    void patternLoaded();
    // A new band: views start over (new card count, viewport at the bottom).
    void bandReplaced();
    // The same rows drawn again (zoom, the other face, new colours).
    void bandRedrawn();
    void rowAdded(int row);
    void rowRemoved(int row);
    // The draft changed (its cards, their colours or threading).
    void threadingChanged();
    void bandNameChanged(const QString& name);
    void turnSequenceChanged(const QString& sequence);
    void patternPathChanged(const QString& path);
    void modifiedChanged(bool changed);
    void reverseChanged(bool reversed);
    void zoomChanged(int blockSize);
    void paletteChanged();
    // The instruction grid was rewritten.
    void instructionsChanged();
    // Some card's net twist changed.
    void twistChanged();

  private:
    // Undo and redo make their changes through these; they record nothing.
    friend class History;
    void SwapBandState(BandState& other);
    bool WeaveStoredPick(const Cards& deck);
    std::optional<Cards> TakeTopPick();
    void SwapPickFlags(PickFlags& other);
    void TurnFace();
    void SwapDraft(std::vector<DraftColumn>& other);
    void SwapName(std::string& other);
    void SwapSequence(std::string& other);
    void SyncModified();

    using Drawing = std::function<void(Canvas&)>;

    // Runs a pass that changes the band on the first surface (or on a blank canvas when no
    // view is registered) and repeats what it drew on the others.
    void RunPass(BandSurface::Pass pass, std::int32_t cardCount, const Drawing& change);
    void DrawPass(BandSurface::Pass pass, std::int32_t cardCount, const Drawing& change);
    void RedrawSurfaces(BandSurface::Pass pass);
    // Draws what a pass changed as the reverse face shows it, on every surface.
    void ShowReverseFace(BandSurface::Pass pass, std::int32_t cardCount);
    // Draws the whole band as the face shown, writing the instructions.
    void DrawShownFace(Canvas& canvas);
    // The grid's card columns and header line for the band's cards.
    void WriteGridHeader();
    // A band woven from the threading took the place of the previous one (Apply, Simple
    // Weave): the grid's header, stored from its threading; undo keeps the old.
    void NewBandWoven(const QString& step, std::unique_ptr<Band> previous,
                      std::unique_ptr<Cards> previousDeck, std::string wovenSequence);
    // Puts a band back after a failed operation and shows it.
    void Restore(std::unique_ptr<Band> band, std::unique_ptr<Cards> deck);
    void DrawAfterRemoval(Canvas& canvas);
    void AfterPickStep();
    PickFlags CurrentPickFlags() const { return {turnSequence_, storeEveryRow_, wovenSequence_}; }
    void AssignTurnSequence(const std::string& sequence);
    void SetModified(bool changed);
    void SetNetTwist(std::vector<std::int32_t> twist);

    // Remembers what the pattern's file looks like now, after opening or saving it.
    void StampFile();

    AppState state_;
    struct FileStamp {
        std::string path;
        QDateTime modified;
        qint64 size = -1;
    } fileStamp_;
    std::string turnSequence_;
    std::vector<DraftColumn> draft_;
    std::vector<std::int32_t> netTwist_;
    bool reversed_ = false;
    // the band holds picks that weaving its first row with the sequence would not give
    bool storeEveryRow_ = false;
    // the sequence the band shown was woven with; empty for a band of its threading row only
    // and for one woven or edited by hand
    std::string wovenSequence_;
    InstructionGrid grid_;
    std::vector<BandSurface*> surfaces_;
    QUndoStack undoStack_;
    std::unique_ptr<History> history_;
};

}  // namespace tessaly
