#include "DesignWindow.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>

#include "PalettePanel.h"
#include "document/PatternSession.h"
#include "document/commands/BandCommands.h"
#include "document/commands/DraftCommands.h"
#include "document/commands/TextCommands.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"
#include "model/Twips.h"
#include "render/RasterCanvas.h"
#include "widgets/ColumnGrid.h"
#include "widgets/FormTwips.h"
#include "widgets/GrowToLayout.h"
#include "widgets/PressLabel.h"
#include "widgets/UserDialogs.h"

namespace tessaly {

namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;

// The procedure a press on a row of the draft reports its errors under.
std::string CellProcedure(const DraftGrid& grid, DraftGrid::Part part) {
    if (part == DraftGrid::Number) return "lblCardNumber_MouseDown";
    if (part == grid.ThreadingRow()) return "lblThreading_Click";
    return std::string("picDraft") + static_cast<char>('A' + (part - DraftGrid::HoleA)) +
           "_MouseDown";
}

}  // namespace

DesignWindow::DesignWindow(PatternSession& session, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), document_(session.Document()), dialogs_(dialogs) {
    setObjectName("frmDesign");
    setWindowTitle(tr("Threading Design"));
    setAccessibleName(windowTitle());
    InstallAccessibleGrids();
    UseDialogFont(this);
    BuildControls();
    ConnectDocument();
    // the size the design gives it, or what the fonts need
    resize(QSize(TwipsToPixels(form_twips::kDesignWidth), TwipsToPixels(form_twips::kDesignHeight))
               .expandedTo(minimumSizeHint()));
    Reload();
}

void DesignWindow::BuildControls() {
    auto* window = new QVBoxLayout(this);
    const int margin = TwipsToPixels(form_twips::kMargin);
    window->setContentsMargins(margin, margin, margin, margin);
    window->addLayout(BuildFields());
    auto* middle = new QHBoxLayout;
    middle->addLayout(BuildSwatches());
    middle->addSpacing(TwipsToPixels(form_twips::kSwatchesToDraft));
    middle->addLayout(BuildDraft(), 1);
    window->addLayout(middle);
    window->addStretch(1);
    window->addLayout(BuildButtons());

    setTabOrder(bandName_, cardNumber_);
    setTabOrder(cardNumber_, turnSequence_);
    setTabOrder(turnSequence_, holes_);
    setTabOrder(turnSequence_, apply_);
    setTabOrder(apply_, replaceColors_);
    setTabOrder(replaceColors_, simpleWeave_);

    ConnectControls();
}

namespace {

// A label that a press on can act on, named for what it labels.
PressLabel* NamedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new PressLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

QLayout* DesignWindow::BuildFields() {
    // each box at least as wide as the design gives it
    const auto box = [this](const char* name, const QString& accessibleName, int widthTwips) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setAccessibleName(accessibleName);
        edit->setMinimumWidth(TwipsToPixels(widthTwips));
        return edit;
    };
    const auto label = [this](const char* name, const QString& text) {
        return NamedLabel(this, name, text);
    };
    PressLabel* nameLabel = label("lblBandName", tr("Band Name:"));
    bandName_ = box("txtBandName", tr("Band Name"), 3135);
    PressLabel* countLabel = label("lblCardCount", tr("# of Cards"));
    cardNumber_ = box("txtCardNumber", tr("# of Cards"), 735);
    PressLabel* sequenceLabel = label("lblTurnSequence", tr("Default Turn Seq"));
    turnSequence_ = box("txtTurnSequence", tr("Default Turn Seq"), 1455);
    PressLabel* example = label("lblSequenceExample", tr("Ex.  FFBB"));
    nameLabel->setBuddy(bandName_);
    countLabel->setBuddy(cardNumber_);
    sequenceLabel->setBuddy(turnSequence_);
    auto* fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(bandName_, 0, 1, 1, 3);
    fields->addWidget(countLabel, 1, 0);
    fields->addWidget(cardNumber_, 1, 1);
    fields->addWidget(sequenceLabel, 1, 2);
    fields->addWidget(turnSequence_, 1, 3);
    fields->addWidget(example, 2, 3);
    PressLabel* holesLabel = label("lblHoles", tr("Holes"));
    holes_ = new QSpinBox(this);
    holes_->setObjectName("txtHoles");
    holes_->setAccessibleName(tr("Holes"));
    holes_->setRange(kMinHoles, kMaxHoles);
    holes_->setValue(kHoles);
    holes_->setToolTip(tr("The holes of every card: 4 for square cards, 6 for hexagons, 2 to 8"));
    holesLabel->setBuddy(holes_);
    fields->addWidget(holesLabel, 2, 0);
    fields->addWidget(holes_, 2, 1);
    fields->setColumnStretch(3, 1);
    return fields;
}

