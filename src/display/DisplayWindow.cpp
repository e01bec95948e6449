#include "DisplayWindow.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "BandView.h"
#include "Zoom.h"
#include "document/BusyCursor.h"
#include "document/PatternDocument.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

namespace {

// Four margins and a block per card, kept to the widest canvas the zoom allows.
int CanvasWidth(std::int32_t cardCount, const DrawingGeometry& geometry) {
    const std::int64_t width =
        4 * std::int64_t{geometry.BandMargin} + std::int64_t{geometry.BlockSize} * cardCount;
    return static_cast<int>(std::clamp<std::int64_t>(width, 1, Zoom::kMaxCanvasWidth));
}

}  // namespace

DisplayWindow::DisplayWindow(PatternDocument& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      canvas_(CanvasWidth(document.CardCount(), document.Geometry()),
              PatternDocument::kCanvasHeight) {
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
    canvas_.SetRefreshHandler([this] { view_->update(); });
    connect(view_, &BandView::pressed, this, &DisplayWindow::picBand_MouseDown);
    // a new band shows its start (the bottom) until the weaver scrolls, also when the
    // viewport takes its size only after the band was drawn
    QScrollBar* bar = viewport_->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (showBandStart_) bar->setValue(maximum);
    });
    connect(bar, &QAbstractSlider::actionTriggered, this, [this] { showBandStart_ = false; });
    connect(&document_, &PatternDocument::zoomChanged, this, &DisplayWindow::UpdateCaption);
    UpdateCaption();
    document_.RegisterSurface(this);
}

DisplayWindow::~DisplayWindow() { document_.UnregisterSurface(this); }

void DisplayWindow::UpdateCaption() {
    const QString caption =
        tr("Display Band - %1").arg(Zoom::Ratio(document_.Geometry().BlockSize));
    setWindowTitle(caption);
    setAccessibleName(caption);
}

void DisplayWindow::SetScrollSteps() {
    const int row = 2 * document_.Geometry().BlockSize;
    viewport_->verticalScrollBar()->setSingleStep(row);
    viewport_->verticalScrollBar()->setPageStep(10 * row);
}

void DisplayWindow::PrepareCanvas(std::int32_t cardCount, const DrawingGeometry& geometry) {
    canvas_.Clear();
    canvas_.Resize(CanvasWidth(cardCount, geometry), PatternDocument::kCanvasHeight);
    view_->FitToCanvas();
}

void DisplayWindow::PassFinished(Pass pass) {
    SetScrollSteps();
    // a new band begins at the bottom of the canvas; the same band keeps its place in view
    if (pass == Pass::NewBand) {
        showBandStart_ = true;
        viewport_->verticalScrollBar()->setValue(viewport_->verticalScrollBar()->maximum());
    }
    view_->update();
}

void DisplayWindow::picBand_MouseDown(Qt::MouseButton button) {
    Trap("frmDisplay", "picBand_MouseDown", [&] {
        BusyCursor busy;
        const std::int32_t size = document_.Geometry().BlockSize;
        std::optional<std::int32_t> zoomed = size;
        if (button == Qt::LeftButton) zoomed = Zoom::StepIn(size, document_.CardCount());
        if (button == Qt::RightButton) zoomed = Zoom::StepOut(size);
        if (!zoomed) return;  // at the limit nothing changes
        // the click's place is not used: the band zooms about its bottom left corner and the
        // scroll position stays where it was
        const int scroll = viewport_->verticalScrollBar()->value();
        if (*zoomed == size)
            document_.Redraw();
        else
            document_.SetBlockSize(*zoomed);
        viewport_->verticalScrollBar()->setValue(scroll);
    });
}

}  // namespace tessaly
