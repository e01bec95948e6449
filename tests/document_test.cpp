#include <gtest/gtest.h>

#include <QSignalSpy>

#include "GuiSupport.h"
#include "document/LoomBookmarks.h"
#include "engine/RecordingCanvas.h"
#include "model/Directions.h"

namespace tessaly {
namespace {

// A view's surface that records what it is told, on its own recording canvas.
class RecordingSurface : public BandSurface {
  public:
    Canvas& SurfaceCanvas() override { return canvas; }
    void PrepareCanvas(std::int32_t cardCount, const DrawingGeometry&) override {
        canvas.Clear();
        preparedCards = cardCount;
        ++prepared;
    }
    void PassFinished(Pass pass) override {
        passes.push_back(pass);
        // a view that cannot show the change (out of memory for its picture)
        if (std::exchange(failNextPass, false))
            Trap("BandView", "PassFinished", [] { throw AppError(ErrorNumber::OutOfMemory); });
    }

    RecordingCanvas canvas{DrawingGeometry::kCanvasHeight};
    std::int32_t preparedCards = -1;
    int prepared = 0;
    std::vector<Pass> passes;
    bool failNextPass = false;
};

// The pattern and what the view was told to draw.
struct Snapshot : test::PatternState {
    std::vector<RecordingCanvas::FilledPolygon> picture;

    Snapshot(const test::Driver& document, const RecordingCanvas& canvas)
        : PatternState(document), picture(canvas.Polygons()) {}
};

void ExpectSame(const Snapshot& a, const Snapshot& b) {
    EXPECT_EQ(a.decks, b.decks);
    EXPECT_EQ(a.threading, b.threading);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.sequence, b.sequence);
    EXPECT_EQ(a.changed, b.changed);
    EXPECT_EQ(a.geometry.BlockSize, b.geometry.BlockSize);
    EXPECT_EQ(a.instructions, b.instructions);
    EXPECT_EQ(a.picture, b.picture);
    EXPECT_EQ(a.draft.size(), b.draft.size());
}

class DocumentTest : public ::testing::Test {
  protected:
    DocumentTest() {
        document.Presentation().RegisterSurface(&screen);
        test::LoadWoven(document, test::MakeDeck(6, Forward, SThread, 1), "FFBB");
    }
    ~DocumentTest() override { document.Presentation().UnregisterSurface(&screen); }
    Snapshot Take() const { return Snapshot(document, screen.canvas); }
    // The picture a full redraw of the band gives.
    std::vector<RecordingCanvas::FilledPolygon> FullRedraw() const {
        RecordingCanvas fresh(DrawingGeometry::kCanvasHeight);
        document.CurrentBand().WeaveBand(&fresh, document.Geometry());
        return fresh.Polygons();
    }

