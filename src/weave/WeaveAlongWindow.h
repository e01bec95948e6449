#pragma once

#include <QKeySequence>
#include <QWidget>

class QCheckBox;
class QKeySequenceEdit;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tessaly {

class LoomCardStrip;
class LoomState;
class PatternSession;
class UserDialogs;

// "Weave Along": the pattern followed at the loom one pick at a time, read only. The pick
// about to be woven in large type, what to do with each card, the deck as it stands before
// the pick, and the twist the cards have taken up.
class WeaveAlongWindow : public QWidget {
    Q_OBJECT

  public:
    WeaveAlongWindow(PatternSession& session, UserDialogs& dialogs, QWidget* parent = nullptr);

    QLabel* PickLabel() const { return pick_; }
    QLabel* TurnsLabel() const { return turns_; }
    QLabel* TwistLabel() const { return twist_; }
    QLabel* MessageLabel() const { return message_; }
    LoomCardStrip* Strip() const { return strip_; }
    bool IsLarge() const { return large_; }

  public slots:
    void nextPick();
    void previousPick();
    void goToPick();
    void firstPick();
    void lastPick();
    // The large view: the window fills the screen in high contrast and large type.
    void setLarge(bool large);

  signals:
    void largeChanged(bool large);
    void closeRequested();

  protected:
    // Space, Return, Right, Page Down and the pedal's key: next pick; Backspace, Left, Page
    // Up: the one before; Home, End; Ctrl+G asks for a pick; Escape leaves the large view.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void BuildControls();
    // The pick shown again from the loom's position.
    void Refresh();
    void Say(const QString& message);
    void SetPedalKey(const QKeySequence& key);

    PatternSession& session_;
    LoomState& loom_;
    UserDialogs& dialogs_;
    QLabel* pick_ = nullptr;
    QLabel* turns_ = nullptr;
    QLabel* twist_ = nullptr;
    QLabel* message_ = nullptr;
    LoomCardStrip* strip_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* goTo_ = nullptr;
    QPushButton* largeButton_ = nullptr;
    QPushButton* close_ = nullptr;
    QSpinBox* limit_ = nullptr;
    QKeySequenceEdit* pedal_ = nullptr;
    QKeySequence pedalKey_;
    bool large_ = false;
};

}  // namespace tessaly
