#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <cstdint>
#include <vector>

namespace tessaly {

class BandPresentation;

// Each card's net twist as one table row, a column per card as the instructions have them.
// The largest twist either way is marked (bold, red) so the weaver sees which card to turn
// out first.
class NetTwistModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit NetTwistModel(const BandPresentation& views, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The face the view shows the figures in; the largest is that face in bold.
    void SetFont(const QFont& font);

    // "+3", "0", "-2"
    static QString TwistText(std::int32_t twist);
    // The largest net twist either way, to be marked; 0 when no card twisted more than another.
    static std::int32_t Largest(const std::vector<std::int32_t>& twist);

  private:
    void Reload();

    const BandPresentation& presentation_;
    QFont font_;
    std::vector<std::int32_t> twist_;  // as the face shown lists the cards
    std::int32_t largest_ = 0;
    int columns_ = 0;
};

}  // namespace tessaly