QLayout* DesignWindow::BuildSwatches() {
    // the two paint colours, each under its letter
    leftColor_ = new ColorSwatch(this);
    leftColor_->setObjectName("picLeftColor");
    leftColor_->setAccessibleName(tr("Left colour"));
    rightColor_ = new ColorSwatch(this);
    rightColor_->setObjectName("picRightColor");
    rightColor_->setAccessibleName(tr("Right colour"));
    // beside them, no thread: a click makes the left colour empty, a right click the right
    emptyHole_ = new ColorSwatch(this);
    emptyHole_->setObjectName("picEmptyHole");
    emptyHole_->setAccessibleName(tr("Empty hole"));
    emptyHole_->SetColor(Card::kNoThread);
    auto* swatches = new QGridLayout;
    int column = 0;
    for (auto [name, letter, swatch] : {std::tuple{"lblLeftColor", tr("L"), leftColor_},
                                        std::tuple{"lblRightColor", tr("R"), rightColor_},
                                        std::tuple{"lblEmptyHole", tr("Empty"), emptyHole_}}) {
        PressLabel* letterLabel = NamedLabel(this, name, letter);
        letterLabel->setAlignment(Qt::AlignCenter);
        swatches->addWidget(letterLabel, 0, column);
        swatch->setFixedSize(TwipsToPixels(form_twips::kSwatchWidth), TwipsToPixels(form_twips::kSwatchHeight));
        swatches->addWidget(swatch, 1, column++);
    }
    // the pattern's palette under them, as tall as the draft beside it leaves room for
    palette_ = new PalettePanel(session_, dialogs_, this);
    swatches->addWidget(palette_, 2, 0, 1, 3, Qt::AlignHCenter);
    swatches->setRowStretch(2, 1);
    return swatches;
}

QLayout* DesignWindow::BuildDraft() {
    grid_ = new DraftGrid(document_);
    viewport_ =
        new ColumnViewport("prtDraft", tr("Draft viewport"), grid_, DraftGrid::kColumnTwips, this);
    auto* draft = new QHBoxLayout;
    draft->setSpacing(0);
    draft->addWidget(BuildRowLabels(), 0, Qt::AlignTop);
    draft->addWidget(viewport_, 1, Qt::AlignTop);
    return draft;
}

QLayout* DesignWindow::BuildButtons() {
    apply_ = new QPushButton(tr("&Apply"), this);
    apply_->setObjectName("cmdOk");
    apply_->setMinimumSize(TwipsToPixels(form_twips::kApplyWidth), TwipsToPixels(form_twips::kButtonHeight));
    replaceColors_ = new QCheckBox(tr("&Replace Colors only"), this);
    replaceColors_->setObjectName("chkReplaceColor");
    simpleWeave_ = new QPushButton(tr("&Simple Weave"), this);
    simpleWeave_->setObjectName("cmdWeaveAll");
    simpleWeave_->setMinimumSize(TwipsToPixels(form_twips::kSimpleWeaveWidth),
                                 TwipsToPixels(form_twips::kButtonHeight));
    simpleWeave_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(apply_);
    buttons->addWidget(replaceColors_);
    buttons->addStretch(1);
    buttons->addWidget(simpleWeave_);
    return buttons;
}

