#include "PalettePanel.h"

#include <QAction>
#include <QBoxLayout>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>

#include "PaletteStrip.h"
#include "document/PatternSession.h"
#include "document/commands/PaletteCommands.h"
#include "engine/Palette.h"
#include "errors/ErrorReporter.h"
#include "render/ColorNames.h"
#include "widgets/MenuAction.h"
#include "widgets/UserDialogs.h"

namespace tessaly {

PalettePanel::PalettePanel(PatternSession& session, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), dialogs_(dialogs) {
    setObjectName("fraPalette");
    strip_ = new PaletteStrip;
    view_ = new QScrollArea(this);
    view_->setObjectName("prtPalette");
    view_->setAccessibleName(tr("Palette viewport"));
    view_->setFrameShape(QFrame::NoFrame);
    view_->setFocusPolicy(Qt::NoFocus);  // the strip inside takes the keyboard
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setWidget(strip_);
    // as wide as a row of swatches and the scroll bar; two rows of swatches at the least (a
    // few colours and Empty show without scrolling), and all of them when the window has room
    view_->setFixedWidth(strip_->width() + view_->verticalScrollBar()->sizeHint().width());
    view_->setMinimumHeight(2 * PaletteStrip::kCellPixels + 4);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(view_);

    change_ = NewMenuAction(this, "mnuChangeColor", tr("&Change Colour..."));
    add_ = NewMenuAction(this, "mnuAddColor", tr("&Add Colour..."));
    remove_ = NewMenuAction(this, "mnuRemoveColor", tr("&Remove Colour"));
    name_ = NewMenuAction(this, "mnuNameColor", tr("&Name Colour..."));

    connect(strip_, &PaletteStrip::leftChosen, this, &PalettePanel::leftChosen);
    connect(strip_, &PaletteStrip::rightChosen, this, &PalettePanel::rightChosen);
    connect(strip_, &PaletteStrip::changeRequested, this, &PalettePanel::changeColor);
    connect(strip_, &PaletteStrip::currentChanged, this, &PalettePanel::ShowCurrent);
    connect(change_, &QAction::triggered, this, [this] { changeColor(strip_->Current()); });
    connect(add_, &QAction::triggered, this, &PalettePanel::addColor);
    connect(remove_, &QAction::triggered, this, &PalettePanel::removeColor);
    connect(name_, &QAction::triggered, this, &PalettePanel::nameColor);
    const PatternDocument& document = session_.Document();
    connect(&document, &PatternDocument::threadingChanged, this, &PalettePanel::ShowPalette);
    connect(&document, &PatternDocument::extrasChanged, this, &PalettePanel::ShowPalette);
    ShowPalette();
}

QList<QAction*> PalettePanel::Actions() const { return {change_, add_, remove_, name_}; }

void PalettePanel::contextMenuEvent(QContextMenuEvent* event) {
    // the right button paints with R; the Menu key (or Shift+F10) opens the palette's menu
    if (event->reason() != QContextMenuEvent::Keyboard) return;
    QMenu menu(this);
    menu.addActions(Actions());
    menu.exec(strip_->mapToGlobal(strip_->GridCellRect(0, strip_->Current()).bottomLeft()));
}

void PalettePanel::ShowPalette() {
    const PatternDocument& document = session_.Document();
    strip_->SetColors(ShownPalette(document.Draft(), document.Extras()));
    ShowCurrent();
}

void PalettePanel::ShowCurrent() {
    const auto& colors = strip_->Colors();
    const int place = strip_->Current();
    const bool isColor = place < static_cast<int>(colors.size());
    // a colour the draft uses stays: its holes hold it
    const bool used = isColor && DraftUses(session_.Document().Draft(),
                                           colors[static_cast<std::size_t>(place)].color);
    change_->setEnabled(isColor);
    name_->setEnabled(isColor);
    remove_->setEnabled(isColor && !used);
}

void PalettePanel::changeColor(int place) {
    Trap("frmDesign", "picPalette_DblClick", [&] {
        const auto& colors = strip_->Colors();
        if (place < 0 || place >= static_cast<int>(colors.size())) return;
        const std::int32_t old = colors[static_cast<std::size_t>(place)].color;
        const auto chosen = dialogs_.ChooseColor(this, old);
        if (!chosen || *chosen == old) return;
        session_.Run<ChangeColor>(old, *chosen, place + 1);
        emit colorChanged(old, *chosen);
    });
}

void PalettePanel::addColor() {
    Trap("frmDesign", "mnuAddColor_Click", [&] {
        const PatternDocument& document = session_.Document();
        const auto chosen = dialogs_.ChooseColor(this, 0xFFFFFF);
        if (!chosen) return;
        session_.Run<EditExtras>(
            EditExtras::Kind::Palette,
            EditExtras::WithColorAdded(document.Extras(), document.Draft(), *chosen));
        const auto& colors = strip_->Colors();
        for (int place = 0; place < static_cast<int>(colors.size()); ++place)
            if (colors[static_cast<std::size_t>(place)].color == *chosen) strip_->SetCurrent(place);
    });
}

void PalettePanel::removeColor() {
    Trap("frmDesign", "mnuRemoveColor_Click", [&] {
        const auto& colors = strip_->Colors();
        const int place = strip_->Current();
        if (place >= static_cast<int>(colors.size()) || !remove_->isEnabled()) return;
        session_.Run<EditExtras>(
            EditExtras::Kind::Palette,
            EditExtras::WithColorRemoved(session_.Document().Extras(),
                                         colors[static_cast<std::size_t>(place)].color));
    });
}

void PalettePanel::nameColor() {
    Trap("frmDesign", "mnuNameColor_Click", [&] {
        const auto& colors = strip_->Colors();
        const int place = strip_->Current();
        if (place >= static_cast<int>(colors.size())) return;
        const PaletteColor entry = colors[static_cast<std::size_t>(place)];
        const auto typed = dialogs_.AskText(
            this, tr("Name Colour"), tr("Name of colour %1:").arg(place + 1), ColorName(entry));
        if (!typed) return;
        // a name is one line; the colour's usual name (or none) is no name of the weaver's
        QString name = typed->simplified();
        if (name == UsualColorName(entry.color)) name.clear();
        session_.Run<EditExtras>(EditExtras::Kind::Palette,
                                 EditExtras::WithColorNamed(session_.Document().Extras(),
                                                            entry.color, name.toStdString()));
    });
}

}  // namespace tessaly
