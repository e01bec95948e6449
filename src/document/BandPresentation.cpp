#include "BandPresentation.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "PatternDocument.h"
#include "engine/Twist.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"

namespace tessaly {

BandPresentation::BandPresentation(PatternDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    // connected before any window, so every window finds the band drawn when it hears of it
    connect(&document_, &PatternDocument::bandReplaced, this, [this] { Draw(Pass::NewBand); });
    connect(&document_, &PatternDocument::bandRecoloured, this, [this] { Redraw(); });
    connect(&document_, &PatternDocument::rowAdded, this, [this](int row) {
        Draw(Pass::RowAdded);
        AddRowTwist(row, 1);
    });
    connect(&document_, &PatternDocument::rowAboutToBeRemoved, this,
            [this](int row) { AddRowTwist(row, -1); });
    connect(&document_, &PatternDocument::rowRemoved, this, [this] { Draw(Pass::RowRemoved); });
    // an edit of the picks says what it did to the twist: the rows it wove again above it
    // keep their turns
    connect(&document_, &PatternDocument::rowsReplaced, this,
            [this](int first, const RowsChange& change) {
                std::vector<std::int32_t> twist = netTwist_;
                if (twist.size() < change.twist.size()) twist.resize(change.twist.size(), 0);
                for (std::size_t c = 0; c < change.twist.size(); ++c) twist[c] += change.twist[c];
                SetNetTwist(std::move(twist));
                DrawReplacedRows(first, change.cards);
            });
}

void BandPresentation::RegisterSurface(BandSurface* surface) {
    if (surface == nullptr || std::ranges::find(surfaces_, surface) != surfaces_.end()) return;
    surfaces_.push_back(surface);
    // a new view shows the band as it is, on its own canvas
    surface->PrepareCanvas(document_.CardCount(), geometry_);
    std::unique_ptr<Band> turned;
    ShownFace(turned).WeaveBand(&surface->SurfaceCanvas(), geometry_);
    surface->PassFinished(Pass::NewBand);
    emit instructionsChanged(1);
}

void BandPresentation::UnregisterSurface(BandSurface* surface) { std::erase(surfaces_, surface); }

void BandPresentation::SetBlockSize(std::int32_t blockSize) {
    // the margin moves with the block size and has 16 bits
    CheckedInt16(blockSize);
    if (blockSize < DrawingGeometry::kMinBlockSize)
        throw AppError(ErrorNumber::InvalidProcedureCall, "Block size below 1.");
    geometry_ = DrawingGeometry::AtBlockSize(blockSize);
    Redraw();
    emit zoomChanged(blockSize);
}

void BandPresentation::SetReversed(bool reversed) {
    if (reversed == reversed_) return;
    reversed_ = reversed;
    Redraw();
    emit reverseChanged(reversed_);
    emit twistChanged();
}

void BandPresentation::StartOver() {
    const bool wasReversed = std::exchange(reversed_, false);
    geometry_ = DrawingGeometry{};
    if (wasReversed) emit reverseChanged(false);
    emit zoomChanged(geometry_.BlockSize);
}

void BandPresentation::Redraw() {
    Draw(Pass::Redraw);
    emit bandRedrawn();
}

TurningInstructions BandPresentation::Instructions() const {
    return TurningInstructions(document_.CurrentBand(), reversed_);
}

void BandPresentation::ForEachCanvas(const std::function<void(Canvas&)>& draw) {
    for (BandSurface* surface : surfaces_) draw(surface->SurfaceCanvas());
}

void BandPresentation::Draw(Pass pass) {
    const Band& band = document_.CurrentBand();
    const bool wholeBand = pass == Pass::NewBand || pass == Pass::Redraw;
    if (wholeBand || (pass == Pass::RowRemoved && reversed_))
        for (BandSurface* surface : surfaces_)
            surface->PrepareCanvas(document_.CardCount(), geometry_);
    if (pass == Pass::RowAdded)
        DrawRowOnTop(band, band.Count());
    else if (pass == Pass::RowRemoved && !reversed_)
        DrawAfterRemoval(band);
    else
        DrawWholeBand();
    if (wholeBand) SetNetTwist(tessaly::NetTwist(band));
    for (BandSurface* surface : surfaces_) surface->PassFinished(pass);
    // a row added adds its own pick; a row taken off leaves the others as they were
    if (pass == Pass::RowAdded)
        emit instructionsChanged(band.Count());
    else if (pass == Pass::RowRemoved && !reversed_)
        emit instructionsChanged(band.Count() + 1);
    else
        emit instructionsChanged(1);
}

void BandPresentation::DrawRowOnTop(const Band& band, std::int32_t row) {
    if (row < 1 || row > band.Count()) return;
    if (!reversed_) {
        ForEachCanvas(
            [&](Canvas& canvas) { band.At(row).DrawNewRow(row, &canvas, geometry_); });
        return;
    }
    // the new row is compared with the row below it, so both show their other face
    Band turned;
    for (std::int32_t r = std::max(row - 1, 1); r <= row; ++r)
        turned.Add(Cards(band.At(r).Cards()), r);
    turned.TurnOver();
    const Row& top = turned.At(turned.Count());
    ForEachCanvas([&](Canvas& canvas) { top.DrawNewRow(row, &canvas, geometry_); });
}

void BandPresentation::DrawWholeBand() {
    std::unique_ptr<Band> turned;
    const Band& shown = ShownFace(turned);
    ForEachCanvas([&](Canvas& canvas) { shown.WeaveBand(&canvas, geometry_); });
}

const Band& BandPresentation::ShownFace(std::unique_ptr<Band>& turned) const {
    if (!reversed_) return document_.CurrentBand();
    turned = ShownBand();
    return *turned;
}

void BandPresentation::DrawAfterRemoval(const Band& band) {
    if (band.Count() == 0) return;
    const std::int32_t removed = band.Count() + 1;
    // taking a pick off redraws the picture: a top row drawn alone would leave the taken
    // pick showing wherever that row draws no block
    RedrawCanvasesShowing(removed);
}

void BandPresentation::RedrawCanvasesShowing(std::int32_t row,
                                             const std::vector<std::int32_t>& cards) {
    const Band& band = document_.CurrentBand();
    // a few cards changed: only their columns are drawn again, where the surface can
    std::optional<std::pair<int, int>> columns;
    if (!cards.empty()) {
        const auto [lowest, highest] = std::ranges::minmax(cards);
        const std::int64_t size = geometry_.BlockSize;
        columns = {static_cast<int>(geometry_.BandMargin + size * lowest),
                   static_cast<int>(geometry_.BandMargin + size * (highest + 1))};
    }
    for (BandSurface* surface : surfaces_) {
        Canvas& canvas = surface->SurfaceCanvas();
        // a row above the canvas's top limit draws nothing there, before or after a change
        // (on a long band that is every pick but the first few)
        if (!Row::Shows(row, canvas, geometry_)) continue;
        if (columns && surface->PrepareColumns(columns->first, columns->second)) {
            band.DrawPicture(canvas, geometry_);
            surface->EndColumns();
            continue;
        }
        surface->PrepareCanvas(document_.CardCount(), geometry_);
        band.DrawPicture(canvas, geometry_);
    }
}

void BandPresentation::DrawReplacedRows(std::int32_t first,
                                        const std::vector<std::int32_t>& cards) {
    if (reversed_) {
        // the other face of every row above may change with them: drawn whole
        Redraw();
        return;
    }
    RedrawCanvasesShowing(first, cards);
    for (BandSurface* surface : surfaces_) surface->PassFinished(Pass::Redraw);
    emit instructionsChanged(first);
    emit bandRedrawn();
}

void BandPresentation::SetNetTwist(std::vector<std::int32_t> twist) {
    if (twist == netTwist_) return;
    netTwist_ = std::move(twist);
    emit twistChanged();
}

void BandPresentation::AddRowTwist(std::int32_t row, int sign) {
    const Band& band = document_.CurrentBand();
    if (row < 2 || row > band.Count()) return;
    std::vector<std::int32_t> twist = netTwist_;
    AddPickTwist(twist, band.At(row).Cards(), sign);
    SetNetTwist(std::move(twist));
}

std::vector<std::int32_t> BandPresentation::ShownNetTwist() const {
    if (!reversed_) return netTwist_;
    // from the other face every card stands mirrored and every turn goes the other way
    std::vector<std::int32_t> shown(netTwist_.rbegin(), netTwist_.rend());
    for (std::int32_t& twist : shown) twist = -twist;
    return shown;
}

std::unique_ptr<Band> BandPresentation::ShownBand() const {
    auto shown = std::make_unique<Band>(document_.CurrentBand().Copy());
    if (reversed_) shown->TurnOver();
    return shown;
}

void BandPresentation::PaintBandBetween(Canvas& canvas, std::int32_t top, std::int32_t bottom) const {
    document_.CurrentBand().DrawPictureBetween(canvas, geometry_, top, bottom, reversed_);
}

}  // namespace tessaly