    test::ReportRecorder recorder;
    PatternSession session;
    test::Driver document{session};
    RecordingSurface screen;
};

TEST_F(DocumentTest, opening_a_threading_weaves_the_band_and_draws_it_on_every_view) {
    EXPECT_EQ(document.CurrentBand().Count(), 97);
    ASSERT_NE(document.CurrentDeck(), nullptr);
    EXPECT_EQ(document.Draft().size(), 6u);
    EXPECT_EQ(screen.preparedCards, 6);
    EXPECT_EQ(screen.passes.back(), BandSurface::Pass::NewBand);
    EXPECT_EQ(screen.canvas.Polygons(), FullRedraw());
    EXPECT_FALSE(document.PatternChanged());
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DocumentTest, a_pick_added_and_taken_off_again_leaves_the_band_as_it_was) {
    const Snapshot before = Take();
    QSignalSpy added(&document.Document(), &PatternDocument::rowAdded);
    QSignalSpy removed(&document.Document(), &PatternDocument::rowRemoved);
    QSignalSpy modified(&session.History(), &History::changedChanged);

    Cards pick = document.CurrentBand().At(97).Cards();
    for (Card& card : pick) card.SetTurn(Backward);
    ASSERT_TRUE(document.AddPick(pick));
    EXPECT_EQ(document.CurrentBand().Count(), 98);
    EXPECT_EQ(document.Instructions().Picks(), 97);
    ASSERT_EQ(added.count(), 1);
    EXPECT_EQ(added[0][0].toInt(), 98);
    // a hand-woven band is saved row by row: the sequence goes, the pattern is changed
    EXPECT_EQ(document.TurnSequence(), "");
    EXPECT_TRUE(document.PatternChanged());
    EXPECT_EQ(modified.count(), 1);

    const std::optional<Cards> taken = document.RemovePick();
    ASSERT_TRUE(taken);
    EXPECT_EQ(*taken, pick);
    EXPECT_EQ(removed.count(), 1);
    const Snapshot after = Take();
    EXPECT_EQ(after.decks, before.decks);
    EXPECT_EQ(after.instructions, before.instructions);
    EXPECT_EQ(screen.passes.back(), BandSurface::Pass::RowRemoved);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DocumentTest, the_first_row_is_never_taken_off) {
    auto threading = std::make_unique<Band>();
    threading->Add(test::MakeDeck(3), 1);
    test::LoadRows(document, std::move(threading));
    EXPECT_FALSE(document.RemovePick());
    EXPECT_EQ(document.CurrentBand().Count(), 1);
    // nothing changed, so nothing is to be saved
    EXPECT_FALSE(document.PatternChanged());
    EXPECT_EQ(document.History().Count(), 0);
}

TEST_F(DocumentTest, refused_requests_change_nothing) {
    const Snapshot before = Take();
    Cards wrongWidth = test::MakeDeck(5);
    EXPECT_THROW(document.AddPick(wrongWidth), AppError);
    EXPECT_THROW(document.SetCardCount(0), AppError);
    EXPECT_THROW(document.SetBlockSize(0), AppError);
    EXPECT_THROW(document.SetBlockSize(40000), AppError);
    document.SetCardCount(3);
    EXPECT_THROW(document.ReplaceColors(), AppError);  // cards 4 to 6 have no column
    session.Run<ReloadDraft>();
    ExpectSame(Take(), before);
    // a pattern that could not be read has no cards to apply
    PatternSession empty;
    EXPECT_THROW(empty.Run<ApplyThreading>(), AppError);
}

TEST_F(DocumentTest, a_failure_inside_the_engine_puts_the_pattern_back) {
    const Snapshot before = Take();
    // a pick whose card 2 claims the place of a ninth card is refused before anything changes
    Cards pick = document.CurrentBand().At(97).Cards();
    pick.At(2).SetPosition(9);
    EXPECT_THROW(document.AddPick(pick), AppError);
    ExpectSame(Take(), before);
    // a view that cannot show a pick takes the pick back
    pick.At(2).SetPosition(2);
    screen.failNextPass = true;
    EXPECT_FALSE(document.AddPick(pick));
    ASSERT_FALSE(recorder.Empty());
    EXPECT_EQ(recorder.Where(), "BandView.PassFinished");
    ExpectSame(Take(), before);

    // an empty sequence cannot be woven; the band it would have replaced stays
    document.SetTurnSequence("");
    EXPECT_FALSE(document.WeaveAll());
    EXPECT_EQ(recorder.Where(recorder.Reports().size() - 1), "Band.WeaveAll");
    EXPECT_EQ(test::DecksOf(document.CurrentBand()), before.decks);
    EXPECT_EQ(screen.canvas.Polygons(), FullRedraw());
}

TEST_F(DocumentTest, opening_a_missing_file_leaves_the_pattern_as_it_was) {
    const Snapshot before = Take();
    EXPECT_FALSE(document.OpenPattern("/no/such/folder/pattern.kst"));
    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_EQ(recorder.Reports()[0].number, 53);
    ExpectSame(Take(), before);
    EXPECT_EQ(document.PatternPath(), "");
}

TEST_F(DocumentTest, apply_and_simple_weave_rebuild_from_the_draft) {
    document.SetCardCount(8);
    EXPECT_EQ(document.Draft().size(), 8u);
    EXPECT_EQ(document.Draft()[7].Color(kHoleA),
              document.Draft()[5].Color(kHoleA));                       // copies the last card
    EXPECT_EQ(document.CurrentBand().At(1).Cards().Count(), 6);         // the band waits for Apply
    document.PaintDraft({{1, 0}, {9, 0}}, 0x123456);                    // card 9 is not there

    ASSERT_TRUE(document.ApplyThreading());
    EXPECT_EQ(document.CurrentBand().Count(), 1);
    EXPECT_EQ(document.CurrentBand().At(1).Cards().Count(), 8);
    EXPECT_EQ(document.CurrentBand().At(1).Cards().At(1).Color(kHoleA), 0x123456);
    EXPECT_EQ(document.Instructions().Picks(), 0);
    EXPECT_EQ(document.Instructions().Cards(), 8);
    EXPECT_TRUE(document.PatternChanged());
    EXPECT_EQ(screen.preparedCards, 8);

    ASSERT_TRUE(document.WeaveAll());
    EXPECT_EQ(document.CurrentBand().Count(), 97);
    EXPECT_EQ(screen.canvas.Polygons(), FullRedraw());
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(DocumentTest, replace_colors_keeps_rows_turns_and_threading) {
    const std::vector<Cards> before = test::DecksOf(document.CurrentBand());
    for (std::int32_t card = 1; card <= 6; ++card) {
        document.PaintDraft({{card, 0}}, 0x0000FF);
        document.ToggleThreading(card);  // threading letters do not take part
    }
    ASSERT_TRUE(document.ReplaceColors());
    const Band& band = document.CurrentBand();
    ASSERT_EQ(band.Count(), static_cast<std::int32_t>(before.size()));
    for (std::int32_t r = 1; r <= band.Count(); ++r)
        for (std::int32_t c = 1; c <= 6; ++c) {
            const Card& card = band.At(r).Cards().At(c);
            EXPECT_EQ(card.Color(kHoleA), 0x0000FF);
            EXPECT_EQ(card.Thread(), before[static_cast<std::size_t>(r - 1)].At(c).Thread());
            EXPECT_EQ(card.Turn(), before[static_cast<std::size_t>(r - 1)].At(c).Turn());
        }
    EXPECT_EQ(screen.canvas.Polygons(), FullRedraw());
    EXPECT_TRUE(document.PatternChanged());  // recoloured rows are worth a save prompt
}

TEST_F(DocumentTest, every_registered_view_shows_the_same_band) {
    RecordingSurface second;
    document.Presentation().RegisterSurface(&second);
    EXPECT_EQ(second.canvas.Polygons(), screen.canvas.Polygons());
    Cards pick = document.CurrentBand().At(97).Cards();
    ASSERT_TRUE(document.AddPick(pick));
    document.Reverse();
    document.SetBlockSize(7);
    ASSERT_TRUE(document.RemovePick());
    EXPECT_EQ(second.canvas.Polygons(), screen.canvas.Polygons());
    EXPECT_EQ(second.passes.back(), BandSurface::Pass::RowRemoved);
    document.Presentation().UnregisterSurface(&second);
    document.SetBlockSize(3);
    EXPECT_NE(second.canvas.Polygons(), screen.canvas.Polygons());
}

TEST_F(DocumentTest, reverse_twice_gives_back_the_front_face) {
    const Snapshot before = Take();
    QSignalSpy reversed(&document.Presentation(), &BandPresentation::reverseChanged);
    document.Reverse();
    EXPECT_TRUE(document.IsReversed());
    // the band goes on holding the front face; the view shows the cards mirrored
    EXPECT_EQ(document.CurrentBand().At(1).Cards().At(1).Position(), 1);
    EXPECT_EQ(document.ShownBand()->At(1).Cards().At(1).Position(), 6);
    EXPECT_EQ(document.ShownBand()->At(1).Cards().At(1).Color(kHoleC),
              document.CurrentBand().At(1).Cards().At(1).Color(kHoleA));
    document.Reverse();
    EXPECT_FALSE(document.IsReversed());
    ASSERT_EQ(reversed.count(), 2);
    ExpectSame(Take(), before);
    // an opened band shows its front face
    document.Reverse();
    test::LoadWoven(document, test::MakeDeck(4), "FB");
    EXPECT_FALSE(document.IsReversed());
}

TEST_F(DocumentTest, the_band_is_woven_the_same_without_any_view) {
    PatternSession headlessSession;
    test::Driver headless{headlessSession};
    test::LoadWoven(headless, test::MakeDeck(6, Forward, SThread, 1), "FFBB");
    EXPECT_EQ(test::DecksOf(headless.CurrentBand()), test::DecksOf(document.CurrentBand()));
}

TEST_F(DocumentTest, a_pick_above_the_canvas_is_woven_and_taken_off_without_redrawing_it) {
    // 97 picks at block size 10 reach far above the display's 1000 pixels
    const std::vector<RecordingCanvas::FilledPolygon> picture = screen.canvas.Polygons();
    const int prepared = screen.prepared;
    Cards pick = document.CurrentBand().At(97).Cards();
    ASSERT_TRUE(document.AddPick(pick));
    ASSERT_TRUE(document.RemovePick());
    EXPECT_EQ(screen.prepared, prepared);
    EXPECT_EQ(screen.canvas.Polygons(), picture);
    EXPECT_EQ(document.Instructions().Picks(), 96);
    // a pick low enough to show is taken off by drawing the picture again
    test::LoadRows(document, [] {
        auto rows = std::make_unique<Band>();
        for (int r = 1; r <= 5; ++r) rows->Add(test::MakeDeck(6, r % 2 ? Forward : Backward), r);
        return rows;
    }());
    const int beforeShort = screen.prepared;
    ASSERT_TRUE(document.RemovePick());
    EXPECT_EQ(screen.prepared, beforeShort + 1);
    EXPECT_EQ(screen.canvas.Polygons(), FullRedraw());
}

TEST(loom_bookmarks_test, a_pick_comes_back_for_the_same_file_and_not_for_a_changed_one) {
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.Write("band.kst", "the pattern"));
    EXPECT_EQ(LoomBookmarks::Recall(path), std::nullopt);
    LoomBookmarks::Remember(path, 17);
    EXPECT_EQ(LoomBookmarks::Recall(path), 17);
    // the same path with other bytes is another pattern; the old bytes find their pick again
    dir.Write("band.kst", "the pattern, changed");
    EXPECT_EQ(LoomBookmarks::Recall(path), std::nullopt);
    dir.Write("band.kst", "the pattern");
    EXPECT_EQ(LoomBookmarks::Recall(path), 17);
    // the same bytes under another name are another file
    const QString copy = QString::fromStdString(dir.Write("copy.kst", "the pattern"));
    EXPECT_EQ(LoomBookmarks::Recall(copy), std::nullopt);
    LoomBookmarks::Remember(QString::fromStdString(dir.File("missing.kst")), 3);
    EXPECT_EQ(LoomBookmarks::Recall(QString::fromStdString(dir.File("missing.kst"))), std::nullopt);
}

}  // namespace
}  // namespace tessaly
