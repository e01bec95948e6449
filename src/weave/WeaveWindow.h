#pragma once

#include <QWidget>

#include "PackChoices.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace tessaly {

class CardPositionView;
class ColumnViewport;
class PackGrid;
class PatternDocument;
class PatternSession;

// "Weave Instructions": the weaving assistant. It shows the band's last pick as three packs
// of cards; the weaver moves cards between packs with a click, flips one over with a double
// click, turns each pack forward or backward, and weaves the next pick or takes the last one
// off. Return weaves and Backspace unweaves while the packs have the keyboard focus.
class WeaveWindow : public QWidget {
    Q_OBJECT

  public:
    explicit WeaveWindow(PatternSession& session, QWidget* parent = nullptr);

    // Built anew from the band's last pick, every pack turning forward: what the window
    // shows when it is opened.
    void Reload();

    const PackChoices& Choices() const { return choices_; }
    PackGrid* Grid() const { return grid_; }

  private slots:
    void weavePick();
    void unweavePick();

  private:
    void BuildControls();
    // Columns for the last pick's cards, showing that pick.
    void BuildWeaveGrid();
    void ShowChoices();
    // Where hole A of card 1 stands: a square card's corner checked, any other card drawn.
    void ShowCardPosition();
    // Each pack's F and B, level with its row of cards.
    QWidget* BuildPackDirections();

    PatternSession& session_;
    const PatternDocument& document_;
    PackChoices choices_;
    PackGrid* grid_ = nullptr;
    ColumnViewport* viewport_ = nullptr;
    QRadioButton* positions_[4] = {};           // a square card's corners
    CardPositionView* cardPosition_ = nullptr;  // any other card
    QRadioButton* turnButtons_[3][3] = {};  // per pack: forward, backward, idle
    QLabel* nextPick_ = nullptr;
    QPushButton* weave_ = nullptr;
    QPushButton* unweave_ = nullptr;
};

}  // namespace tessaly
