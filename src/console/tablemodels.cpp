#include "console/tablemodels.h"

#include "console/widgets.h"
#include "players/playerlog.h"
#include "rcon/onlinegrid.h"

#include <QColor>
#include <QFont>

namespace corvane::console {
namespace {

const char* const kOnlineColumns[] = {"Slot", "Username",   "Group",
                                      "GUID", "First Seen", "Last Seen"};
const char* const kPlayerLogColumns[] = {"ID",         "Username",  "Group", "GUID",
                                         "First Seen", "Last Seen", "Server"};

QVariant header(const char* const* captions, int count, int section, Qt::Orientation orientation,
                int role) {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= count)
        return {};
    return QString(captions[section]);
}

} // namespace

OnlineGridModel::OnlineGridModel(OnlineGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_rows(static_cast<int>(grid.rows().size())) {
    keepConnected(this, m_grid.changed.connect([this] { gridChanged(); }));
}

// A status poll refills the cells of the same rows: the view keeps its
// selection and scroll position unless the number of rows changed.
void OnlineGridModel::gridChanged() {
    const int rows = static_cast<int>(m_grid.rows().size());
    if (rows != m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        return;
    }
    if (rows > 0) Q_EMIT dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
}

int OnlineGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int OnlineGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 6;
}

int OnlineGridModel::slotAt(int row) const {
    const auto& rows = m_grid.rows();
    return row >= 0 && static_cast<std::size_t>(row) < rows.size()
               ? rows[static_cast<std::size_t>(row)].slot
               : 0;
}

QVariant OnlineGridModel::data(const QModelIndex& index, int role) const {
    const auto& rows = m_grid.rows();
    if (role != Qt::DisplayRole || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= rows.size())
        return {};
    const OnlineGridRow& row = rows[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case 0:
        return row.slot;
    case 1:
        return fromPlayerText(row.username);
    case 2:
        return fromPlayerText(row.group);
    case 3:
        return fromPlayerText(row.guid);
    case 4:
        return fromPlayerText(row.firstSeen);
    case 5:
        return fromPlayerText(row.lastSeen);
    default:
        return {};
    }
}

QVariant OnlineGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return header(kOnlineColumns, 6, section, orientation, role);
}

PlayerLogModel::PlayerLogModel(PlayerLog& log, QObject* parent)
    : QAbstractTableModel(parent), m_log(log) {
    keepConnected(this, m_log.changed.connect([this] {
        beginResetModel();
        endResetModel();
    }));
}

int PlayerLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0
                            : static_cast<int>(std::min<std::size_t>(m_log.rowCount(), INT_MAX));
}

int PlayerLogModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 7;
}

// Online players carry a green mark before their ID.
QVariant PlayerLogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role != Qt::DisplayRole && role != Qt::DecorationRole && role != Qt::ToolTipRole) return {};
    const PlayerLogRow row = m_log.row(static_cast<std::size_t>(index.row()));
    if (role == Qt::DecorationRole) // offline: an empty mark, so the IDs line up
        return index.column() == 0
                   ? QVariant(row.online ? QColor(30, 160, 60) : QColor(Qt::transparent))
                   : QVariant();
    if (role == Qt::ToolTipRole)
        return index.column() == 0 && row.online ? QVariant(QString("Online")) : QVariant();
    const PlayerRecord& r = row.record;
    switch (index.column()) {
    case 0:
        return r.ID == 0 ? QVariant() : QVariant(r.ID);
    case 1:
        return fromPlayerText(r.UserName);
    case 2:
        return fromPlayerText(r.Group);
    case 3:
        return fromPlayerText(r.guid);
    case 4:
        return fromPlayerText(r.FirstSeen);
    case 5:
        return fromPlayerText(r.lastseen);
    case 6:
        return fromPlayerText(r.server);
    default:
        return {};
    }
}

QVariant PlayerLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return header(kPlayerLogColumns, 7, section, orientation, role);
}

} // namespace corvane::console
