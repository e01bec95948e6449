#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QUrl>
#include <fstream>

#include "GuiSupport.h"
#include "design/DesignWindow.h"
#include "display/DisplayWindow.h"
#include "patternfile/PatternReader.h"
#include "shell/FileCommands.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"
#include "weave/WeaveWindow.h"

namespace tessaly {
namespace {

class FileCommandsTest : public ::testing::Test {
  protected:
    FileCommandsTest() : window(startup.Run(false)) {}

    test::Driver Document() { return test::Driver(startup.Session()); }
    QString Caption() { return window.windowTitle().remove("[*]"); }
    void Trigger(const char* action) { test::FindAction(window, action)->trigger(); }
    // A file of four cards woven with a sequence.
    std::string ThreadedFile() {
        return dir.Write("threaded.kst", test::PatternHead("FFBB", "Threaded") +
                                             "1, 1, 0, 255, 65280, 16711680, 0, 1, 0, 1\r\n"
                                             "1, 2, 0, 255, 65280, 16711680, 0, 1, 0, 1\r\n"
                                             "1, 3, 0, 255, 65280, 16711680, 0, 0, 0, 1\r\n"
                                             "1, 4, 0, 255, 65280, 16711680, 0, 0, 0, 1\r\n");
    }

    test::ReportRecorder recorder;
    test::RecordingDialogs dialogs;
    test::ProgramFolder folder;
    struct {
        const test::ProgramFolder& folder;
        // files of the weaver's own, beside the program's (one scratch folder per test)
        std::string File(const std::string& name) const { return folder.File(name); }
        std::string Write(const std::string& name, const std::string& bytes) const {
            std::ofstream(File(name), std::ios::binary) << bytes;
            return File(name);
        }
    } dir{folder};
    Startup startup{dialogs, folder.Path()};
    MainWindow& window;
};

TEST_F(FileCommandsTest, open_rebuilds_every_window_from_the_file) {
    Document().SetBlockSize(14);
    Trigger("mnuReverse");
    const std::string path = ThreadedFile();
    dialogs.openAnswer = QString::fromStdString(path);
    Trigger("mnuOpen");
    EXPECT_TRUE(dialogs.questions.empty());  // nothing unsaved: nothing asked
    EXPECT_EQ(Caption(), QString::fromStdString("Tessaly - " + path));
    EXPECT_EQ(Document().PatternPath(), path);
    EXPECT_FALSE(Document().PatternChanged());
    EXPECT_EQ(Document().Geometry().BlockSize, 10);
    EXPECT_FALSE(test::FindAction(window, "mnuReverse")->isChecked());
    EXPECT_EQ(test::DisplayOf(window)->windowTitle(), "Display Band - 1:1");
    EXPECT_EQ(Document().CurrentBand().Count(), 97);
    EXPECT_EQ(test::DesignOf(window)->findChild<QLineEdit*>("txtTurnSequence")->text(), "FFBB");
    EXPECT_EQ(test::DesignOf(window)->findChild<QLineEdit*>("txtBandName")->text(), "Threaded");
    EXPECT_EQ(test::DesignOf(window)->Grid()->CardCount(), 4);
    EXPECT_EQ(test::WeaveOf(window)->Choices().CardCount(), 4);
    EXPECT_EQ(Document().Instructions().CardNumber(4), 4);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(FileCommandsTest, a_draft_of_another_program_opens_untitled_and_saves_as_kst) {
    const std::string draft =
        dir.Write("draft.tdd", "# tdd v1.0\n# From the web\n\n//\n//\n\n01\n10\n01\n10\nSZ\n\n");
    const std::string before = test::ReadAll(draft);
    dialogs.openAnswer = QString::fromStdString(draft);
    Trigger("mnuOpen");
    EXPECT_EQ(Document().PatternPath(), "");
    EXPECT_EQ(Document().BandName(), "From the web");
    EXPECT_EQ(Document().CurrentBand().Count(), 3);
    EXPECT_EQ(Document().Instructions().Text(1, 1), "F");  // "/" leans with S
    EXPECT_EQ(Document().Instructions().Text(1, 2), "B");  // and against Z
    // Save asks for a name, and the draft is never written over
    dialogs.saveAnswer = QString::fromStdString(dir.File("from the web.kst"));
    Trigger("mnuSave");
    EXPECT_EQ(dialogs.fileDialogs, 2);
    EXPECT_EQ(test::ReadAll(draft), before);
    EXPECT_TRUE(test::ReadAll(dir.File("from the web.kst")).starts_with("From the web\r\n"));
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(FileCommandsTest, what_another_programs_file_held_that_did_not_come_over_is_named) {
    const std::string gtt = dir.Write(
        "leaves.gtt",
        "<TWData><Source>Guntram's Tabletweaving Thingy</Source><Pattern Type=\"Threaded-in\">"
        "<Name>Leaves</Name><Notes>Woven in 2009</Notes><Cards>"
        "<Card Holes=\"4\"><Holes><Colour>9</Colour><Colour>10</Colour><Colour>12</Colour>"
        "<Colour>15</Colour></Holes><Threading>S</Threading></Card></Cards>"
        "<Packs><Pack Name=\"A\"><Cards>1</Cards></Pack></Packs>"
        "<Picks><Pick><Actions><Action Target=\"Pack\" TargetID=\"A\" Dir=\"F\" Dist=\"1\"/>"
        "</Actions></Pick></Picks></Pattern></TWData>");
    dialogs.openAnswer = QString::fromStdString(gtt);
    Trigger("mnuOpen");
    EXPECT_EQ(Document().BandName(), "Leaves");
    EXPECT_EQ(Document().PatternPath(), "");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "leaves.gtt is open as a new, untitled pattern. Tessaly has no place for the pack "
              "names of that file; they did not come over.");
    EXPECT_EQ(Document().Document().Extras().notes, "Woven in 2009");
    // a file that brings everything over says nothing
    dialogs.openAnswer = QString::fromStdString(
        dir.Write("plain.tdd", "# tdd v1.0\n# Plain\n\n/\n\n0\n1\n0\n1\nS\n\n"));
    Trigger("mnuOpen");
    EXPECT_EQ(Document().BandName(), "Plain");
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(FileCommandsTest, notes_typed_are_one_step_saved_with_the_pattern_and_exported) {
    dialogs.openAnswer = QString::fromStdString(ThreadedFile());
    Trigger("mnuOpen");
    Trigger("mnuWindowNotes");
    auto* notes = window.findChild<QPlainTextEdit*>("txtNotes");
    ASSERT_NE(notes, nullptr);
    EXPECT_TRUE(notes->isVisible());
    notes->setFocus();
    QTest::keyClicks(notes, "From a museum band");
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "Weft: linen");
    EXPECT_EQ(Document().History().UndoText(), "Notes");
    EXPECT_EQ(Document().History().Index(), 1);  // the typing is one step
    EXPECT_TRUE(Document().PatternChanged());
    Trigger("mnuSave");
    EXPECT_NE(test::ReadAll(dir.File("threaded.kst"))
                  .find("\r\nNotes = From a museum band\r\nNotes = Weft: linen\r\n"),
              std::string::npos);
    dialogs.exportAnswer = QString::fromStdString(dir.File("threaded.twt"));
    Trigger("mnuExportAs");
    dialogs.openAnswer = dialogs.exportAnswer;
    Trigger("mnuOpen");
    EXPECT_EQ(notes->toPlainText(), "From a museum band\nWeft: linen");
    for (const auto& message : dialogs.messages) EXPECT_FALSE(message.text.contains("notes"));
    // a format without a place for them is written, and the weaver told what it left out
    dialogs.exportAnswer = QString::fromStdString(dir.File("threaded.tdd"));
    Trigger("mnuExportAs");
    EXPECT_TRUE(std::filesystem::exists(dir.File("threaded.tdd")));
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.messages.back().text.endsWith(
        "a .tdd draft has no place for the notes; they are not in it."))
        << dialogs.messages.back().text.toStdString();
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(FileCommandsTest, the_yarn_window_keeps_the_warp_and_counts_each_colours_yarn) {
    dialogs.openAnswer = QString::fromStdString(ThreadedFile());
    Trigger("mnuOpen");
    Trigger("mnuWindowYarn");
    auto* length = window.findChild<QDoubleSpinBox*>("txtWarpLength");
    auto* table = window.findChild<QTableWidget*>("grdYarn");
    ASSERT_TRUE(length != nullptr && table != nullptr);
    length->setValue(3);  // as an assistive tool may set it
    ASSERT_TRUE(Document().Document().Extras().warp.has_value());
    EXPECT_EQ(*Document().Document().Extras().warp, (WarpLength{3, "m", 10}));
    // four cards of four colours: four threads of each, 3 m and 10 % take-up
    ASSERT_EQ(table->rowCount(), 4);
    EXPECT_EQ(table->item(0, 1)->text(), "4");
    EXPECT_EQ(table->item(0, 2)->text(), "13.20 m");
    Document().History().Undo();
    EXPECT_FALSE(Document().Document().Extras().warp.has_value());
    EXPECT_EQ(length->value(), 0);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(FileCommandsTest, export_as_writes_the_format_the_name_says_or_nothing) {
    dialogs.openAnswer = QString::fromStdString(ThreadedFile());
    Trigger("mnuOpen");
    dialogs.exportAnswer = QString::fromStdString(dir.File("threaded.twt"));
    Trigger("mnuExportAs");
    ASSERT_EQ(dialogs.exportDialogs.size(), 1u);
    EXPECT_TRUE(dialogs.exportDialogs[0].suggested.endsWith("threaded.tdd"));
    EXPECT_EQ(dialogs.exportDialogs[0].filters.size(), 3);
    const std::string twt = test::ReadAll(dir.File("threaded.twt"));
    EXPECT_NE(twt.find("\"source\": \"Twisted Threads\""), std::string::npos);
    EXPECT_NE(twt.find("\"Name\": \"Threaded\""), std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty());

    // what the format cannot hold is said, and no file is written
    const Band& band = Document().CurrentBand();
    Cards idle = band.At(band.Count()).Cards();
    for (Card& card : idle) card.SetTurn(Idle);
    ASSERT_TRUE(Document().AddPick(idle));
    dialogs.exportAnswer = QString::fromStdString(dir.File("idle.tdd"));
    Trigger("mnuExportAs");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.indexOf("a .tdd draft turns every card every pick"), -1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("idle.tdd")));
    // Save does not put Tessaly's own file under another program's name
    dialogs.saveAnswer = QString::fromStdString(dir.File("saved.gtt"));
    Trigger("mnuSaveAs");
    EXPECT_FALSE(std::filesystem::exists(dir.File("saved.gtt")));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_NE(dialogs.messages[1].text.indexOf("File > Export As writes"), -1);
    dialogs.messages.pop_back();
    // a name of no other program's format is not written either
    dialogs.exportAnswer = QString::fromStdString(dir.File("other.kst"));
    Trigger("mnuExportAs");
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir.File("other.kst")));
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(FileCommandsTest, a_missing_or_unreadable_file_changes_nothing) {
    const std::string before = Document().BandName();
    const auto decks = test::DecksOf(Document().CurrentBand());
    dialogs.openAnswer = QString::fromStdString(dir.File("gone.kst"));
    Trigger("mnuOpen");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "No File");
    EXPECT_EQ(dialogs.messages[0].text, "File does not exist or cannot be found.");
    EXPECT_EQ(Caption(), "Tessaly");
    EXPECT_TRUE(Document().PatternPath().empty());

