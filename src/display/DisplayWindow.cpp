#include "DisplayWindow.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "BandView.h"
#include "RulerStrip.h"
#include "WholeBandView.h"
#include "Zoom.h"
#include "document/PatternSession.h"
#include "errors/ErrorReporter.h"
#include "render/BandMarks.h"
#include "widgets/BusyCursor.h"

namespace tessaly {

namespace {

// The band's viewport, with room at its top and left for the rulers.
class RulerViewport : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    void SetRulerMargins(int left, int top) { setViewportMargins(left, top, 0, 0); }
};

}  // namespace

DisplayWindow::DisplayWindow(PatternSession& session, QWidget* parent)
    : QWidget(parent),
      session_(session),
      canvas_(Zoom::CanvasWidth(session.Document().CardCount(), session.Presentation().Geometry()),
              DrawingGeometry::kCanvasHeight) {
    setObjectName("frmDisplay");
    viewport_ = new RulerViewport(this);
    viewport_->setObjectName("prtBand");
    viewport_->setAccessibleName(tr("Band viewport"));
    viewport_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view_ = new BandView(canvas_);
    view_->setAccessibleName(tr("Band"));
    viewport_->setWidget(view_);
    // card numbers above the band and pick numbers at its left, in the viewport's margins
    static_cast<RulerViewport*>(viewport_)->SetRulerMargins(kPickRulerWidth, kCardRulerHeight);
    cardRuler_ = new RulerStrip(
        RulerStrip::Edge::Cards, [this] { return Scale(); }, *viewport_->horizontalScrollBar(),
        viewport_);
    pickRuler_ = new RulerStrip(
        RulerStrip::Edge::Picks, [this] { return Scale(); }, *viewport_->verticalScrollBar(),
        viewport_);
    viewport_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);  // the viewport sits 5 pixels inside the window
    layout->addWidget(viewport_);
    // the view paints again only what was drawn on
    canvas_.SetRefreshHandler([this] { view_->update(canvas_.TakeChanged()); });
    connect(view_, &BandView::pressed, this, &DisplayWindow::zoomByButton);
    const auto wheelZoom = [this](int steps, QPoint at) {
        Trap("frmDisplay", "picBand_MouseWheel", [&] {
            const std::int32_t size = session_.Presentation().Geometry().BlockSize;
            ZoomAbout(Zoom::Stepped(size, steps, session_.Document().CardCount()), at);
        });
    };
    connect(view_, &BandView::wheelZoomed, this, wheelZoom);
    // a new band shows its start (the bottom) until the weaver scrolls, also when the
    // viewport takes its size only after the band was drawn
    QScrollBar* bar = viewport_->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (showBandStart_) bar->setValue(maximum);
    });
    connect(bar, &QAbstractSlider::actionTriggered, this, [this] { showBandStart_ = false; });
    const PatternDocument& document = session_.Document();
    BandPresentation& views = session_.Presentation();
    connect(&views, &BandPresentation::zoomChanged, this, &DisplayWindow::UpdateCaption);

    // the whole band waits outside the viewport until asked for
    wholeView_ = new WholeBandView(document, views, this);
    wholeView_->hide();
    connect(wholeView_, &WholeBandView::pressed, this, &DisplayWindow::zoomByButton);
    connect(wholeView_, &WholeBandView::wheelZoomed, this, wheelZoom);
    connect(&document, &PatternDocument::rowAdded, this, [this] { RefitWholeBand(true); });
    connect(&document, &PatternDocument::rowRemoved, this, [this] { RefitWholeBand(true); });
    connect(&document, &PatternDocument::rowsReplaced, this, [this] { RefitWholeBand(false); });
    connect(&document, &PatternDocument::bandReplaced, this, [this] { RefitWholeBand(false); });
    // the fell line and the rulers follow every change of the band
    connect(&document, &PatternDocument::rowAdded, this, &DisplayWindow::MarkFell);
    connect(&document, &PatternDocument::rowRemoved, this, &DisplayWindow::MarkFell);
    connect(&document, &PatternDocument::rowsReplaced, this, &DisplayWindow::MarkFell);
    connect(&document, &PatternDocument::bandReplaced, this, &DisplayWindow::MarkFell);
    connect(&views, &BandPresentation::reverseChanged, this, &DisplayWindow::MarkFell);
    connect(&views, &BandPresentation::bandRedrawn, this, [this] {
        if (whole_) wholeView_->update();
    });
    // empty holes show the weft: a new weft colour draws the band again
    weft_ = document.Extras().weft.value_or(Card::kNoThread);
    canvas_.SetWeft(weft_);
    connect(&document, &PatternDocument::extrasChanged, this, [this] {
        const std::int32_t weft = session_.Document().Extras().weft.value_or(Card::kNoThread);
        if (weft == weft_) return;
        weft_ = weft;
        canvas_.SetWeft(weft);
        session_.Presentation().Redraw();
    });
    // while the weaver follows the band at the loom, both views mark the fell
    LoomState& loom = session_.Loom();
    connect(&loom, &LoomState::pickChanged, this, &DisplayWindow::MarkFell);
    connect(&loom, &LoomState::followingChanged, this, &DisplayWindow::MarkFell);
    connect(&views, &BandPresentation::zoomChanged, this, &DisplayWindow::MarkFell);
    connect(&views, &BandPresentation::bandRedrawn, this, &DisplayWindow::MarkFell);
    UpdateCaption();
    views.RegisterSurface(this);
}

