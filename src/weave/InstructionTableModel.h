#pragma once

#include <QAbstractTableModel>
#include <optional>

namespace tessaly {

class BandPresentation;

// The turning instructions of the face shown as a table: a row per pick, a column per card,
// the card numbers and pick numbers as headers.
class InstructionTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit InstructionTableModel(const BandPresentation& views, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Above the pick numbers and left of the card numbers: the threading's pick, 0.
    QString CornerText() const;

    // The instructions changed from this pick on: picks added or taken off are inserted or
    // removed, changed picks said to have changed, so a view repaints what changed.
    void Reload(int firstChangedPick = 1);
    // The pick the weaver is at, marked in its row; nothing when no one follows the band.
    void SetMarkedPick(std::optional<int> pick);
    std::optional<int> MarkedPick() const { return marked_; }

  private:
    const BandPresentation& presentation_;
    // what the views were last told: a model answers with these until it says otherwise
    int rows_ = 0;
    int cols_ = 0;
    std::optional<int> marked_;
};

}  // namespace tessaly
