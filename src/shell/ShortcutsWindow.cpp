#include "ShortcutsWindow.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tessaly {

namespace {

struct KeyRow {
    QString keys;
    QString command;
};

// "File > Save As": the menus' names without their accelerator marks.
QString Plain(QString text) { return text.remove(QLatin1Char('&')).remove(QStringLiteral("...")); }

void AddMenu(const QMenu& menu, const QString& path, std::vector<KeyRow>& rows) {
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) continue;
        const QString name = path + QStringLiteral(" > ") + Plain(action->text());
        if (action->menu() != nullptr) {
            AddMenu(*action->menu(), name, rows);
            continue;
        }
        QStringList keys;
        for (const QKeySequence& key : action->shortcuts())
            keys << key.toString(QKeySequence::NativeText);
        if (!keys.isEmpty()) rows.push_back({keys.join(QStringLiteral(", ")), name});
    }
}

// The keys the windows take where the keyboard is in them.
std::vector<KeyRow> WindowKeys() {
    const auto tr = [](const char* text) { return ShortcutsWindow::tr(text); };
    return {
        {tr("Arrows, Home, End"),
         tr("Threading Design, draft: move the cell cursor (with Ctrl, to the ends)")},
        {tr("Space / Shift+Space"),
         tr("Draft: paint the hole with L / R (on a card's number, the card; on T, turn S and Z)")},
        {tr("Delete"), tr("Draft: make the hole empty (on a card's number, all its holes)")},
        {tr("S / Z"), tr("Draft: thread the card S / Z")},
        {tr("A to H (Shift: R)"), tr("Draft: paint the hole's whole row with L")},
        {tr("Tab"), tr("Threading Design: L, R, Empty, the palette and the draft in turn")},
        {tr("Space / Shift+Space"), tr("L, R, Empty: choose the colour / take it as R")},
        {tr("Arrows, Space, Shift+Space, Return"),
         tr("Palette: choose a colour, take it as L, as R, change it")},
        {tr("Menu key"), tr("Palette: its menu (add, remove, name a colour)")},
        {tr("Left, Right, Home, End"), tr("Weave Instructions, packs: move the card cursor")},
        {tr("1, 2, 3"), tr("Packs: move the card to that pack")},
        {tr("Shift+F or *"), tr("Packs: flip the card over")},
        {tr("F, B, I"), tr("Packs: turn the card's pack forward, backward, or leave it idle")},
        {tr("Return / Backspace"), tr("Packs: weave the next pick / take the last one off")},
        {tr("Arrows, Home, End, Page Up, Page Down"),
         tr("Chart: move the cell cursor (with Ctrl, to the ends; with Shift, choose a block)")},
        {tr("Space / Shift+Space"), tr("Chart: paint the cell or block foreground / background")},
        {tr("Insert / Delete"),
         tr("Chart: put a row in above the cursor / take the rows chosen out")},
        {tr("Escape"), tr("Chart: drop the block chosen")},
        {tr("Ctrl+wheel"), tr("Display Band: zoom about the mouse")},
        {tr("Click / right click"), tr("Display Band: zoom in / out one step")},
    };
}

}  // namespace

ShortcutsWindow::ShortcutsWindow(const QMenuBar& menus, QWidget* parent) : QDialog(parent) {
    setObjectName("frmShortcuts");
    setWindowTitle(tr("Keyboard Shortcuts"));
    setAccessibleName(windowTitle());
    std::vector<KeyRow> rows;
    for (QAction* top : menus.actions())
        if (top->menu() != nullptr) AddMenu(*top->menu(), Plain(top->text()), rows);
    for (const KeyRow& row : WindowKeys()) rows.push_back(row);

    auto* table = new QTableWidget(static_cast<int>(rows.size()), 2, this);
    table->setObjectName("grdShortcuts");
    table->setAccessibleName(windowTitle());
    table->setHorizontalHeaderLabels({tr("Keys"), tr("Command")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(true);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        table->setItem(r, 0, new QTableWidgetItem(rows[static_cast<std::size_t>(r)].keys));
        table->setItem(r, 1, new QTableWidgetItem(rows[static_cast<std::size_t>(r)].command));
    }
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    // rows as tall as their wrapped text at the width the table has once shown
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(close);
    resize(640, 480);
}

}  // namespace tessaly
