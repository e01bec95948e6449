#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <random>

#include "GuiSupport.h"
#include "display/DisplayWindow.h"
#include "model/Directions.h"
#include "patternfile/PatternFile.h"
#include "weave/PackGrid.h"
#include "weave/WeaveWindow.h"

namespace tessaly {
namespace {

// One pattern with the windows that read and change it.
struct Session {
    PatternSession session;
    test::Driver document{session};
    DisplayWindow display{session};
    WeaveWindow weave{session};

    Session() {
        display.resize(300, 400);
        display.show();
        weave.show();
    }
    std::string Saved(const std::string& path) {
        EXPECT_TRUE(session.Save(path, {}));
        return test::ReadAll(path);
    }
};

// A pattern of 2 to 8 cards in a few colours, woven from a sequence or by hand.
void LoadRandomPattern(const test::Driver& document, unsigned seed) {
    std::mt19937 random(seed);
    const std::int32_t palette[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000};
    const auto colour = [&] { return palette[random() % 5]; };
    const int cards = 2 + static_cast<int>(random() % 7);
    Cards deck;
    for (int i = 1; i <= cards; ++i)
        deck.Add(Forward, static_cast<std::int16_t>(i), {colour(), colour(), colour(), colour()},
                 random() % 2 == 0 ? SThread : ZThread, 0, 1);
    if (random() % 2 == 0) {
        test::LoadWoven(document, deck, random() % 2 == 0 ? "FFBB" : "FBFFB");
        return;
    }
    // woven by hand: no threading deck, every row stored
    auto rows = std::make_unique<Band>();
    rows->Add(deck, 1);
    for (int pick = 2; pick <= 6; ++pick) {
        Cards next = rows->At(rows->Count()).Cards();
        for (Card& card : next) card.SetTurn(random() % 3 == 0 ? Backward : Forward);
        rows->Add(std::move(next), pick);
    }
    test::LoadRows(document, std::move(rows));
}

struct Command {
    const char* name;
    std::function<void(Session&)> run;
};

void Paint(const test::Driver& document) {
    document.PaintDraft({{1, 0}, {2, 3}}, test::colors::kRed);
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {"Apply", [](Session& s) { s.document.ApplyThreading(); }},
        {"Replace Colors",
         [](Session& s) {
             Paint(s.document);
             s.document.ReplaceColors();
         }},
        {"card count up",
         [](Session& s) {
             s.document.SetCardCount(s.document.CardCount() + 2);
             s.document.ApplyThreading();
         }},
        {"card count down",
         [](Session& s) {
             s.document.SetCardCount(1);
             s.document.ApplyThreading();
         }},
        {"Simple Weave",
         [](Session& s) {
             if (s.document.TurnSequence().empty()) s.document.SetTurnSequence("FB");
             s.document.WeaveAll();
         }},
        {"Weave",
         [](Session& s) {
             // pack 1 backward, card 2 flipped over first
             s.weave.findChild<QRadioButton*>("optFB1_1")->click();
             const QPoint card = s.weave.Grid()->CardRect(2, 1).center();
             QTest::mouseClick(s.weave.Grid(), Qt::LeftButton, {}, card);
             QTest::mouseDClick(s.weave.Grid(), Qt::LeftButton, {}, card);
             s.weave.findChild<QPushButton*>("cmdWeave")->click();
             s.weave.findChild<QPushButton*>("cmdWeave")->click();
         }},
        {"UnWeave", [](Session& s) { s.weave.findChild<QPushButton*>("cmdUnweave")->click(); }},
        {"paint and Apply",
         [](Session& s) {
             Paint(s.document);
             s.document.ToggleThreading(1);
             s.document.ApplyThreading();
         }},
    };
    return commands;
}

// Whatever the view shows, a command reads and writes the front face: "Reverse, command,
// Reverse" leaves the band, the threading, the packs, the picture and the file exactly as
// the command alone does.
TEST(reverse_face_test, a_command_under_the_reverse_face_does_what_it_does_on_the_front) {
    test::ReportRecorder recorder;
    test::TempDir dir;
    for (const Command& command : Commands()) {
        for (unsigned seed = 1; seed <= 6; ++seed) {
            const std::string where = std::string(command.name) + ", seed " + std::to_string(seed);
            Session front;
            Session turned;
            LoadRandomPattern(front.document, seed);
            LoadRandomPattern(turned.document, seed);

            command.run(front);
            turned.document.Reverse();
            command.run(turned);
            turned.document.Reverse();

            EXPECT_FALSE(turned.document.IsReversed()) << where;
            EXPECT_EQ(test::DecksOf(turned.document.CurrentBand()),
                      test::DecksOf(front.document.CurrentBand()))
                << where;
            EXPECT_EQ(turned.document.CurrentDeck() != nullptr,
                      front.document.CurrentDeck() != nullptr)
                << where;
            if (turned.document.CurrentDeck() && front.document.CurrentDeck()) {
                EXPECT_EQ(*turned.document.CurrentDeck(), *front.document.CurrentDeck()) << where;
            }
            EXPECT_EQ(test::InstructionTexts(turned.document.Instructions()),
                      test::InstructionTexts(front.document.Instructions()))
                << where;
            EXPECT_EQ(turned.document.NetTwist(), front.document.NetTwist()) << where;
            EXPECT_EQ(turned.display.Canvas().Image(), front.display.Canvas().Image()) << where;
            EXPECT_EQ(turned.Saved(dir.File("turned.kst")), front.Saved(dir.File("front.kst")))
                << where;
        }
    }
    EXPECT_TRUE(recorder.Empty()) << recorder.Where();
}

TEST(reverse_face_test, the_reverse_face_draws_the_band_turned_over) {
    test::ReportRecorder recorder;
    Session session;
    LoadRandomPattern(session.document, 3);
    session.document.Reverse();
    // what the display shows is the turned-over band drawn afresh, and the instructions are
    // that face's: F and B trade, the line mirrored
    const QImage shown = session.display.Canvas().Image();
    EXPECT_EQ(shown, test::FullRedraw(session.document, shown.size()));
    Band turned = session.document.CurrentBand().Copy();
    turned.TurnOver();
    RasterCanvas scratch(shown.width(), shown.height());
    turned.WeaveBand(&scratch, session.document.Geometry());
    std::vector<std::vector<std::string>> expected =
        test::InstructionTexts(TurningInstructions(turned));
    std::vector<std::vector<std::string>> texts =
        test::InstructionTexts(session.document.Instructions());
    ASSERT_EQ(texts.size(), expected.size());
    // the card numbers run from the other edge; the steps are the turned band's
    EXPECT_EQ(texts[0].front(), std::to_string(expected[0].size()));
    for (std::size_t r = 1; r < texts.size(); ++r) EXPECT_EQ(texts[r], expected[r]) << r;
    // a pick woven while the reverse face shows is drawn as that face too
    session.weave.findChild<QPushButton*>("cmdWeave")->click();
    const QImage woven = session.display.Canvas().Image();
    EXPECT_EQ(woven, test::FullRedraw(session.document, woven.size()));
    session.weave.findChild<QPushButton*>("cmdUnweave")->click();
    const QImage unwoven = session.display.Canvas().Image();
    EXPECT_EQ(unwoven, test::FullRedraw(session.document, unwoven.size()));
}

}  // namespace
}  // namespace tessaly
