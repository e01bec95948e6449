#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

namespace tessaly {

class ColorSwatch;
class PatternSession;
class UserDialogs;

// "Yarn": the weft's colour (which empty holes show), the warp's length and take-up, kept
// with the pattern, and for each colour of the threading the threads it takes and the length
// of yarn they need.
class YarnWindow : public QWidget {
    Q_OBJECT

  public:
    YarnWindow(PatternSession& session, UserDialogs& dialogs, QWidget* parent = nullptr);

  private:
    void ShowYarn();
    void CommitWarp();
    void SetWeft(std::optional<std::int32_t> weft);

    PatternSession& session_;
    UserDialogs& dialogs_;
    ColorSwatch* weft_ = nullptr;
    QPushButton* noWeft_ = nullptr;
    QDoubleSpinBox* length_ = nullptr;
    QComboBox* unit_ = nullptr;
    QDoubleSpinBox* takeUp_ = nullptr;
    QTableWidget* table_ = nullptr;
    bool showing_ = false;  // the controls are being set from the pattern
};

}  // namespace tessaly