    dialogs.openAnswer = QString::fromStdString(dir.Write("bad.kst", "Bad\r\nMain, 0\r\n"));
    Trigger("mnuOpen");
    EXPECT_EQ(recorder.Reports().size(), 1u);  // the reader says which line and why
    EXPECT_EQ(Caption(), "Tessaly");
    EXPECT_EQ(Document().BandName(), before);
    EXPECT_EQ(test::DecksOf(Document().CurrentBand()), decks);

    dialogs.openAnswer.reset();  // a cancel says nothing
    Trigger("mnuOpen");
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(FileCommandsTest, unsaved_work_is_never_put_aside_without_asking) {
    Document().SetPatternChanged(true);
    const std::string path = ThreadedFile();
    dialogs.openAnswer = QString::fromStdString(path);

    dialogs.answer = UserDialogs::Answer::Cancel;
    Trigger("mnuOpen");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].title, "Save Pattern");
    EXPECT_EQ(dialogs.questions[0].text, "Do you want to save the current pattern?");
    EXPECT_EQ(dialogs.fileDialogs, 0);
    EXPECT_TRUE(Document().PatternChanged());

    // Yes, but the save is cancelled: the pattern stays, nothing opens
    dialogs.answer = UserDialogs::Answer::Yes;
    Trigger("mnuOpen");
    EXPECT_EQ(Document().BandName(), "Tessaly sampler: diamonds");
    EXPECT_TRUE(Document().PatternChanged());

    // New and Exit ask too
    dialogs.answer = UserDialogs::Answer::Cancel;
    dialogs.choiceAnswer = 0;  // Threaded-in
    Trigger("mnuNew");
    EXPECT_TRUE(Document().PatternChanged());
    QCloseEvent close;
    QCoreApplication::sendEvent(&window, &close);
    EXPECT_FALSE(close.isAccepted());

    dialogs.answer = UserDialogs::Answer::No;
    Trigger("mnuOpen");
    EXPECT_EQ(Document().BandName(), "Threaded");
    EXPECT_FALSE(Document().PatternChanged());
}

