#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "CardEditor.h"
#include "DraftGrid.h"
#include "widgets/ColorSwatch.h"

class QCheckBox;
class QLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tessaly {

class ColumnViewport;
class PalettePanel;
class PatternDocument;
class PatternSession;
class UserDialogs;

// "Threading Design": the band's name, the number of cards, the default turning sequence and
// the draft, edited with the two paint colours; Apply makes the draft the band, Simple Weave
// weaves it with the sequence. Every change goes through the document.
class DesignWindow : public QWidget {
    Q_OBJECT

  public:
    DesignWindow(PatternSession& session, UserDialogs& dialogs, QWidget* parent = nullptr);

    // Asked before Apply replaces a woven band that has unsaved changes: saves the pattern,
    // true when it was saved.
    void SetSaveHandler(std::function<bool()> save) { save_ = std::move(save); }

    // Shown again after it was closed: the draft from the band, white paint colours.
    void Reload();

    DraftGrid* Grid() const { return grid_; }
    ColorSwatch* LeftColor() const { return leftColor_; }
    ColorSwatch* RightColor() const { return rightColor_; }
    // The cards chosen by their numbers and the Pattern menu's edits of them.
    CardEditor* CardEditing() const { return cardEditor_; }
    // The palette's colour edits, for the Pattern menu.
    QList<QAction*> PaletteActions() const;

  private slots:
    void applyDraft();
    void simpleWeave();
    void commitCardCount();
    void chooseLeftColor();
    void chooseRightColor();

  private:
    void BuildControls();
    // The band's name, the number of cards and the turning sequence, with their labels.
    QLayout* BuildFields();
    // The L, R and Empty paint colours, each under its letter.
    QLayout* BuildSwatches();
    // The draft and its row labels.
    QLayout* BuildDraft();
    // Apply, Replace Colors only and Simple Weave.
    QLayout* BuildButtons();
    void ConnectControls();
    void ConnectDocument();
    void ShowDraft();
    // The row labels "#", a letter for each hole and "T", level with the draft's rows.
    QWidget* BuildRowLabels();
    // The Holes box and the rows' letters as the draft's cards have them.
    void ShowHoles();
    // The Holes box was set: every card of the draft takes that many holes.
    void commitHoles(int holes);
    void UpdateSimpleWeave();
    // Before a command replaces a woven band with unsaved changes: offers to save it first.
    // False when the band must stay (the save was cancelled or failed).
    bool MayReplaceBand();
    void PressCell(DraftGrid::Cell cell, Qt::MouseButton button);
    void Paint(DraftGrid::Cell cell, Qt::MouseButton button, bool continuesStroke);
    // The hole, or every hole of the card on its number, painted with this colour.
    void PaintCellWith(DraftGrid::Cell cell, std::int32_t color, bool continuesStroke);
    void DragOver(DraftGrid::Cell cell, Qt::MouseButtons buttons);
    void PaintRow(int hole, Qt::MouseButton button);
    void ChooseColor(ColorSwatch* swatch);

    PatternSession& session_;
    const PatternDocument& document_;
    UserDialogs& dialogs_;
    std::function<bool()> save_;

    QLineEdit* bandName_ = nullptr;
    QLineEdit* cardNumber_ = nullptr;
    QLineEdit* turnSequence_ = nullptr;
    QSpinBox* holes_ = nullptr;
    std::array<QWidget*, kMaxHoles> holeLabels_{};
    ColorSwatch* leftColor_ = nullptr;
    ColorSwatch* rightColor_ = nullptr;
    ColorSwatch* emptyHole_ = nullptr;
    PalettePanel* palette_ = nullptr;
    CardEditor* cardEditor_ = nullptr;
    std::optional<int> pressPaintIndex_;  // the history before a press on a card's number  // "Empty": a click makes L, a right click R, no thread
    ColumnViewport* viewport_ = nullptr;
    DraftGrid* grid_ = nullptr;
    QPushButton* apply_ = nullptr;
    QCheckBox* replaceColors_ = nullptr;
    QPushButton* simpleWeave_ = nullptr;
};

}  // namespace tessaly
