#include "DisplayWindow.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "BandView.h"
#include "WholeBandView.h"
#include "Zoom.h"
#include "document/PatternSession.h"
#include "errors/ErrorReporter.h"
#include "widgets/BusyCursor.h"

namespace tessaly {

DisplayWindow::DisplayWindow(PatternSession& session, QWidget* parent)
    : QWidget(parent),
      session_(session),
      canvas_(Zoom::CanvasWidth(session.Document().CardCount(), session.Presentation().Geometry()),
              DrawingGeometry::kCanvasHeight) {
    setObjectName("frmDisplay");
    viewport_ = new QScrollArea(this);
    viewport_->setObjectName("prtBand");
    viewport_->setAccessibleName(tr("Band viewport"));
    viewport_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view_ = new BandView(canvas_);
    view_->setAccessibleName(tr("Band"));
    viewport_->setWidget(view_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);  // the viewport sits 5 pixels inside the window
    layout->addWidget(viewport_);
    // the view paints again only what was drawn on
    canvas_.SetRefreshHandler([this] { view_->update(canvas_.TakeChanged()); });
    connect(view_, &BandView::pressed, this, &DisplayWindow::zoomByButton);
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
    connect(&document, &PatternDocument::rowAdded, this, [this] { RefitWholeBand(true); });
    connect(&document, &PatternDocument::rowRemoved, this, [this] { RefitWholeBand(true); });
    connect(&document, &PatternDocument::rowsReplaced, this, [this] { RefitWholeBand(false); });
    connect(&document, &PatternDocument::bandReplaced, this, [this] { RefitWholeBand(false); });
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
    QScrollBar* bar = viewport_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void DisplayWindow::RefitWholeBand(bool followNewest) {
    if (!whole_) return;
    // following the weaving, the view leaves the band's start
    if (followNewest) showBandStart_ = false;
    wholeView_->FitToBand();
    SetScrollSteps();
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

void DisplayWindow::MarkFell() {
    LoomState& loom = session_.Loom();
    if (!loom.Following()) {
        view_->SetFell(std::nullopt);
        wholeView_->SetFell(std::nullopt);
        return;
    }
    // the woven picks are the rows up to the current pick's: the threading row and one
    // row for each pick before it
    const std::int64_t rows = loom.Position().BandPick();
    const std::int64_t size = session_.Presentation().Geometry().BlockSize;
    const auto fellIn = [&](const QWidget* view) {
        return static_cast<int>(
            std::clamp<std::int64_t>(view->height() - 2 * size * rows, -1, view->height()));
    };
    view_->SetFell(fellIn(view_));
    wholeView_->SetFell(fellIn(wholeView_));
}

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