TEST_F(FileCommandsTest, paint_not_applied_is_unsaved_work) {
    EXPECT_FALSE(window.isWindowModified());
    Document().PaintDraft({{1, 0}}, test::colors::kRed);
    // the caption marks it, though the file would not change
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_FALSE(Document().PatternChanged());
    dialogs.answer = UserDialogs::Answer::Cancel;
    dialogs.choiceAnswer = 0;  // Threaded-in
    Trigger("mnuNew");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(
        dialogs.questions[0].text.startsWith("The threading has changes that were not applied."));
    EXPECT_TRUE(Document().DraftNotApplied());
    QCloseEvent close;
    QCoreApplication::sendEvent(&window, &close);
    EXPECT_FALSE(close.isAccepted());
    // applied, it is part of the band and the mark is the pattern's own
    QTest::mouseClick(test::DesignOf(window)->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    EXPECT_FALSE(Document().DraftNotApplied());
    EXPECT_TRUE(window.isWindowModified());
    Document().History().Undo();
    EXPECT_TRUE(Document().DraftNotApplied());
    Document().History().Undo();
    EXPECT_FALSE(window.isWindowModified());
}

TEST_F(FileCommandsTest, a_sequence_typed_but_not_woven_is_not_saved_unasked) {
    const std::string path = ThreadedFile();
    dialogs.openAnswer = QString::fromStdString(path);
    Trigger("mnuOpen");
    const auto woven = test::DecksOf(Document().CurrentBand());
    Document().SetTurnSequence("FB");

    dialogs.answer = UserDialogs::Answer::Cancel;
    Trigger("mnuSave");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].text.contains("\"FB\" has not been woven"));
    EXPECT_TRUE(Document().PatternChanged());

    // No: the file holds the band shown, which opening it gives back
    dialogs.answer = UserDialogs::Answer::No;
    Trigger("mnuSave");
    EXPECT_FALSE(Document().PatternChanged());
    ASSERT_TRUE(Document().OpenPattern(path));
    EXPECT_EQ(test::DecksOf(Document().CurrentBand()), woven);
    EXPECT_EQ(Document().TurnSequence(), "FFBB");

    // Yes: woven with the sequence, then saved
    Document().SetTurnSequence("FB");
    dialogs.answer = UserDialogs::Answer::Yes;
    Trigger("mnuSave");
    const auto fb = test::DecksOf(Document().CurrentBand());
    EXPECT_NE(fb, woven);
    ASSERT_TRUE(Document().OpenPattern(path));
    EXPECT_EQ(test::DecksOf(Document().CurrentBand()), fb);

    // a sequence typed on a hand-woven band is asked about too
    Document().AddPick(Document().CurrentBand().At(Document().CurrentBand().Count()).Cards());
    Document().SetTurnSequence("FFB");
    const std::size_t asked = dialogs.questions.size();
    dialogs.answer = UserDialogs::Answer::No;
    Trigger("mnuSave");
    EXPECT_EQ(dialogs.questions.size(), asked + 1);
    EXPECT_TRUE(dialogs.questions.back().text.contains("row by row"));
    const auto handWoven = test::DecksOf(Document().CurrentBand());
    ASSERT_TRUE(Document().OpenPattern(path));
    EXPECT_EQ(test::DecksOf(Document().CurrentBand()), handWoven);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(FileCommandsTest, save_asks_before_overwriting_a_file_changed_by_another_program) {
    const std::string path = ThreadedFile();
    dialogs.openAnswer = QString::fromStdString(path);
    Trigger("mnuOpen");
    Document().SetBandName("Mine");
    // another program writes the file (a size of its own, so the change shows at once)
    dir.Write("threaded.kst", test::ReadAll(path) + "\r\n");
    const std::string theirs = test::ReadAll(path);
    dialogs.answer = UserDialogs::Answer::No;
    Trigger("mnuSave");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].text.contains("changed by another program"));
    EXPECT_EQ(test::ReadAll(path), theirs);
    EXPECT_TRUE(Document().PatternChanged());
    dialogs.answer = UserDialogs::Answer::Yes;
    Trigger("mnuSave");
    EXPECT_NE(test::ReadAll(path), theirs);
    EXPECT_FALSE(Document().PatternChanged());
    // saved here, the file is ours again: the next Save asks nothing
    Document().SetBandName("Mine again");
    Trigger("mnuSave");
    EXPECT_EQ(dialogs.questions.size(), 2u);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(FileCommandsTest, undoing_back_to_the_saved_pattern_asks_nothing) {
    dialogs.openAnswer = QString::fromStdString(ThreadedFile());
    Trigger("mnuOpen");
    Cards pick = Document().CurrentBand().At(Document().CurrentBand().Count()).Cards();
    ASSERT_TRUE(Document().AddPick(pick));
    EXPECT_TRUE(window.isWindowModified());
    Trigger("mnuSave");
    EXPECT_FALSE(window.isWindowModified());
    ASSERT_TRUE(Document().AddPick(pick));
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_EQ(test::FindAction(window, "mnuUndo")->text(),
              QString("Undo Weave pick %1").arg(Document().CurrentBand().Count() - 1));
    Trigger("mnuUndo");
    EXPECT_FALSE(window.isWindowModified());
    // nothing unsaved: New asks nothing, and starts a history of its own
    dialogs.choiceAnswer = 0;  // Threaded-in
    Trigger("mnuNew");
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_FALSE(test::FindAction(window, "mnuUndo")->isEnabled());
    EXPECT_FALSE(test::FindAction(window, "mnuRedo")->isEnabled());
}

