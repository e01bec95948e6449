#include "InstructionsWindow.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableView>
#include <algorithm>

#include "InstructionCells.h"
#include "InstructionTableModel.h"
#include "NetTwistModel.h"
#include "PickEditor.h"
#include "document/BandPresentation.h"
#include "document/PatternSession.h"
#include "errors/ErrorReporter.h"
#include "model/Twips.h"
#include "widgets/FormTwips.h"

namespace tessaly {

InstructionsWindow::InstructionsWindow(PatternSession& session, UserDialogs& dialogs,
                                       QWidget* parent)
    : QWidget(parent) {
    const BandPresentation& views = session.Presentation();
    setObjectName("frmInstructions");
    setWindowTitle(tr("Turning Instructions"));
    setAccessibleName(windowTitle());

    model_ = new InstructionTableModel(views, this);
    table_ = new InstructionTableView(this);
    table_->setObjectName("grdInstructions");
    table_->setAccessibleName(tr("Turning instructions"));
    table_->setItemDelegate(new InstructionCellDelegate(table_));
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // fixed sections keep a view of 10,000 picks by 200 cards quick
    for (QHeaderView* header : {table_->horizontalHeader(), table_->verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMinimumSectionSize(TwipsToPixels(kColumnWidthTwips));
    }
    table_->horizontalHeader()->setDefaultSectionSize(TwipsToPixels(kColumnWidthTwips));
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    // a cell too narrow for "F *" is cut at its edge, as a grid does, not shortened to "..."
    table_->setTextElideMode(Qt::ElideNone);

    twist_ = new QTableView(this);
    twist_->setObjectName("grdTwist");
    twist_->setAccessibleName(tr("Net twist"));
    auto* twistModel = new NetTwistModel(views, this);
    twist_->setModel(twistModel);
    twist_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    twist_->setSelectionMode(QAbstractItemView::NoSelection);
    twist_->horizontalHeader()->hide();
    twist_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    twist_->horizontalHeader()->setMinimumSectionSize(TwipsToPixels(kColumnWidthTwips));
    twist_->horizontalHeader()->setDefaultSectionSize(TwipsToPixels(kColumnWidthTwips));
    twist_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    twist_->verticalHeader()->setDefaultSectionSize(table_->verticalHeader()->defaultSectionSize());
    twist_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    twist_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    twist_->setFixedHeight(twist_->verticalHeader()->defaultSectionSize() +
                           2 * twist_->frameWidth());
    twist_->setTextElideMode(Qt::ElideNone);
    // narrower figures, so a twist of -12 fits a card's column
    QFont narrow = twist_->font();
    narrow.setStretch(QFont::Condensed);
    narrow.setPointSizeF(std::max(1.0, narrow.pointSizeF() - 1));
    twist_->setFont(narrow);
    twistModel->SetFont(narrow);
    connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged, twist_->horizontalScrollBar(),
            &QScrollBar::setValue);
    aligning_ = connect(table_->verticalHeader(), &QHeaderView::geometriesChanged, this,
                        &InstructionsWindow::AlignTwistRow);

    close_ = new QPushButton(tr("&Close"), this);
    close_->setObjectName("cmdClose");
    legend_ = new QLabel(tr("F = Forward, B = Backward, I = Idle, * = Vertical Twist"), this);
    legend_->setObjectName("lblLegend");

    close_->setMinimumSize(TwipsToPixels(form_twips::kCloseWidth), TwipsToPixels(form_twips::kButtonHeight));
    // the legend shows whole in any font: on two lines where one is too narrow for it
    legend_->setMinimumWidth(TwipsToPixels(form_twips::kLegendWidth));
    legend_->setWordWrap(true);

    // the grid fills the window but for a 200-twip border, with the twist row and the legend
    // below it
    auto* window = new QVBoxLayout(this);
    const int border = TwipsToPixels(form_twips::kInstructionsBorder);
    window->setContentsMargins(border, border, border, border / 2);
    window->setSpacing(0);
    window->addWidget(table_, 1);
    // the twist row stops where the grid's vertical scroll bar begins
    auto* twistRow = new QHBoxLayout;
    twistRow->setSpacing(0);
    twistRow->addWidget(twist_, 1);
    besideTwist_ = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    twistRow->addItem(besideTwist_);
    window->addLayout(twistRow);
    auto* below = new QHBoxLayout;
    below->setContentsMargins(0, TwipsToPixels(form_twips::kAboveClose), 0, 0);
    below->addWidget(close_);
    below->addSpacing(TwipsToPixels(form_twips::kCloseToLegend));
    below->addWidget(legend_, 1);
    window->addLayout(below);
    resize(QSize(TwipsToPixels(form_twips::kInstructionsWidth), TwipsToPixels(form_twips::kInstructionsHeight))
               .expandedTo(minimumSizeHint()));

    connect(close_, &QPushButton::clicked, this, [this] { emit closeRequested(); });
    editor_ = new PickEditor(session, dialogs, table_);
    connect(&views, &BandPresentation::instructionsChanged, model_, &InstructionTableModel::Reload);
    // the pick the weaver is at, marked and scrolled to
    LoomState& loom = session.Loom();
    const auto follow = [this, &loom] {
        if (!loom.Following()) {
            model_->SetMarkedPick(std::nullopt);
            return;
        }
        const int pick = loom.Position().BandPick();
        model_->SetMarkedPick(pick);
        if (pick >= 1 && pick <= model_->rowCount())
            table_->scrollTo(model_->index(pick - 1, 0), QAbstractItemView::PositionAtCenter);
    };
    connect(&loom, &LoomState::pickChanged, this, follow);
    connect(&loom, &LoomState::followingChanged, this, follow);
    connect(&views, &BandPresentation::instructionsChanged, this, follow);

    // the view's corner button draws an empty section; it shows the grid's own corner cell
    corner_ = table_->findChild<QAbstractButton*>();
    if (corner_ != nullptr) corner_->installEventFilter(this);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (corner_ != nullptr) corner_->update();
    });
}