void DesignWindow::ConnectControls() {
    connect(apply_, &QPushButton::clicked, this, &DesignWindow::applyDraft);
    connect(simpleWeave_, &QPushButton::clicked, this, &DesignWindow::simpleWeave);
    connect(cardNumber_, &QLineEdit::editingFinished, this, &DesignWindow::commitCardCount);
    connect(holes_, &QSpinBox::valueChanged, this, &DesignWindow::commitHoles);
    // typing is taken when the box is left; a number set any other way (an assistive tool,
    // a script) is taken at once, so the box never shows a count the draft does not have.
    // Only the keyboard marks the box modified; setText, whoever calls it, clears the mark.
    connect(cardNumber_, &QLineEdit::textChanged, this, [this] {
        if (!cardNumber_->isModified()) commitCardCount();
    });
    connect(leftColor_, &ColorSwatch::clicked, this, &DesignWindow::chooseLeftColor);
    connect(rightColor_, &ColorSwatch::clicked, this, &DesignWindow::chooseRightColor);
    // a palette colour becomes a paint colour
    connect(palette_, &PalettePanel::leftChosen, leftColor_, &ColorSwatch::SetColor);
    connect(palette_, &PalettePanel::rightChosen, rightColor_, &ColorSwatch::SetColor);
    // a paint colour taken from the palette follows the palette colour it was
    connect(palette_, &PalettePanel::colorChanged, this,
            [this](std::int32_t from, std::int32_t to) {
                for (ColorSwatch* paint : {leftColor_, rightColor_})
                    if (paint->Color() == from) paint->SetColor(to);
            });
    connect(emptyHole_, &ColorSwatch::clicked, this,
            [this] { leftColor_->SetColor(Card::kNoThread); });
    connect(emptyHole_, &ColorSwatch::rightClicked, this,
            [this] { rightColor_->SetColor(Card::kNoThread); });
    connect(grid_, &DraftGrid::cellPressed, this, &DesignWindow::PressCell);
    // a card's number chooses the card for the Pattern menu's card entries
    cardEditor_ = new CardEditor(session_, grid_);
    connect(grid_, &DraftGrid::numberPressed, this,
            [this](std::int32_t card, Qt::KeyboardModifiers modifiers) {
                // a plain press paints the card first; if it turns into a drag of the numbers,
                // that paint is taken back and the cards move instead
                pressPaintIndex_ = modifiers == Qt::NoModifier
                                       ? std::optional<int>(session_.History().Index())
                                       : std::nullopt;
                cardEditor_->Choose(card, modifiers);
            });
    connect(grid_, &DraftGrid::numberDragged, this, [this](std::int32_t from, std::int32_t to) {
        History& history = session_.History();
        if (pressPaintIndex_ && history.Index() == *pressPaintIndex_ + 1) history.Undo();
        pressPaintIndex_.reset();
        cardEditor_->moveChosenTo(from, to);
    });
    connect(grid_, &DraftGrid::cellDragged, this, &DesignWindow::DragOver);
    // the draft's keys: Delete empties, S and Z thread, a hole's letter paints its row
    connect(grid_, &DraftGrid::cellCleared, this, [this](DraftGrid::Cell cell) {
        Trap("frmDesign", CellProcedure(*grid_, cell.part),
             [&] { PaintCellWith(cell, Card::kNoThread, false); });
    });
    connect(grid_, &DraftGrid::threadingChosen, this,
            [this](std::int32_t card, std::int32_t thread) {
                Trap("frmDesign", CellProcedure(*grid_, grid_->ThreadingRow()), [&] {
                    const auto& draft = document_.Draft();
                    if (card >= 1 && card <= static_cast<std::int32_t>(draft.size()) &&
                        draft[static_cast<std::size_t>(card - 1)].Thread() != thread)
                        session_.Run<ToggleThreading>(card);
                });
            });
    connect(grid_, &DraftGrid::rowKeyPressed, this, &DesignWindow::PaintRow);
    // the boxes edit the document's name and sequence: one source for files and printing.
    // Any change counts, typed or set through the accessibility interface; the document's
    // own update (an undo, say) comes back here as the text it already holds and is no step.
    connect(bandName_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.toStdString() != document_.BandName())
            session_.Run<EditText>(EditText::Field::BandName, text.toStdString());
    });
    connect(turnSequence_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.toStdString() != document_.TurnSequence())
            session_.Run<EditText>(EditText::Field::TurnSequence, text.toStdString());
    });
}

QList<QAction*> DesignWindow::PaletteActions() const { return palette_->Actions(); }

void DesignWindow::ConnectDocument() {
    connect(&document_, &PatternDocument::threadingChanged, this, &DesignWindow::ShowDraft);
    connect(&document_, &PatternDocument::bandNameChanged, this, [this](const QString& name) {
        if (bandName_->text() != name) bandName_->setText(name);
    });
    connect(&document_, &PatternDocument::turnSequenceChanged, this,
            [this](const QString& sequence) {
                if (turnSequence_->text() != sequence) turnSequence_->setText(sequence);
                UpdateSimpleWeave();
            });
    connect(&document_, &PatternDocument::bandReplaced, this, &DesignWindow::UpdateSimpleWeave);
    // a pattern opened starts with white paint
    connect(&document_, &PatternDocument::patternLoaded, this, [this] {
        leftColor_->SetColor(kWhite);
        rightColor_->SetColor(kWhite);
    });
}