TEST_F(FileCommandsTest, new_is_the_default_pattern_untitled) {
    dialogs.openAnswer = QString::fromStdString(ThreadedFile());
    Trigger("mnuOpen");
    dialogs.choiceAnswer = 0;  // Threaded-in
    Trigger("mnuNew");
    EXPECT_EQ(Document().BandName(), "Tessaly sampler: diamonds");
    EXPECT_EQ(Caption(), "Tessaly");
    EXPECT_TRUE(Document().PatternPath().empty());
    dialogs.saveAnswer.reset();
    Trigger("mnuSave");  // asks for a name, never writes the program's own template
    EXPECT_EQ(dialogs.fileDialogs, 2);
}

TEST_F(FileCommandsTest, a_hand_woven_band_comes_back_row_for_row) {
    // weave two picks by hand, then type a sequence without weaving from it
    const Band& band = Document().CurrentBand();
    Cards pick = band.At(band.Count()).Cards();
    ASSERT_TRUE(Document().AddPick(pick));
    ASSERT_TRUE(Document().AddPick(pick));
    Document().SetTurnSequence("FB");
    Trigger("mnuReverse");  // the reverse face shows while saving
    const auto shown = test::DecksOf(band);
    dialogs.saveAnswer = QString::fromStdString(dir.File("woven.kst"));
    Trigger("mnuSave");
    EXPECT_EQ(Caption(), QString::fromStdString("Tessaly - " + dir.File("woven.kst")));
    EXPECT_FALSE(Document().PatternChanged());
    EXPECT_EQ(test::DecksOf(band), shown);  // saving left the display as it was

    const PatternData read = PatternReader::ReadFile(dir.File("woven.kst"));
    EXPECT_EQ(read.TurnSequence, "");  // every row is stored
    Trigger("mnuReverse");             // the front face, as the file holds it
    ASSERT_EQ(read.Rows->Count(), band.Count());
    for (std::int32_t r = 1; r <= band.Count(); ++r)
        for (std::int32_t c = 1; c <= band.At(r).Cards().Count(); ++c) {
            const Card& mine = band.At(r).Cards().At(c);
            const Card& back = read.Rows->At(r).Cards().At(c);
            EXPECT_EQ(back.Color(kHoleA), mine.Color(kHoleA));
            EXPECT_EQ(back.Turn(), mine.Turn());
            EXPECT_EQ(back.HoleOrder(), mine.HoleOrder());
            EXPECT_EQ(back.Thread(), mine.Thread());
        }
    // every window's place is stored
    EXPECT_NE(read.Windows[1], WindowValue{});
    EXPECT_NE(read.Windows[3], WindowValue{});

    // and Open gives back the very band, row for row, drawn as stored
    const auto front = test::DecksOf(band);
    const QImage picture = test::DisplayOf(window)->Canvas().Image();
    dialogs.openAnswer = QString::fromStdString(dir.File("woven.kst"));
    Trigger("mnuOpen");
    ASSERT_EQ(Document().PatternPath(), dir.File("woven.kst"));
    EXPECT_EQ(Document().TurnSequence(), "");
    ASSERT_EQ(Document().CurrentBand().Count(), static_cast<std::int32_t>(front.size()));
    for (std::size_t r = 0; r < front.size(); ++r)
        for (std::int32_t c = 1; c <= front[r].Count(); ++c) {
            const Card& mine = front[r].At(c);
            const Card& back =
                Document().CurrentBand().At(static_cast<std::int32_t>(r + 1)).Cards().At(c);
            EXPECT_EQ(back.Position(), mine.Position());
            EXPECT_EQ(back.Color(kHoleB), mine.Color(kHoleB));
            EXPECT_EQ(back.HoleOrder(), mine.HoleOrder());
        }
    EXPECT_EQ(test::DisplayOf(window)->Canvas().Image(), picture);
}

