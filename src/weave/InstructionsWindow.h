#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QSpacerItem;
class QTableView;

namespace tessaly {

class InstructionTableModel;
class PatternSession;
class PickEditor;
class UserDialogs;

// "Turning Instructions": every pick's instruction for every card, with the legend; the
// instructions are where a band stored row by row is edited.
class InstructionsWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kColumnWidthTwips = 350;

    InstructionsWindow(PatternSession& session, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~InstructionsWindow() override;

    // The width that shows every card's column without scrolling.
    int PreferredWidth() const;

    QTableView* Table() const { return table_; }
    // Each card's net twist, under its column of the instructions.
    QTableView* TwistTable() const { return twist_; }
    InstructionTableModel* Model() const { return model_; }
    PickEditor* Editor() const { return editor_; }

  signals:
    void closeRequested();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The corner cell shows the grid's cell (0, 0), as every other header cell shows its own.
    void PaintCorner(QWidget* corner) const;
    // The twist row keeps the grid's column places: same header width, same scrolling.
    void AlignTwistRow();
    int RowHeaderWidth() const;

    InstructionTableModel* model_ = nullptr;
    PickEditor* editor_ = nullptr;
    QTableView* table_ = nullptr;
    QTableView* twist_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* legend_ = nullptr;
    QWidget* corner_ = nullptr;
    QSpacerItem* besideTwist_ = nullptr;
    QMetaObject::Connection aligning_;
};

}  // namespace tessaly
