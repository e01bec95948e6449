#include "DisplayWindow.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "BandView.h"
#include "engine/Threading.h"
#include "errors/ErrorReporter.h"
#include "shell/PatternDocument.h"

namespace tessaly {

namespace {

// The hourglass while a pass over the band runs.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

DisplayWindow::DisplayWindow(PatternDocument& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      canvas_(BandCanvasWidth(0, document.State().Geometry()), kCanvasHeight),
      zoom_(document.State()) {
    setObjectName("frmDisplay");
    viewport_ = new QScrollArea(this);
    viewport_->setObjectName("prtBand");
    viewport_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view_ = new BandView(canvas_);
    viewport_->setWidget(view_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);  // the viewport sits 5 pixels inside the window
    layout->addWidget(viewport_);
    canvas_.SetRefreshHandler([this] { view_->update(); });
    connect(view_, &BandView::pressed, this, &DisplayWindow::ClickBand);
    FitCanvas();
    UpdateCaption();
}

void DisplayWindow::UpdateCaption() { setWindowTitle(tr("Display Band - %1").arg(zoom_.Ratio())); }

void DisplayWindow::SetZoomIn(std::int16_t zoom) {
    zoom_.SetIn(zoom);
    UpdateCaption();
}

void DisplayWindow::SetZoomOut(std::int16_t zoom) {
    zoom_.SetOut(zoom);
    UpdateCaption();
}

void DisplayWindow::ResetZoom() {
    zoom_.Reset();
    UpdateCaption();
    FitCanvas();
}

void DisplayWindow::FitCanvas() {
    Trap("frmDisplay", "Form_Load", [&] {
        const AppState& state = document_.State();
        const int width = BandCanvasWidth(document_.CardCount(), state.Geometry());
        canvas_.Resize(width, kCanvasHeight);
        view_->FitToCanvas();
        const int row = 2 * state.BlockSize;
        viewport_->verticalScrollBar()->setSingleStep(row);
        viewport_->verticalScrollBar()->setPageStep(10 * row);
        viewport_->verticalScrollBar()->setValue(viewport_->verticalScrollBar()->maximum());
    });
}

void DisplayWindow::Draw(const BandPass& pass) {
    BusyCursor busy;
    canvas_.Clear();
    FitCanvas();
    pass(canvas_, document_.Grid(), document_.State().Geometry());
    view_->update();
    document_.NotifyInstructionsChanged();
}

void DisplayWindow::RedrawBand() {
    Draw([this](tessaly::Canvas& canvas, InstructionGrid& grid, const DrawingGeometry& geometry) {
        document_.State().CurrentBand->WeaveBand(&canvas, &grid, geometry);
    });
}

void DisplayWindow::ClickBand(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        zoom_.StepIn(document_.CardCount());
    else if (button == Qt::RightButton)
        zoom_.StepOut();
    UpdateCaption();
    // the click's place is not used: the band zooms about its bottom left corner and the
    // scroll position stays where it was
    const int scroll = viewport_->verticalScrollBar()->value();
    RedrawBand();
    viewport_->verticalScrollBar()->setValue(scroll);
}

}  // namespace tessaly