TEST_F(FileCommandsTest, save_as_cancelled_keeps_the_file_and_a_failed_save_loses_nothing) {
    dialogs.saveAnswer = QString::fromStdString(dir.File("first.kst"));
    Trigger("mnuSaveAs");
    ASSERT_EQ(Document().PatternPath(), dir.File("first.kst"));
    Document().SetPatternChanged(true);
    dialogs.saveAnswer.reset();
    Trigger("mnuSaveAs");
    EXPECT_EQ(Document().PatternPath(), dir.File("first.kst"));
    EXPECT_TRUE(Document().PatternChanged());

    dialogs.saveAnswer = QString::fromStdString(dir.File("no-such-folder/second.kst"));
    Trigger("mnuSaveAs");
    ASSERT_FALSE(recorder.Empty());
    EXPECT_EQ(recorder.Reports().back().number, 76);
    EXPECT_TRUE(Document().PatternChanged());
    EXPECT_EQ(Document().PatternPath(), dir.File("first.kst"));
}

TEST_F(FileCommandsTest, a_pattern_dropped_on_the_window_opens) {
    const std::string path = ThreadedFile();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    EXPECT_EQ(Document().BandName(), "Threaded");
    EXPECT_EQ(Caption(), QString::fromStdString("Tessaly - " + path));

    // another program's pattern dropped opens untitled
    const std::string twt = dir.Write(
        "dropped.twt",
        "{\"source\": \"Twisted Threads\", \"Name\": \"Dropped\", \"Pattern type\": \"allTogether\","
        " \"Number of holes\": 4, \"Colour palette\": [\"#ff0000\", \"#ffffff\"],"
        " \"Threading chart\": [[0], [1], [0], [1]], \"Tablet orientations\": [\"/\"],"
        " \"Pattern design\": {\"weavingInstructions\": [\"F\", \"F\", \"B\"]}}");
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(twt))});
    QDragEnterEvent enterAgain(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enterAgain);
    QDropEvent another(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &another);
    EXPECT_EQ(Document().BandName(), "Dropped");
    EXPECT_EQ(Document().CurrentBand().Count(), 4);
    EXPECT_EQ(Caption(), "Tessaly");
}