QWidget* DesignWindow::BuildRowLabels() {
    // the row labels stand level with the draft's rows, which share their border lines: each
    // label is one row step high and leaves its bottom line to the label below it (the last
    // draws its own); "A" to "D" paint their whole row
    auto* labels = new QWidget(this);
    labels->setObjectName("rowLabels");
    auto* column = new QVBoxLayout(labels);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // "#", a label for every hole a card may have (those past the draft's holes hidden), "T"
    const int rows = kMaxHoles + 2;
    for (int row = 0; row < rows; ++row) {
        const bool number = row == 0;
        const bool last = row == rows - 1;
        const bool hole = !number && !last;
        const QString letter = hole ? QString(QChar('A' + (row - 1))) : QString();
        auto* rowLabel = new PressLabel(number ? QStringLiteral("#")
                                        : last ? QStringLiteral("T")
                                               : letter,
                                        labels);
        rowLabel->setObjectName(number ? QStringLiteral("lblNumberRow")
                                : last ? QStringLiteral("lblThreadingRow")
                                       : QStringLiteral("lblRow") + letter);
        rowLabel->setFixedSize(TwipsToPixels(DraftGrid::kCellTwips),
                               TwipsToPixels(last ? DraftGrid::kCellTwips : DraftGrid::kRowStepTwips));
        rowLabel->setStyleSheet(last ? QStringLiteral("border: 1px solid black;")
                                     : QStringLiteral("border: 1px solid black; border-bottom: none;"));
        column->addWidget(rowLabel);
        rowLabel->setAlignment(Qt::AlignCenter);
        rowLabel->setAutoFillBackground(true);
        QFont bold = rowLabel->font();
        bold.setBold(true);
        rowLabel->setFont(bold);
        QPalette colours = rowLabel->palette();
        colours.setColor(QPalette::Window,
                         hole ? QColor(0xC0, 0xC0, 0xC0) : QColor(0xE0, 0xE0, 0xE0));
        rowLabel->setPalette(colours);
        if (!hole) continue;
        holeLabels_[static_cast<std::size_t>(row - 1)] = rowLabel;
        rowLabel->setToolTip(tr("Paint Row"));
        rowLabel->setAccessibleDescription(tr("Paint Row"));
        connect(rowLabel, &PressLabel::pressed, this,
                [this, row](Qt::MouseButton button) { PaintRow(row - 1, button); });
    }
    return labels;
}

void DesignWindow::Reload() {
    leftColor_->SetColor(kWhite);
    rightColor_->SetColor(kWhite);
    Trap("frmDesign", "BuildDraftGrid", [&] { session_.Run<ReloadDraft>(); });
    ShowDraft();
    bandName_->setText(QString::fromStdString(document_.BandName()));
    turnSequence_->setText(QString::fromStdString(document_.TurnSequence()));
    UpdateSimpleWeave();
}

void DesignWindow::ShowDraft() {
    ShowHoles();
    grid_->Rebuild();
    viewport_->FitGrid();
    // a draft of more holes is taller
    GrowToLayout(*this);
    cardNumber_->setText(QString::number(document_.Draft().size()));
}

void DesignWindow::UpdateSimpleWeave() {
    simpleWeave_->setEnabled(document_.CurrentBand().Count() > 0 &&
                             !document_.TurnSequence().empty());
}

void DesignWindow::PressCell(DraftGrid::Cell cell, Qt::MouseButton button) {
    Paint(cell, button, false);
}

void DesignWindow::Paint(DraftGrid::Cell cell, Qt::MouseButton button, bool continuesStroke) {
    Trap("frmDesign", CellProcedure(*grid_, cell.part), [&] {
        if (cell.part == grid_->ThreadingRow()) {
            if (button == Qt::LeftButton) session_.Run<ToggleThreading>(cell.card);
            return;
        }
        // on a number any button but the left paints the card with the right colour; a hole
        // takes the left or the right button only
        if (cell.part != DraftGrid::Number && button != Qt::LeftButton && button != Qt::RightButton)
            return;
        PaintCellWith(cell, button == Qt::LeftButton ? leftColor_->Color() : rightColor_->Color(),
                      continuesStroke);
    });
}

void DesignWindow::PaintCellWith(DraftGrid::Cell cell, std::int32_t color, bool continuesStroke) {
    std::vector<DraftHole> holes;
    if (cell.part == DraftGrid::Number)
        for (int hole = 0; hole < grid_->Holes(); ++hole) holes.push_back({cell.card, hole});
    else
        holes.push_back({cell.card, cell.part - DraftGrid::HoleA});
    session_.Run<PaintDraft>(holes, color, continuesStroke);
}