DisplayWindow::~DisplayWindow() {
    session_.Presentation().UnregisterSurface(this);
    // the view not shown is the window's to delete
    if (whole_)
        delete view_;
    else
        delete wholeView_;
}

void DisplayWindow::SetWholeBand(bool whole) {
    if (whole == whole_) return;
    whole_ = whole;
    // the whole band paints itself from the pattern: the canvas, out of sight, is not drawn
    // on until it shows again, and is then drawn afresh
    if (whole)
        session_.Presentation().UnregisterSurface(this);
    else
        session_.Presentation().RegisterSurface(this);
    QWidget* shown = viewport_->takeWidget();
    shown->hide();
    shown->setParent(this);
    viewport_->setWidget(whole ? static_cast<QWidget*>(wholeView_) : view_);
    (whole ? static_cast<QWidget*>(wholeView_) : view_)->show();
    showBandStart_ = true;
    if (whole) RefitWholeBand(false);
    MarkFell();
    QScrollBar* bar = viewport_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void DisplayWindow::RefitWholeBand(bool followNewest) {
    if (!whole_) return;
    // following the weaving, the view leaves the band's start
    if (followNewest) showBandStart_ = false;
    wholeView_->FitToBand();
    SetScrollSteps();
    MarkFell();  // the whole band's height changed
    if (followNewest) {
        const QRect newest = wholeView_->NewestPickRect();
        viewport_->ensureVisible(newest.center().x(), newest.center().y(), 0, newest.height() / 2);
    } else {
        showBandStart_ = true;
        viewport_->verticalScrollBar()->setValue(viewport_->verticalScrollBar()->maximum());
    }
}

void DisplayWindow::UpdateCaption() {
    const QString caption =
        tr("Display Band - %1").arg(Zoom::Ratio(session_.Presentation().Geometry().BlockSize));
    setWindowTitle(caption);
    setAccessibleName(caption);
}

void DisplayWindow::SetScrollSteps() {
    const int row = 2 * session_.Presentation().Geometry().BlockSize;
    viewport_->verticalScrollBar()->setSingleStep(row);
    viewport_->verticalScrollBar()->setPageStep(10 * row);
}

std::int64_t DisplayWindow::WovenRows() const {
    // the woven picks are the rows up to the current pick's: the threading row and one
    // row for each pick before it
    LoomState& loom = session_.Loom();
    return loom.Following() ? loom.Position().BandPick()
                            : std::int64_t{session_.Document().CurrentBand().Count()} + 1;
}

QWidget* DisplayWindow::ShownView() const {
    return whole_ ? static_cast<QWidget*>(wholeView_) : view_;
}

void DisplayWindow::ZoomAbout(std::int32_t blockSize, QPoint anchor) {
    BandPresentation& views = session_.Presentation();
    const std::int32_t old = views.Geometry().BlockSize;
    if (blockSize == old || blockSize < DrawingGeometry::kMinBlockSize) return;
    BusyCursor busy;
    QWidget* view = ShownView();
    const QPoint inViewport = view->mapTo(viewport_->viewport(), anchor);
    // across, everything grows with the block size; up and down, from the band's foot
    const double ratio = static_cast<double>(blockSize) / old;
    const double fromFoot = view->height() - anchor.y();
    views.SetBlockSize(blockSize);
    if (whole_) wholeView_->FitToBand();
    SetScrollSteps();
    showBandStart_ = false;
    view = ShownView();
    viewport_->horizontalScrollBar()->setValue(static_cast<int>(std::lround(anchor.x() * ratio)) -
                                               inViewport.x());
    viewport_->verticalScrollBar()->setValue(
        static_cast<int>(std::lround(view->height() - fromFoot * ratio)) - inViewport.y());
}

void DisplayWindow::ZoomAboutCurrentPick(std::int32_t blockSize) {
    Trap("frmDisplay", "Zoom", [&] {
        const QWidget* view = ShownView();
        const std::int64_t size = session_.Presentation().Geometry().BlockSize;
        const int pickY = static_cast<int>(
            std::clamp<std::int64_t>(view->height() - 2 * size * WovenRows(), 0, view->height()));
        const int middleX =
            view->mapFrom(viewport_->viewport(), viewport_->viewport()->rect().center()).x();
        ZoomAbout(blockSize, QPoint(std::clamp(middleX, 0, std::max(view->width() - 1, 0)), pickY));
    });
}

void DisplayWindow::ZoomInStep() {
    const std::int32_t size = session_.Presentation().Geometry().BlockSize;
    ZoomAboutCurrentPick(Zoom::Stepped(size, 1, session_.Document().CardCount()));
}

void DisplayWindow::ZoomOutStep() {
    const std::int32_t size = session_.Presentation().Geometry().BlockSize;
    ZoomAboutCurrentPick(Zoom::Stepped(size, -1, session_.Document().CardCount()));
}

void DisplayWindow::ZoomActualSize() { ZoomAboutCurrentPick(DrawingGeometry::kStartBlockSize); }

void DisplayWindow::FitWidth() {
    ZoomAboutCurrentPick(
        Zoom::FitWidth(session_.Document().CardCount(), viewport_->viewport()->width()));
}

void DisplayWindow::FitBand() {
    Trap("frmDisplay", "FitBand", [&] {
        const QSize area = viewport_->viewport()->size();
        ZoomAbout(
            Zoom::FitBand(session_.Document().CardCount(),
                          session_.Document().CurrentBand().Count(), area.width(), area.height()),
            {});
        // the whole band stands at the foot of the view
        showBandStart_ = true;
        viewport_->horizontalScrollBar()->setValue(0);
        viewport_->verticalScrollBar()->setValue(viewport_->verticalScrollBar()->maximum());
    });
}

RulerScale DisplayWindow::Scale() const {
    const Band& band = session_.Document().CurrentBand();
    LoomState& loom = session_.Loom();
    RulerScale scale;
    scale.blockSize = session_.Presentation().Geometry().BlockSize;
    scale.cards = band.Count() > 0 ? band.At(1).Cards().Count() : 0;
    scale.reversed = session_.Presentation().IsReversed();
    scale.pictureHeight = ShownView()->height();
    scale.picks = std::max(band.Count() - 1, 0);
    // the pick at the loom while the weaver follows the band, else the last one woven
    scale.currentPick = loom.Following() ? loom.Position().BandPick() : scale.picks;
    return scale;
}

bool DisplayWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && event->type() == QEvent::Resize) {
        // the rulers stand in the viewport's margins, level with what it shows
        const QRect shown = viewport_->viewport()->geometry();
        cardRuler_->setGeometry(shown.left(), shown.top() - kCardRulerHeight, shown.width(),
                                kCardRulerHeight);
        pickRuler_->setGeometry(shown.left() - kPickRulerWidth, shown.top(), kPickRulerWidth,
                                shown.height());
    }
    return QWidget::eventFilter(watched, event);
}

