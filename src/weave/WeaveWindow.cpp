#include "WeaveWindow.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <algorithm>

#include "CardPositionView.h"
#include "PackGrid.h"
#include "document/PatternSession.h"
#include "document/commands/PickCommands.h"
#include "errors/ErrorReporter.h"
#include "model/Directions.h"
#include "model/Twips.h"
#include "widgets/ColumnGrid.h"
#include "widgets/FormTwips.h"

namespace tessaly {

namespace {

// what stands below the packs moves down by the twist row
constexpr int kBelowPacksTwips = PackGrid::kTwistHeightTwips;

}  // namespace

WeaveWindow::WeaveWindow(PatternSession& session, QWidget* parent)
    : QWidget(parent), session_(session), document_(session.Document()) {
    setObjectName("frmWeave1");
    setWindowTitle(tr("Weave Instructions"));
    setAccessibleName(windowTitle());
    InstallAccessibleGrids();
    UseDialogFont(this);
    BuildControls();
    // the size the design gives it, or what the fonts need
    resize(QSize(TwipsToPixels(form_twips::kWeaveWidth),
                 TwipsToPixels(form_twips::kWeaveHeight + kBelowPacksTwips))
               .expandedTo(minimumSizeHint()));

    connect(&document_, &PatternDocument::bandReplaced, this, &WeaveWindow::BuildWeaveGrid);
    // the packs always show the choices of the band's last pick: after a Weave these are the
    // choices just woven, after an UnWeave, an undo or a redo those of the pick now on top
    const auto showLastPick = [this] {
        const Band& band = document_.CurrentBand();
        Trap("frmWeave1", "UpdateGrid", [&] { choices_.Update(band.At(band.Count()).Cards()); });
        ShowChoices();
    };
    connect(&document_, &PatternDocument::rowAdded, this, showLastPick);
    connect(&document_, &PatternDocument::rowRemoved, this, showLastPick);
    connect(&document_, &PatternDocument::rowsReplaced, this, showLastPick);
    const BandPresentation& views = session_.Presentation();
    connect(&views, &BandPresentation::twistChanged, this,
            [this] { grid_->SetTwist(session_.Presentation().NetTwist()); });
    grid_->SetTwist(views.NetTwist());
    Reload();
}

void WeaveWindow::BuildControls() {
    // the packs' column: where hole A of card 1 stands above, each pack's F and B level with
    // its row of cards beside it
    grid_ = new PackGrid(choices_);
    QWidget* directions = BuildPackDirections();
    // where hole A of card 1 stands: a card with a button at each corner
    auto* corner = directions->findChild<QGroupBox*>("fraCardPosition");
    const QString names[4] = {tr("A top left"), tr("A top right"), tr("A bottom right"),
                              tr("A bottom left")};
    // clockwise from the top left, as the card's corners are named
    const QPoint cells[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    auto* cornerButtons = new QGridLayout(corner);
    cornerButtons->setContentsMargins(TwipsToPixels(form_twips::kCornerLeft),
                                      TwipsToPixels(form_twips::kCornerTop), 0, 0);
    cornerButtons->setSpacing(TwipsToPixels(form_twips::kCornerGap));
    auto* positionGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        positions_[i] = new QRadioButton(corner);
        positions_[i]->setObjectName(QString("optCardPosition%1").arg(i));
        positions_[i]->setAccessibleName(names[i]);
        positions_[i]->setFixedSize(TwipsToPixels(form_twips::kCornerButton),
                                      TwipsToPixels(form_twips::kCornerButton));
        cornerButtons->addWidget(positions_[i], cells[i].y(), cells[i].x(),
                                 Qt::AlignLeft | Qt::AlignTop);
        // an indicator only: it shows where hole A of card 1 stands, it takes no input
        positions_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        positions_[i]->setFocusPolicy(Qt::NoFocus);
        positionGroup->addButton(positions_[i], i);
    }
    cornerButtons->setRowStretch(2, 1);
    cornerButtons->setColumnStretch(2, 1);
    // nothing sets the indicator but the band: a check set from outside goes back at once
    connect(positionGroup, &QButtonGroup::idToggled, this, [this](int position, bool checked) {
        if (checked && position != choices_.CardPosition() && choices_.CardHoles() == kHoles)
            positions_[choices_.CardPosition()]->setChecked(true);
    });
    // a card of other holes is drawn over the whole frame, which never changes its size
    cardPosition_ = new CardPositionView(corner);
    cardPosition_->hide();
    cardPosition_->setGeometry(corner->rect().adjusted(2, 2, -2, -2));
    // the label above the packs, which begin where the corner's lower buttons stand
    auto* positionLabel = new QLabel(tr("Position of A"), this);
    positionLabel->setObjectName("lblPositionOfA");
    positionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    positionLabel->setMinimumHeight(TwipsToPixels(form_twips::kPacksTop));
    viewport_ =
        new ColumnViewport("prtPacks", tr("Packs viewport"), grid_, PackGrid::kColumnTwips, this);
    auto* packs = new QVBoxLayout;
    packs->setSpacing(0);
    packs->addWidget(positionLabel);
    packs->addWidget(viewport_);
    auto* top = new QHBoxLayout;
    top->addWidget(directions, 0, Qt::AlignTop);
    top->addLayout(packs, 1);

    nextPick_ = new QLabel(this);
    nextPick_->setObjectName("lblNextPick");
    weave_ = new QPushButton(tr("&Weave"), this);
    weave_->setObjectName("cmdWeave");
    weave_->setMinimumSize(TwipsToPixels(form_twips::kWeaveButtonWidth),
                           TwipsToPixels(form_twips::kButtonHeight));
    unweave_ = new QPushButton(tr("&UnWeave"), this);
    unweave_->setObjectName("cmdUnweave");
    unweave_->setMinimumSize(TwipsToPixels(form_twips::kWeaveButtonWidth),
                             TwipsToPixels(form_twips::kButtonHeight));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(nextPick_, 1);
    buttons->addWidget(weave_);
    buttons->addWidget(unweave_);

    auto* window = new QVBoxLayout(this);
    const int margin = TwipsToPixels(form_twips::kMargin);
    window->setContentsMargins(margin, 0, margin, margin);
    window->addLayout(top);
    window->addStretch(1);
    window->addLayout(buttons);

    connect(weave_, &QPushButton::clicked, this, &WeaveWindow::weavePick);
    connect(unweave_, &QPushButton::clicked, this, &WeaveWindow::unweavePick);
    connect(grid_, &PackGrid::weaveRequested, this, &WeaveWindow::weavePick);
    connect(grid_, &PackGrid::unweaveRequested, this, &WeaveWindow::unweavePick);
    // F, B or I at a card turns its pack as that pack's buttons do
    connect(grid_, &PackGrid::packTurnChosen, this, [this](int pack, std::int32_t turn) {
        if (pack >= 1 && pack <= PackChoices::kPacks && turn >= Forward && turn <= Idle)
            turnButtons_[pack - 1][turn]->setChecked(true);
    });
    // a click puts the card in that pack; a double click, after its click, flips it over
    connect(grid_, &PackGrid::cardClicked, this, [this](std::int32_t card, int pack) {
        choices_.SetLines(card, pack);
        grid_->update(grid_->CardRect(card, 1).united(grid_->CardRect(card, 3)));
    });
    connect(grid_, &PackGrid::cardDoubleClicked, this, [this](std::int32_t card, int) {
        choices_.VerticalTwist(card);
        grid_->update(grid_->CardRect(card, 1).united(grid_->CardRect(card, 3)));
    });
}

QWidget* WeaveWindow::BuildPackDirections() {
    // each pack's directions stand level with its row of cards in the grid
    auto* directions = new QWidget(this);
    directions->setObjectName("packDirections");
    const char* const frames[3] = {"fraPack1", "fraPack2", "fraPack3"};
    QGroupBox* packFrames[3] = {};
    int width = TwipsToPixels(form_twips::kPackChoiceWidth);
    for (int pack = 1; pack <= 3; ++pack) {
        auto* frame = new QGroupBox(tr("Pack %1").arg(pack), directions);
        frame->setObjectName(frames[pack - 1]);
        auto* group = new QButtonGroup(frame);
        auto* choice = new QHBoxLayout(frame);
        choice->setContentsMargins(TwipsToPixels(form_twips::kPackChoiceIndent), 0, 0, 0);
        choice->setSpacing(TwipsToPixels(form_twips::kPackChoiceGap));
        // forward, backward, or idle: the pack's cards stay where they are
        const QString letters[3] = {tr("F"), tr("B"), tr("I")};
        for (int turn = Forward; turn <= Idle; ++turn) {
            auto* button = new QRadioButton(letters[turn], frame);
            button->setObjectName(QString("optFB%1_%2").arg(pack).arg(turn));
            button->setAccessibleName(letters[turn]);
            choice->addWidget(button);
            group->addButton(button, turn);
            turnButtons_[pack - 1][turn] = button;
        }
        // toggled, not clicked: a choice set by an assistive tool is the choice woven
        connect(group, &QButtonGroup::idToggled, this, [this, pack](int turn, bool checked) {
            if (checked) choices_.SetTurn(pack, turn);
        });
        packFrames[pack - 1] = frame;
        width = std::max(width, frame->sizeHint().width());
    }
    // the card whose corner shows where hole A stands, then each pack level with its row of
    // cards, as wide as the three choices need in the desktop's font; a pack's frame ends
    // where the next begins, as the rows of cards share their border line
    auto* corner = new QGroupBox(directions);
    corner->setObjectName("fraCardPosition");
    corner->setFixedSize(TwipsToPixels(form_twips::kCardPositionWidth),
                         TwipsToPixels(form_twips::kCardPositionHeight));
    auto* column = new QVBoxLayout(directions);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(corner, 0, Qt::AlignLeft);
    int bottom = corner->height();
    for (int pack = 3; pack >= 1; --pack) {  // the packs' rows run from 3 at the top
        const int top = TwipsToPixels(form_twips::kPacksTop + PackGrid::kPackTopsTwips[pack - 1]);
        const int next = pack > 1 ? TwipsToPixels(form_twips::kPacksTop + PackGrid::kPackTopsTwips[pack - 2])
                                  : top + TwipsToPixels(PackGrid::kCardHeightTwips);
        column->addSpacing(top - bottom);
        packFrames[pack - 1]->setFixedSize(
            width, std::min(TwipsToPixels(PackGrid::kCardHeightTwips), next - top));
        column->addWidget(packFrames[pack - 1]);
        bottom = top + packFrames[pack - 1]->height();
    }
    column->addStretch(1);
    directions->setFixedSize(width, TwipsToPixels(form_twips::kPacksTop) + grid_->height());
    return directions;
}

void WeaveWindow::Reload() {
    for (int pack = 1; pack <= PackChoices::kPacks; ++pack) choices_.SetTurn(pack, 0);
    BuildWeaveGrid();
}

void WeaveWindow::BuildWeaveGrid() {
    Trap("frmWeave1", "BuildWeaveGrid", [&] {
        // the columns follow the band's own cards, never a count typed but not applied
        const Band& band = document_.CurrentBand();
        const std::int32_t rows = band.Count();
        choices_.Build(rows > 0 ? band.At(rows).Cards().Count() : 0);
        if (rows > 0) choices_.Update(band.At(rows).Cards());
    });
    ShowChoices();
}

void WeaveWindow::ShowChoices() {
    grid_->Rebuild();
    viewport_->FitGrid();
    for (int pack = 1; pack <= PackChoices::kPacks; ++pack)
        turnButtons_[pack - 1][choices_.Turn(pack)]->setChecked(true);
    ShowCardPosition();
    const std::int32_t rows = document_.CurrentBand().Count();
    nextPick_->setText(rows > 0 ? tr("Next pick: %1").arg(rows) : QString());
    weave_->setEnabled(rows > 0);
    unweave_->setEnabled(rows > 1);
}

void WeaveWindow::ShowCardPosition() {
    const bool square = choices_.CardHoles() == kHoles;
    for (QRadioButton* corner : positions_) corner->setVisible(square);
    cardPosition_->setVisible(!square);
    if (square) {
        positions_[choices_.CardPosition()]->setChecked(true);
        return;
    }
    std::vector<std::int32_t> colors;
    const Band& band = document_.CurrentBand();
    if (band.Count() > 0 && band.At(band.Count()).Cards().Count() > 0) {
        const Card& first = band.At(band.Count()).Cards().At(1);
        for (int hole = 0; hole < first.Holes(); ++hole) colors.push_back(first.Color(hole));
    }
    cardPosition_->SetCard(std::move(colors), choices_.CardPosition());
}

void WeaveWindow::weavePick() {
    Trap("frmWeave1", "cmdWeave_Click", [&] {
        const Band& band = document_.CurrentBand();
        if (band.Count() == 0) return;
        session_.Run<WeavePick>(choices_.NextPick(band.At(band.Count()).Cards()));
    });
}

void WeaveWindow::unweavePick() {
    // the packs follow the pick taken off as they follow every change of the band's top
    Trap("frmWeave1", "cmdUnweave_Click", [&] { session_.Run<UnWeavePick>(); });
}

}  // namespace tessaly