void DesignWindow::commitHoles(int holes) {
    if (holes == grid_->Holes()) return;
    Trap("frmDesign", "txtHoles_Change", [&] {
        // fewer holes take threads with them: the weaver is asked first
        if (SetHoleCount::LosesThreads(document_.Draft(), holes) &&
            dialogs_.Ask(
                this, tr("Holes"),
                tr("Cards of %1 holes lose the threads of the holes beyond. Go on?").arg(holes),
                false) != UserDialogs::Answer::Yes) {
            ShowHoles();
            return;
        }
        session_.Run<SetHoleCount>(holes, rightColor_->Color());
    });
    ShowHoles();
}

void DesignWindow::ShowHoles() {
    const int holes = grid_->Holes();
    const QSignalBlocker quiet(holes_);
    holes_->setValue(holes);
    for (int hole = 0; hole < kMaxHoles; ++hole)
        holeLabels_[static_cast<std::size_t>(hole)]->setVisible(hole < holes);
}

void DesignWindow::DragOver(DraftGrid::Cell cell, Qt::MouseButtons buttons) {
    // a drag paints the holes it crosses, as a paint program does, and is undone with the
    // press that began it
    if (cell.part == DraftGrid::Number || cell.part == grid_->ThreadingRow()) return;
    if (buttons & Qt::LeftButton)
        Paint(cell, Qt::LeftButton, true);
    else if (buttons & Qt::RightButton)
        Paint(cell, Qt::RightButton, true);
}

void DesignWindow::PaintRow(int hole, Qt::MouseButton button) {
    // the middle button paints a row with the right colour
    const std::int32_t color =
        button == Qt::LeftButton ? leftColor_->Color() : rightColor_->Color();
    std::vector<DraftHole> holes;
    const auto cards = static_cast<std::int32_t>(document_.Draft().size());
    holes.reserve(static_cast<std::size_t>(cards));
    for (std::int32_t card = 1; card <= cards; ++card) holes.push_back({card, hole});
    session_.Run<PaintDraft>(holes, color);
}

void DesignWindow::ChooseColor(ColorSwatch* swatch) {
    // a cancelled dialog leaves the colour as it was
    if (const auto chosen = dialogs_.ChooseColor(this, swatch->Color())) swatch->SetColor(*chosen);
}

void DesignWindow::chooseLeftColor() {
    Trap("frmDesign", "picLeftColor_Click", [&] { ChooseColor(leftColor_); });
}

void DesignWindow::chooseRightColor() {
    Trap("frmDesign", "picRightColor_Click", [&] { ChooseColor(rightColor_); });
}

void DesignWindow::commitCardCount() {
    const QString text = cardNumber_->text().trimmed();
    const auto count = ParseRoundedInteger(text.toStdString());
    const auto shown = static_cast<std::int32_t>(document_.Draft().size());
    if (count && *count == shown) return;
    const bool committed = count && *count >= 1 && *count <= kMostCards &&
                           Trap("frmDesign", "txtCardNumber_LostFocus", [&] {
                               session_.Run<SetCardCount>(static_cast<std::int32_t>(*count));
                           });
    if (committed) return;
    if (!count || *count < 1 || *count > kMostCards)
        dialogs_.ShowMessage(this, windowTitle(),
                             tr("The number of cards must be a whole number from 1 to %1, not "
                                "\"%2\".")
                                 .arg(kMostCards)
                                 .arg(text),
                             UserDialogs::Icon::Warning);
    cardNumber_->setText(QString::number(shown));
}

void DesignWindow::applyDraft() {
    Trap("frmDesign", "cmdOk_Click", [&] {
        if (replaceColors_->isChecked()) {
            session_.Run<ReplaceColors>();
            return;
        }
        if (MayReplaceBand()) session_.Run<ApplyThreading>();
    });
}

bool DesignWindow::MayReplaceBand() {
    // a sequence or name typed since the save is kept; only the band is put aside
    if (document_.CurrentBand().Count() < 2 || !session_.BandChangedSinceSave()) return true;
    const UserDialogs::Answer answer =
        dialogs_.Ask(this, tr("Save"), tr("Save pattern before applying changes?"), false);
    // a save that was cancelled or failed keeps the woven band: nothing unsaved is lost
    return answer != UserDialogs::Answer::Yes || (save_ && save_());
}

void DesignWindow::simpleWeave() {
    // Simple Weave replaces the band as Apply does, so it asks as Apply does
    Trap("frmDesign", "SimpleWeave", [&] {
        if (MayReplaceBand()) session_.Run<SimpleWeave>();
    });
}

}  // namespace tessaly