// "tessaly PATTERN.kst": the pattern opens at start-up; one that cannot be read is reported
// and the default pattern stays.
TEST(command_line_test, opens_the_pattern_named_or_keeps_the_default) {
    test::ReportRecorder recorder;
    test::RecordingDialogs dialogs;
    test::ProgramFolder folder;
    const std::string good = folder.File("good.kst");
    std::ofstream(good, std::ios::binary)
        << test::PatternHead("", "Given") << "1, 1, 0, 255, 255, 255, 255, 1, 0, 1\r\n";
    {
        Startup startup{dialogs, folder.Path()};
        MainWindow& window = startup.Run(false, QString::fromStdString(good));
        EXPECT_EQ(startup.Document().BandName(), "Given");
        EXPECT_EQ(window.windowTitle().remove("[*]"), QString::fromStdString("Tessaly - " + good));
    }
    {
        Startup startup{dialogs, folder.Path()};
        MainWindow& window = startup.Run(false, QString::fromStdString(folder.File("gone.kst")));
        EXPECT_EQ(startup.Document().BandName(), "Tessaly sampler: diamonds");
        EXPECT_EQ(window.windowTitle().remove("[*]"), "Tessaly");
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].title, "No File");
    }
    {
        const std::string bad = folder.File("bad.kst");
        std::ofstream(bad, std::ios::binary) << "Bad\r\n";
        Startup startup{dialogs, folder.Path()};
        startup.Run(false, QString::fromStdString(bad));
        EXPECT_EQ(startup.Document().BandName(), "Tessaly sampler: diamonds");
        EXPECT_EQ(recorder.Reports().size(), 1u);
    }
}