void DisplayWindow::MarkFell() {
    cardRuler_->update();
    pickRuler_->update();
    LoomState& loom = session_.Loom();
    if (!loom.Following()) {
        const std::int32_t size = session_.Presentation().Geometry().BlockSize;
        for (PressableView* view :
             {static_cast<PressableView*>(view_), static_cast<PressableView*>(wholeView_)}) {
            view->SetFell(std::nullopt);
            view->SetFellLine(FellLineY(view->height(), size, WovenRows()));
        }
        return;
    }
    view_->SetFellLine(std::nullopt);
    wholeView_->SetFellLine(std::nullopt);
    const std::int64_t rows = WovenRows();
    const std::int64_t size = session_.Presentation().Geometry().BlockSize;
    const auto fellIn = [&](const QWidget* view) {
        return static_cast<int>(
            std::clamp<std::int64_t>(view->height() - 2 * size * rows, -1, view->height()));
    };
    view_->SetFell(fellIn(view_));
    wholeView_->SetFell(fellIn(wholeView_));
}

bool DisplayWindow::PrepareColumns(int left, int right) {
    canvas_.RestrictColumns(left, right);
    return true;
}

void DisplayWindow::EndColumns() { canvas_.Unrestrict(); }

void DisplayWindow::PrepareCanvas(std::int32_t cardCount, const DrawingGeometry& geometry) {
    canvas_.Clear();
    canvas_.Resize(Zoom::CanvasWidth(cardCount, geometry), DrawingGeometry::kCanvasHeight);
    view_->FitToCanvas();
}

