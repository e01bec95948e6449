#include "InstructionsWindow.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableView>

#include "InstructionTableModel.h"
#include "NetTwistModel.h"
#include "document/BandViews.h"
#include "errors/ErrorReporter.h"
#include "model/Twips.h"

namespace tessaly {

InstructionsWindow::InstructionsWindow(const BandViews& views, QWidget* parent)
    : QWidget(parent) {
    setObjectName("frmInstructions");
    setWindowTitle(tr("Turning Instructions"));
    setAccessibleName(windowTitle());

    model_ = new InstructionTableModel(views.Grid(), this);
    table_ = new QTableView(this);
    table_->setObjectName("grdInstructions");
    table_->setAccessibleName(tr("Turning instructions"));
    table_->setModel(model_);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
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
    connect(table_->verticalHeader(), &QHeaderView::geometriesChanged, this,
            &InstructionsWindow::AlignTwistRow);

    close_ = new QPushButton(tr("&Close"), this);
    close_->setObjectName("cmdClose");
    legend_ = new QLabel(tr("F = Forward, B = Backward, * = Vertical Twist"), this);
    legend_->setObjectName("Label1");

    table_->setGeometry(TwipsToPixels(200), TwipsToPixels(200), TwipsToPixels(6495),
                        TwipsToPixels(5295));
    close_->setGeometry(TwipsToPixels(240), TwipsToPixels(5520), TwipsToPixels(1095),
                        TwipsToPixels(375));
    // wide enough for the whole legend in the desktop's font
    legend_->setGeometry(TwipsToPixels(1560), TwipsToPixels(5640),
                         std::max(TwipsToPixels(3615), legend_->sizeHint().width()),
                         TwipsToPixels(375));
    resize(TwipsToPixels(6975), TwipsToPixels(6330));

    connect(close_, &QPushButton::clicked, this, [this] { emit closeRequested(); });
    connect(&views, &BandViews::instructionsChanged, model_,
            &InstructionTableModel::Reload);

    // the view's corner button draws an empty section; it shows the grid's own corner cell
    corner_ = table_->findChild<QAbstractButton*>();
    if (corner_ != nullptr) corner_->installEventFilter(this);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (corner_ != nullptr) corner_->update();
    });
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
    const int chrome = table_->verticalHeader()->sizeHint().width() +
                       table_->verticalScrollBar()->sizeHint().width() + 2 * table_->frameWidth();
    return std::max(table_->x() + columns + chrome + TwipsToPixels(200),
                    legend_->geometry().right() + TwipsToPixels(200));
}

void InstructionsWindow::AlignTwistRow() {
    // both row headers as wide as the wider needs: the pick numbers or "Net twist"
    const int header = std::max(table_->verticalHeader()->sizeHint().width(),
                                twist_->verticalHeader()->sizeHint().width());
    table_->verticalHeader()->setFixedWidth(header);
    twist_->verticalHeader()->setFixedWidth(header);
    // the grid's vertical scroll bar takes room the twist row leaves empty
    const QScrollBar* bar = table_->verticalScrollBar();
    twist_->resize(table_->width() - (bar->isVisible() ? bar->width() : 0), twist_->height());
    twist_->horizontalScrollBar()->setValue(table_->horizontalScrollBar()->value());
}

void InstructionsWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // the grid fills the window but for a 200-twip border, the twist row and the legend below
    const int border = TwipsToPixels(400);
    const int width = std::max(event->size().width() - border, 0);
    const int height =
        std::max(event->size().height() - border - legend_->height() - twist_->height(), 0);
    table_->resize(width, height);
    twist_->move(table_->x(), table_->y() + height);
    twist_->resize(width, twist_->height());
    AlignTwistRow();
    const int below = table_->y() + height + twist_->height();
    legend_->move(legend_->x(), below);
    close_->move(close_->x(), below + TwipsToPixels(100));
}

}  // namespace tessaly
