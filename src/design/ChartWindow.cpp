#include "ChartWindow.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <array>

#include "ChartGrid.h"
#include "document/PatternSession.h"
#include "document/commands/ChartCommands.h"
#include "engine/ChartTurns.h"
#include "errors/ErrorReporter.h"
#include "model/Twips.h"
#include "patternfile/PeerPattern.h"
#include "render/RasterCanvas.h"
#include "widgets/FormTwips.h"
#include "widgets/GrowToLayout.h"

namespace tessaly {

namespace {

// The ways double-faced cards are threaded in pairs, as the Threading box lists them: the
// first card of each pair S (true) or Z, then the second.
constexpr std::array<std::array<bool, 2>, 4> kPairThreadings{
    {{false, true}, {true, false}, {true, true}, {false, false}}};

// The arrangement the band's cards follow, or -1 when they follow none.
int PairThreadingOf(const Band& band) {
    if (band.Count() < 1) return -1;
    const Cards& cards = band.At(1).Cards();
    for (std::size_t way = 0; way < kPairThreadings.size(); ++way) {
        bool follows = true;
        std::int32_t place = 0;
        for (const Card& card : cards)
            follows = follows && (card.Thread() == SThread) ==
                                     kPairThreadings[way][static_cast<std::size_t>(place++ % 2)];
        if (follows) return static_cast<int>(way);
    }
    return -1;
}

// Each card's foreground and background colours as its threading holds them: the first hole
// the chart's kind gives the foreground and the first it does not.
std::vector<std::pair<QColor, QColor>> CardColours(const Band& band, const TwoColourChart& chart) {
    std::vector<std::pair<QColor, QColor>> colours;
    if (band.Count() < 1) return colours;
    const PeerPattern peer = PeerFromBand(band, "");
    const std::vector<ChartCard> threading = ChartThreading(chart.weave, chart.Cards());
    const auto colourOf = [&](std::size_t hole, std::size_t card) {
        const std::int32_t index = hole < peer.holes.size() && card < peer.holes[hole].size()
                                       ? peer.holes[hole][card]
                                       : -1;
        return index < 0 ? QColor(Qt::white)
                         : RasterCanvas::ToQColor(peer.palette[static_cast<std::size_t>(index)]);
    };
    for (std::size_t c = 0; c < threading.size(); ++c) {
        const auto& holes = threading[c].foreground;
        const auto front =
            static_cast<std::size_t>(std::find(holes.begin(), holes.end(), true) - holes.begin());
        const auto back =
            static_cast<std::size_t>(std::find(holes.begin(), holes.end(), false) - holes.begin());
        colours.emplace_back(colourOf(front, c), colourOf(back, c));
    }
    return colours;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

ChartWindow::ChartWindow(PatternSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName("frmChart");
    setWindowTitle(tr("Chart"));
    setAccessibleName(windowTitle());

    kind_ = new QLabel(this);
    kind_->setObjectName("lblChartKind");
    threadedIn_ = new QLabel(tr("This band is threaded in: its turns are edited in the Turning "
                                "Instructions. File > New starts a double-faced or a 3/1 broken "
                                "twill band drawn as a chart."),
                             this);
    threadedIn_->setObjectName("lblThreadedIn");
    threadedIn_->setWordWrap(true);

    controls_ = new QWidget(this);
    cards_ = new QSpinBox(controls_);
    cards_->setObjectName("spnChartCards");
    cards_->setAccessibleName(tr("Cards"));
    cards_->setRange(1, kMostCards);
    cards_->setKeyboardTracking(false);
    rows_ = new QSpinBox(controls_);
    rows_->setObjectName("spnChartRows");
    rows_->setAccessibleName(tr("Rows"));
    rows_->setRange(1, 5000);
    rows_->setKeyboardTracking(false);
    rows_->setToolTip(tr("Rows of the chart, each two picks"));

    threading_ = new QComboBox(controls_);
    threading_->setObjectName("cboChartThreading");
    threading_->setAccessibleName(tr("Threading"));
    threading_->addItems(
        {tr("Z and S in pairs"), tr("S and Z in pairs"), tr("All S"), tr("All Z")});
    twillS_ = new QRadioButton(tr("&S"), controls_);
    twillS_->setObjectName("optTwillS");
    twillS_->setAccessibleName(tr("Background twill S"));
    twillZ_ = new QRadioButton(tr("&Z"), controls_);
    twillZ_->setObjectName("optTwillZ");
    twillZ_->setAccessibleName(tr("Background twill Z"));
    colourLayer_ = new QRadioButton(tr("C&olours"), controls_);
    colourLayer_->setObjectName("optLayerColours");
    colourLayer_->setAccessibleName(tr("Paint the colours"));
    floatLayer_ = new QRadioButton(tr("&Long floats"), controls_);
    floatLayer_->setObjectName("optLayerFloats");
    floatLayer_->setAccessibleName(tr("Mark the long floats"));
    auto* twillGroup = new QButtonGroup(this);
    twillGroup->addButton(twillS_);
    twillGroup->addButton(twillZ_);
    auto* layerGroup = new QButtonGroup(this);
    layerGroup->addButton(colourLayer_);
    layerGroup->addButton(floatLayer_);
    colourLayer_->setChecked(true);

    QPushButton* insert = Button(controls_, "cmdInsertChartRow", tr("&Insert Row"));
    QPushButton* remove = Button(controls_, "cmdDeleteChartRow", tr("&Delete Row"));
    QPushButton* mirrorAcross = Button(controls_, "cmdMirrorAcross", tr("Mirror &Across"));
    QPushButton* mirrorUpDown = Button(controls_, "cmdMirrorUpDown", tr("Mirror &Up-Down"));
    QPushButton* repeat = Button(controls_, "cmdRepeatChart", tr("&Repeat"));
    insert->setToolTip(tr("A row of background above the cursor's (Insert)"));
    remove->setToolTip(tr("The rows chosen taken out (Delete)"));
    mirrorAcross->setToolTip(tr("The block chosen mirrored left to right"));
    mirrorUpDown->setToolTip(tr("The block chosen mirrored top to bottom"));
    repeat->setToolTip(tr("The block chosen repeated over the whole chart"));
    convert_ = Button(this, "cmdConvertToThreadedIn", tr("Con&vert to Threaded-in"));
    convert_->setToolTip(tr("Keep the band but edit it by its instructions from now on"));

    grid_ = new ChartGrid;
    viewport_ = new QScrollArea(this);
    viewport_->setObjectName("vpChart");
    viewport_->setAccessibleName(tr("Chart"));
    viewport_->setWidget(grid_);
    viewport_->setWidgetResizable(false);
    viewport_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    // the layout: what the chart is, its size and twill, the edits, then the chart
    kind_->setWordWrap(true);
    auto* twill = new QHBoxLayout;
    twill->addWidget(twillS_);
    twill->addWidget(twillZ_);
    twill->addStretch(1);
    auto* layer = new QHBoxLayout;
    layer->addWidget(colourLayer_);
    layer->addWidget(floatLayer_);
    layer->addStretch(1);
    form_ = new QFormLayout;
    form_->addRow(tr("&Cards:"), cards_);
    form_->addRow(tr("Ro&ws:"), rows_);
    form_->addRow(tr("&Threading:"), threading_);
    form_->addRow(tr("Background twill:"), twill);
    form_->addRow(tr("Paint:"), layer);
    auto* edits = new QGridLayout;
    edits->addWidget(insert, 0, 0);
    edits->addWidget(remove, 0, 1);
    edits->addWidget(mirrorAcross, 1, 0);
    edits->addWidget(mirrorUpDown, 1, 1);
    edits->addWidget(repeat, 1, 2);
    edits->setColumnStretch(3, 1);
    auto* controls = new QVBoxLayout(controls_);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->addLayout(form_);
    controls->addLayout(edits);
    auto* layout = new QVBoxLayout(this);
    const int margin = TwipsToPixels(form_twips::kMargin);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(kind_);
    layout->addWidget(threadedIn_);
    layout->addWidget(controls_);
    auto* convertRow = new QHBoxLayout;
    convertRow->addWidget(convert_);
    convertRow->addStretch(1);
    layout->addLayout(convertRow);
    layout->addWidget(viewport_, 1);
    resize(TwipsToPixels(form_twips::kDisplayWidth), TwipsToPixels(form_twips::kDesignHeight));

    connect(grid_, &ChartGrid::stroked, this, &ChartWindow::Paint);
    connect(insert, &QPushButton::clicked, this, &ChartWindow::InsertRows);
    connect(remove, &QPushButton::clicked, this, &ChartWindow::DeleteRows);
    // Insert and Delete work on the rows while the chart has the keyboard
    connect(grid_, &ChartGrid::insertPressed, this, &ChartWindow::InsertRows);
    connect(grid_, &ChartGrid::deletePressed, this, &ChartWindow::DeleteRows);
    connect(mirrorAcross, &QPushButton::clicked, this, [this] {
        Edit("cmdMirrorAcross", tr("Mirror chart"),
             MirroredAcross(grid_->Chart(), grid_->Selection()));
    });
    connect(mirrorUpDown, &QPushButton::clicked, this, [this] {
        Edit("cmdMirrorUpDown", tr("Mirror chart"),
             MirroredUpDown(grid_->Chart(), grid_->Selection()));
    });
    connect(repeat, &QPushButton::clicked, this, [this] {
        Edit("cmdRepeatChart", tr("Repeat chart"), Repeated(grid_->Chart(), grid_->Selection()));
    });
    // any change counts, typed, stepped or set through the accessibility interface
    connect(cards_, &QSpinBox::valueChanged, this, [this](int cards) {
        if (showing_) return;
        const TwoColourChart& chart = grid_->Chart();
        Edit("spnChartCards", tr("Chart cards"), Resized(chart, cards, chart.Rows()));
    });
    connect(rows_, &QSpinBox::valueChanged, this, [this](int rows) {
        if (showing_) return;
        const TwoColourChart& chart = grid_->Chart();
        const int extra = chart.weave == ChartWeave::BrokenTwill ? 1 : 0;
        Edit("spnChartRows", tr("Chart rows"), Resized(chart, chart.Cards(), rows + extra));
    });
    connect(twillZ_, &QRadioButton::toggled, this, [this](bool z) {
        if (showing_) return;
        TwoColourChart chart = grid_->Chart();
        chart.twill = z ? TwillDirection::Z : TwillDirection::S;
        if (chart != grid_->Chart()) Edit("optTwillZ", tr("Background twill"), chart);
    });
    connect(floatLayer_, &QRadioButton::toggled, grid_, &ChartGrid::SetLongFloatLayer);
    connect(threading_, &QComboBox::currentIndexChanged, this, &ChartWindow::ThreadInPairs);
    connect(convert_, &QPushButton::clicked, this, &ChartWindow::ConvertToThreadedIn);

    const PatternDocument& document = session_.Document();
    for (auto signal : {&PatternDocument::patternLoaded, &PatternDocument::bandReplaced,
                        &PatternDocument::bandRecoloured, &PatternDocument::extrasChanged,
                        &PatternDocument::threadingChanged})
        connect(&document, signal, this, &ChartWindow::ShowChart);
    ShowChart();
}

void ChartWindow::ShowChart() {
    const PatternDocument& document = session_.Document();
    const std::optional<TwoColourChart>& chart = document.Extras().chart;
    showing_ = true;
    threadedIn_->setVisible(!chart);
    controls_->setVisible(chart.has_value());
    viewport_->setVisible(chart.has_value());
    convert_->setVisible(chart.has_value());
    if (!chart) {
        kind_->setText(tr("Threaded-in band"));
        showing_ = false;
        GrowToLayout(*this);
        return;
    }
    const bool twill = chart->weave == ChartWeave::BrokenTwill;
    kind_->setText(twill ? tr("3/1 broken twill, drawn as a chart: two picks a row")
                         : tr("Double faced, drawn as a chart: two picks a row"));
    // the twill's rows only for broken twill
    form_->setRowVisible(threading_, !twill);
    form_->setRowVisible(3, twill);
    form_->setRowVisible(4, twill);
    threading_->setCurrentIndex(twill ? -1 : PairThreadingOf(document.CurrentBand()));
    cards_->setValue(chart->Cards());
    rows_->setValue(chart->Rows() - (twill ? 1 : 0));
    (chart->twill == TwillDirection::Z ? twillZ_ : twillS_)->setChecked(true);
    if (!twill) colourLayer_->setChecked(true);
    grid_->SetChart(*chart, CardColours(document.CurrentBand(), *chart));
    grid_->SetLongFloatLayer(floatLayer_->isChecked());
    showing_ = false;
    GrowToLayout(*this);
}

void ChartWindow::Edit(const char* control, const QString& step, const TwoColourChart& chart) {
    Trap("frmChart", std::string(control) + "_Change", [&] {
        if (!session_.Document().Extras().chart || chart == *session_.Document().Extras().chart)
            return;
        session_.Run<EditChart>(step, chart);
    });
    // a refused change leaves the controls showing the pattern
    ShowChart();
}

void ChartWindow::Paint(const std::set<std::pair<std::int32_t, std::int32_t>>& cells, bool mark) {
    TwoColourChart chart = grid_->Chart();
    auto& layer = grid_->LongFloatLayer() ? chart.longFloats : chart.foreground;
    for (const auto& [row, card] : cells)
        if (row >= 0 && row < chart.Rows() && card >= 0 && card < chart.Cards())
            layer[static_cast<std::size_t>(row)][static_cast<std::size_t>(card)] = mark;
    Edit("grdChart", grid_->LongFloatLayer() ? tr("Mark long floats") : tr("Paint chart"), chart);
}

void ChartWindow::InsertRows() {
    const ChartArea chosen = grid_->Selection();
    Edit("cmdInsertChartRow", tr("Insert chart row"),
         WithRowsInserted(grid_->Chart(), chosen.lastRow + 1, 1));
}

void ChartWindow::DeleteRows() {
    const ChartArea chosen = grid_->Selection();
    Edit("cmdDeleteChartRow", tr("Delete chart row"),
         WithRowsDeleted(grid_->Chart(), chosen.firstRow, chosen.lastRow));
}

void ChartWindow::ThreadInPairs(int arrangement) {
    if (showing_ || arrangement < 0 || arrangement >= static_cast<int>(kPairThreadings.size()) ||
        arrangement == PairThreadingOf(session_.Document().CurrentBand()))
        return;
    Trap("frmChart", "cboChartThreading_Change", [&] {
        if (const auto& chart = session_.Document().Extras().chart)
            session_.Run<EditChart>(tr("Chart threading"), *chart,
                                    kPairThreadings[static_cast<std::size_t>(arrangement)]);
    });
    ShowChart();
}

void ChartWindow::ConvertToThreadedIn() {
    Trap("frmChart", "cmdConvertToThreadedIn_Click",
         [&] { session_.Run<tessaly::ConvertToThreadedIn>(); });
}

}  // namespace tessaly