void DisplayWindow::PassFinished(Pass pass) {
    SetScrollSteps();
    // a new band begins at the bottom of the canvas; the same band keeps its place in view
    if (pass == Pass::NewBand) {
        showBandStart_ = true;
        viewport_->verticalScrollBar()->setValue(viewport_->verticalScrollBar()->maximum());
    }
    view_->update(canvas_.TakeChanged());
}

void DisplayWindow::zoomByButton(Qt::MouseButton button) {
    Trap("frmDisplay", "picBand_MouseDown", [&] {
        BusyCursor busy;
        BandPresentation& views = session_.Presentation();
        const std::int32_t size = views.Geometry().BlockSize;
        std::optional<std::int32_t> zoomed = size;
        if (button == Qt::LeftButton) zoomed = Zoom::StepIn(size, session_.Document().CardCount());
        if (button == Qt::RightButton) zoomed = Zoom::StepOut(size);
        if (!zoomed) return;  // at the limit nothing changes
        // the click's place is not used: the band zooms about its bottom left corner and the
        // scroll position stays where it was; the whole band keeps the same picks in view
        QScrollBar* bar = viewport_->verticalScrollBar();
        const int scroll = bar->value();
        const double rowsBelow = static_cast<double>(bar->maximum() - scroll) / size;
        if (*zoomed == size)
            views.Redraw();
        else
            views.SetBlockSize(*zoomed);
        if (whole_) {
            wholeView_->FitToBand();
            bar->setValue(bar->maximum() - static_cast<int>(rowsBelow * *zoomed));
        } else {
            bar->setValue(scroll);
        }
    });
}

}  // namespace tessaly