InstructionsWindow::~InstructionsWindow() {
    // the layout and its spacer go before the grid, whose header still reports changes
    disconnect(aligning_);
}

bool InstructionsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        PaintCorner(corner_);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void InstructionsWindow::PaintCorner(QWidget* corner) const {
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.rect = corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.textAlignment = Qt::AlignCenter;
    option.text = model_->CornerText();
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, option);
}

int InstructionsWindow::PreferredWidth() const {
    const int columns = table_->horizontalHeader()->length();
    const int chrome = RowHeaderWidth() + table_->verticalScrollBar()->sizeHint().width() +
                       2 * table_->frameWidth();
    const QMargins margins = layout()->contentsMargins();
    return std::max(columns + chrome,
                    layout()->minimumSize().width() - margins.left() - margins.right()) +
           margins.left() + margins.right();
}

int InstructionsWindow::RowHeaderWidth() const {
    // both row headers are as wide as the wider needs: the pick numbers or "Net twist"
    return std::max(table_->verticalHeader()->sizeHint().width(),
                    twist_->verticalHeader()->sizeHint().width());
}

void InstructionsWindow::AlignTwistRow() {
    const int header = RowHeaderWidth();
    table_->verticalHeader()->setFixedWidth(header);
    twist_->verticalHeader()->setFixedWidth(header);
    // the grid's vertical scroll bar takes room the twist row leaves empty
    if (besideTwist_ == nullptr) return;  // not laid out yet
    const QScrollBar* bar = table_->verticalScrollBar();
    const int beside = bar->isVisible() ? bar->width() : 0;
    if (besideTwist_->sizeHint().width() != beside) {
        besideTwist_->changeSize(beside, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
        layout()->invalidate();
    }
    twist_->horizontalScrollBar()->setValue(table_->horizontalScrollBar()->value());
}

void InstructionsWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    AlignTwistRow();
}

}  // namespace tessaly
