#pragma once

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QTableWidget;

namespace tessaly {

class PatternSession;

// "Yarn": the warp's length and take-up, kept with the pattern, and for each colour of the
// threading the threads it takes and the length of yarn they need.
class YarnWindow : public QWidget {
    Q_OBJECT

  public:
    explicit YarnWindow(PatternSession& session, QWidget* parent = nullptr);

  private:
    void ShowYarn();
    void CommitWarp();

    PatternSession& session_;
    QDoubleSpinBox* length_ = nullptr;
    QComboBox* unit_ = nullptr;
    QDoubleSpinBox* takeUp_ = nullptr;
    QTableWidget* table_ = nullptr;
    bool showing_ = false;  // the controls are being set from the pattern
};

}  // namespace tessaly
