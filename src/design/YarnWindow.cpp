#include "YarnWindow.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "document/PatternSession.h"
#include "document/commands/PaletteCommands.h"
#include "engine/Yarn.h"
#include "errors/ErrorReporter.h"
#include "model/Twips.h"
#include "render/ColorNames.h"
#include "widgets/ColorSwatch.h"
#include "widgets/FormTwips.h"
#include "widgets/UserDialogs.h"

namespace tessaly {

YarnWindow::YarnWindow(PatternSession& session, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), dialogs_(dialogs) {
    setObjectName("frmYarn");
    setWindowTitle(tr("Yarn"));
    setAccessibleName(windowTitle());
    weft_ = new ColorSwatch(this);
    weft_->setObjectName("picWeftColor");
    weft_->setAccessibleName(tr("Weft colour"));
    weft_->setFixedSize(TwipsToPixels(form_twips::kSwatchWidth),
                        TwipsToPixels(form_twips::kSwatchWidth));
    noWeft_ = new QPushButton(tr("&No Weft Colour"), this);
    noWeft_->setObjectName("cmdNoWeft");
    length_ = new QDoubleSpinBox(this);
    length_->setObjectName("txtWarpLength");
    length_->setAccessibleName(tr("Warp length"));
    length_->setRange(0, 100000);
    length_->setDecimals(2);
    length_->setSpecialValueText(tr("not set"));
    unit_ = new QComboBox(this);
    unit_->setObjectName("cboWarpUnit");
    unit_->setAccessibleName(tr("Unit"));
    unit_->setEditable(true);
    unit_->addItems({"m", "cm", "yd", "in"});
    takeUp_ = new QDoubleSpinBox(this);
    takeUp_->setObjectName("txtTakeUp");
    takeUp_->setAccessibleName(tr("Take-up (%)"));
    takeUp_->setRange(0, 100);
    takeUp_->setDecimals(1);
    takeUp_->setValue(WarpLength{}.takeUpPercent);
    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName("grdYarn");
    table_->setAccessibleName(tr("Yarn per colour"));
    table_->setHorizontalHeaderLabels({tr("Colour"), tr("Threads"), tr("Length")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // every name and figure whole: the columns take their contents' width
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();

    auto* form = new QFormLayout(this);
    const int margin = TwipsToPixels(form_twips::kMargin);
    form->setContentsMargins(margin, margin, margin, margin);
    auto* weftRow = new QHBoxLayout;
    weftRow->addWidget(weft_);
    weftRow->addWidget(noWeft_);
    weftRow->addStretch(1);
    form->addRow(tr("Weft colour:"), weftRow);
    form->addRow(tr("&Warp length:"), length_);
    form->addRow(tr("&Unit:"), unit_);
    form->addRow(tr("&Take-up (%):"), takeUp_);
    form->addRow(table_);
    resize(TwipsToPixels(form_twips::kDisplayWidth), TwipsToPixels(form_twips::kDesignHeight));

    connect(weft_, &ColorSwatch::clicked, this, [this] {
        const std::int32_t current = weft_->Color() == Card::kNoThread ? 0xFFFFFF : weft_->Color();
        if (const auto chosen = dialogs_.ChooseColor(this, current)) SetWeft(*chosen);
    });
    connect(noWeft_, &QPushButton::clicked, this, [this] { SetWeft(std::nullopt); });
    // any change counts, typed or set through the accessibility interface
    connect(length_, &QDoubleSpinBox::valueChanged, this, &YarnWindow::CommitWarp);
    connect(takeUp_, &QDoubleSpinBox::valueChanged, this, &YarnWindow::CommitWarp);
    connect(unit_, &QComboBox::currentTextChanged, this, &YarnWindow::CommitWarp);
    const PatternDocument& document = session_.Document();
    connect(&document, &PatternDocument::extrasChanged, this, &YarnWindow::ShowYarn);
    connect(&document, &PatternDocument::threadingChanged, this, &YarnWindow::ShowYarn);
    ShowYarn();
}

void YarnWindow::CommitWarp() {
    if (showing_) return;
    Trap("frmYarn", "txtWarpLength_Change", [&] {
        PatternExtras extras = session_.Document().Extras();
        // no length: the pattern keeps no warp
        QString unit = unit_->currentText().simplified();
        if (unit.isEmpty()) unit = QStringLiteral("m");
        if (length_->value() <= 0)
            extras.warp.reset();
        else
            extras.warp = WarpLength{length_->value(), unit.toStdString(), takeUp_->value()};
        session_.Run<EditExtras>(EditExtras::Kind::Warp, std::move(extras));
    });
}

void YarnWindow::SetWeft(std::optional<std::int32_t> weft) {
    Trap("frmYarn", "picWeftColor_Click", [&] {
        PatternExtras extras = session_.Document().Extras();
        extras.weft = weft;
        session_.Run<EditExtras>(EditExtras::Kind::Weft, std::move(extras));
    });
}

void YarnWindow::ShowYarn() {
    showing_ = true;
    const PatternDocument& document = session_.Document();
    weft_->SetColor(document.Extras().weft.value_or(Card::kNoThread));
    noWeft_->setEnabled(document.Extras().weft.has_value());
    const std::optional<WarpLength>& warp = document.Extras().warp;
    length_->setValue(warp ? warp->length : 0);
    if (warp) {
        unit_->setCurrentText(QString::fromStdString(warp->unit));
        takeUp_->setValue(warp->takeUpPercent);
    }
    showing_ = false;
    const std::vector<YarnNeed> needs = YarnNeeds(document.Draft(), warp.value_or(WarpLength{}));
    table_->setRowCount(static_cast<int>(needs.size()));
    const QString unit = warp ? QString::fromStdString(warp->unit) : QString();
    for (int row = 0; row < static_cast<int>(needs.size()); ++row) {
        const YarnNeed& need = needs[static_cast<std::size_t>(row)];
        const std::string name = document.Extras().NameOf(need.color);
        table_->setItem(row, 0, new QTableWidgetItem(ColorName({need.color, name})));
        table_->setItem(row, 1, new QTableWidgetItem(QString::number(need.threads)));
        table_->setItem(row, 2,
                        new QTableWidgetItem(
                            warp ? QStringLiteral("%1 %2").arg(need.length, 0, 'f', 2).arg(unit)
                                 : QStringLiteral("\u2014")));
    }
}

}  // namespace tessaly