TEST_F(FileCommandsTest, recent_files_list_the_last_eight_and_drop_what_is_gone) {
    QSettings().remove("recentFiles");
    std::vector<std::string> paths;
    for (int i = 0; i < 10; ++i) {
        paths.push_back(
            dir.Write("p" + std::to_string(i) + ".kst", test::ReadAll(TESSALY_DEFAULT_PATTERN)));
        dialogs.openAnswer = QString::fromStdString(paths.back());
        Trigger("mnuOpen");
    }
    QStringList recent = window.Files().RecentFiles();
    ASSERT_EQ(recent.size(), FileCommands::kRecentFiles);
    EXPECT_EQ(recent.first(), QString::fromStdString(paths[9]));
    EXPECT_EQ(recent.last(), QString::fromStdString(paths[2]));
    auto* menu = window.findChild<QMenu*>("mnuRecent");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 8);

    // the fourth entry is p6; once it is gone, choosing it says so and drops it
    QFile::remove(QString::fromStdString(paths[6]));
    menu->actions().at(3)->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("no longer exists"));
    EXPECT_EQ(window.Files().RecentFiles().size(), 7);
    EXPECT_EQ(Document().PatternPath(), paths[9]);

    menu->actions().at(1)->trigger();  // p8 opens
    EXPECT_EQ(Document().PatternPath(), paths[8]);
    EXPECT_EQ(window.Files().RecentFiles().first(), QString::fromStdString(paths[8]));
    QSettings().remove("recentFiles");
}

}  // namespace
}  // namespace tessaly
