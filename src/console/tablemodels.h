#pragma once
// Table models over the core's online grid and player log. They hold no rows
// of their own: each cell is asked of the core when the view paints it, so a
// player log of a million records costs only the rows on screen.

#include <QAbstractTableModel>

namespace corvane {
class OnlineGrid;
class PlayerLog;
} // namespace corvane

namespace corvane::console {

class OnlineGridModel : public QAbstractTableModel {
public:
    explicit OnlineGridModel(OnlineGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The slot a row stands for.
    int slotAt(int row) const;

private:
    void gridChanged();

    OnlineGrid& m_grid;
    int m_rows = 0;
};

class PlayerLogModel : public QAbstractTableModel {
public:
    explicit PlayerLogModel(PlayerLog& log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    PlayerLog& m_log;
};

} // namespace corvane::console
