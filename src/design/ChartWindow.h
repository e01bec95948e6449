#pragma once

#include <QWidget>
#include <cstdint>
#include <set>
#include <utility>

#include "model/TwoColourChart.h"

class QButtonGroup;
class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;

namespace tessaly {

class ChartGrid;
class PatternSession;

// "Chart": the two-colour chart a double-faced or broken-twill band is drawn from. Painting
// it, putting rows in or taking them out, mirroring or repeating a block, changing its size
// or its twill weaves the band again, a step at a time; "Convert to Threaded-in" lets the
// band be edited by its instructions instead. For a threaded-in band it says how to start a
// chart.
class ChartWindow : public QWidget {
    Q_OBJECT

  public:
    explicit ChartWindow(PatternSession& session, QWidget* parent = nullptr);

    ChartGrid* Grid() const { return grid_; }

  private:
    void ShowChart();
    // Runs the chart's edit as one step named `step`, reported as the control `control` did it.
    void Edit(const char* control, const QString& step, const TwoColourChart& chart);
    void Paint(const std::set<std::pair<std::int32_t, std::int32_t>>& cells, bool mark);
    void InsertRows();
    void DeleteRows();
    void ConvertToThreadedIn();
    void ThreadInPairs(int arrangement);

    PatternSession& session_;
    QLabel* kind_ = nullptr;
    QLabel* threadedIn_ = nullptr;
    QWidget* controls_ = nullptr;
    QSpinBox* cards_ = nullptr;
    QSpinBox* rows_ = nullptr;
    QComboBox* threading_ = nullptr;  // double-faced cards' S and Z, in pairs
    QFormLayout* form_ = nullptr;
    QRadioButton* twillS_ = nullptr;
    QRadioButton* twillZ_ = nullptr;
    QRadioButton* colourLayer_ = nullptr;
    QRadioButton* floatLayer_ = nullptr;
    QPushButton* convert_ = nullptr;
    QScrollArea* viewport_ = nullptr;
    ChartGrid* grid_ = nullptr;
    bool showing_ = false;  // the controls are being set from the pattern
};

}  // namespace tessaly
