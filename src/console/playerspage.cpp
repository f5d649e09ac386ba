#include "console/playerspage.h"

#include "app/app.h"
#include "console/admindialog.h"
#include "console/permissionspage.h"
#include "console/richtextview.h"
#include "console/tablemodels.h"
#include "console/widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace corvane::console {
namespace {

QTableView* gridView(QAbstractItemModel* model, const char* name) {
    auto* view = new QTableView;
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Rows of one height: the view never measures rows it does not show.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
    return view;
}

// The columns keep the widths stored with the mod settings; a width the
// operator drags is stored there too and saved with the next save.
template <std::size_t N>
void keepWidths(QTableView* view, Settings& settings, std::array<float, N> ModSettings::*widths) {
    const int columns = std::min(view->model()->columnCount(), static_cast<int>(N));
    auto apply = [view, &settings, widths, columns] {
        for (int column = 0; column + 1 < columns; ++column) {
            const float width = (settings.mod.*widths)[static_cast<std::size_t>(column)];
            if (width >= 10 && width <= 2000) view->setColumnWidth(column, static_cast<int>(width));
        }
    };
    apply();
    keepConnected(view, settings.modFileLoaded.connect(apply));
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionResized, view,
                     [&settings, widths, columns](int column, int, int width) {
                         if (column + 1 < columns)
                             (settings.mod.*widths)[static_cast<std::size_t>(column)] =
                                 static_cast<float>(width);
                     });
}

} // namespace

PlayersPage::PlayersPage(App& app, QWidget* parent) : QWidget(parent), m_app(app) {
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName("playersTabs");
    m_tabs->addTab(buildOnline(), "Online");
    m_tabs->addTab(buildPlayerLog(), "Player Log");
    m_tabs->addTab(new PermissionsPage(m_app), "Permissions");
    layout->addWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { subTabChanged(index); });
}

QWidget* PlayersPage::buildOnline() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    m_onlineCount = new QLabel;
    m_onlineCount->setObjectName("onlinePlayers");
    auto showCount = [this] {
        m_onlineCount->setText(fromGameText(m_app.statusTexts().onlinePlayers));
    };
    showCount();
    keepConnected(this, m_app.statusTextsChanged.connect(showCount));
    layout->addWidget(m_onlineCount);
    m_onlineModel = new OnlineGridModel(m_app.onlineGrid(), this);
    m_online = gridView(m_onlineModel, "onlineGrid");
    keepWidths(m_online, m_app.settings(), &ModSettings::OnlineColumnWidths);
    connect(m_online, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { onlineMenuRequested(pos); });
    layout->addWidget(m_online, 1);
    return page;
}

QWidget* PlayersPage::buildPlayerLog() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    PlayerLog& log = m_app.players().playerLog;
    m_logModel = new PlayerLogModel(log, this);
    m_log = gridView(m_logModel, "playerLog");
    keepWidths(m_log, m_app.settings(), &ModSettings::PlayerLogColumnWidths);
    m_log->horizontalHeader()->setSortIndicatorShown(true);
    m_log->horizontalHeader()->setSectionsClickable(true);
    connect(m_log->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [&log](int column) { log.sortByColumn(static_cast<PlayerColumn>(column)); });
    connect(m_log, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { playerLogMenuRequested(pos); });
    connect(m_log->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, &log](const QModelIndex& current) {
                if (m_resetting) return;
                log.select(current.isValid()
                               ? std::optional<std::size_t>(static_cast<std::size_t>(current.row()))
                               : std::nullopt);
            });
    connect(m_logModel, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_resetting = true; });
    connect(m_logModel, &QAbstractItemModel::modelReset, this, [this] {
        m_resetting = false;
        restoreSelection();
        showPlayerLogState();
    });
    layout->addWidget(m_log, 1);

    auto* row = new QHBoxLayout;
    m_filter = new QPushButton;
    m_filter->setObjectName("playerLogFilter");
    auto* refresh = new QPushButton("Refresh");
    refresh->setObjectName("playerLogRefresh");
    auto* remove = new QPushButton("Delete");
    remove->setObjectName("playerLogDelete");
    m_total = new QLabel;
    m_total->setObjectName("totalPlayers");
    auto* autoUpdate = new SwitchBox("Auto Update", m_app, Settings::Switch::AutoRefreshPlayers);
    autoUpdate->setObjectName("autoUpdate");
    for (QWidget* w : std::initializer_list<QWidget*>{m_filter, refresh, remove})
        row->addWidget(w);
    row->addSpacing(12);
    row->addWidget(m_total);
    row->addStretch();
    row->addWidget(autoUpdate);
    layout->addLayout(row);
    connect(m_filter, &QPushButton::clicked, this, [&log] { log.toggleFilter(); });
    connect(refresh, &QPushButton::clicked, this, [&log] { log.refresh(); });
    connect(remove, &QPushButton::clicked, this, [&log] { log.deleteSelected(); });
    showPlayerLogState();
    return page;
}

void PlayersPage::showPlayerLogState() {
    const PlayerLog& log = m_app.players().playerLog;
    m_filter->setText(QString::fromStdString(log.filterCaption()));
    m_total->setText(QString::fromStdString(log.totalText()));
    QHeaderView* header = m_log->horizontalHeader();
    if (log.order().sorted)
        header->setSortIndicator(static_cast<int>(log.order().column),
                                 log.order().descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    else
        header->setSortIndicator(-1, Qt::AscendingOrder);
}

// The record selected before a refill is selected again and shown.
void PlayersPage::restoreSelection() {
    const auto row = m_app.players().playerLog.selectedRow();
    if (!row) return;
    const QModelIndex index = m_logModel->index(static_cast<int>(*row), 0);
    m_log->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    m_log->scrollTo(index);
}

void PlayersPage::subTabChanged(int index) {
    if (index == 1) m_app.players().playerLog.refresh();
}

void PlayersPage::onlineMenuRequested(const QPoint& pos) {
    const QModelIndex index = m_online->indexAt(pos);
    if (!index.isValid()) return;
    m_online->selectRow(index.row());
    const int slot = m_onlineModel->slotAt(index.row());
    const auto menu = m_app.onlinePlayerMenu(slot);
    if (!menu) return;
    // Should the player leave while the menu is open, its entries do nothing
    // to whoever takes the slot.
    const std::string guid = m_app.slotTable()[slot].SlotGUID;
    auto samePlayer = [this, slot, guid] { return m_app.slotTable()[slot].SlotGUID == guid; };
    popUp(*menu, m_online->viewport()->mapToGlobal(pos),
          {[this, slot, samePlayer](int level) {
               if (samePlayer()) m_app.players().editor.setOnlinePlayerGroup(slot, level);
           },
           {},
           [this, slot, samePlayer](AdminActionKind kind) {
               if (samePlayer())
                   AdminDialog::open(m_app.adminActionOnSlot(kind, slot), m_app, window());
           }});
}

void PlayersPage::playerLogMenuRequested(const QPoint& pos) {
    const QModelIndex index = m_log->indexAt(pos);
    if (!index.isValid()) return;
    m_log->selectRow(index.row());
    const auto row = static_cast<std::size_t>(index.row());
    const auto menu = m_app.loggedPlayerMenu(row);
    if (!menu) return;
    // The log may refill while the menu is open: its entries act on the
    // record, wherever its row has gone.
    PlayerLog& log = m_app.players().playerLog;
    const PlayerRecord player = log.row(row).record;
    const std::int32_t id = player.ID;
    popUp(*menu, m_log->viewport()->mapToGlobal(pos),
          {[this, id, name = player.UserName](int level) {
               m_app.players().editor.setRecordGroup(id, name, level);
           },
           [&log, id] {
               log.selectRecord(id);
               log.deleteSelected();
           },
           [this, id](AdminActionKind kind) {
               AdminDialog::open(m_app.adminActionOnRecord(kind, id), m_app, window());
           }});
}

void PlayersPage::popUp(const PlayerMenu& menu, const QPoint& globalPos, MenuActions actions) {
    delete m_menu;
    m_menu = new QMenu(this);
    m_menu->setObjectName("playerMenu");
    QMenu* groups = m_menu->addMenu("Group");
    for (std::size_t level = 0; level < menu.groups.size(); ++level) {
        QAction* entry = groups->addAction(fromPlayerText(menu.groups[level]));
        entry->setCheckable(true);
        entry->setChecked(menu.checkedGroup == level);
        entry->setVisible(!menu.groups[level].empty());
        const int chosen = static_cast<int>(level);
        connect(entry, &QAction::triggered, this,
                [set = actions.setGroup, chosen] { set(chosen); });
    }
    QAction* remove = m_menu->addAction("Delete");
    remove->setVisible(menu.showDelete);
    if (actions.remove) connect(remove, &QAction::triggered, this, actions.remove);
    m_menu->addSeparator()->setVisible(menu.showSanctions);
    const std::pair<const char*, AdminActionKind> sanctions[] = {
        {"Warn", AdminActionKind::Warn},
        {"Kick", AdminActionKind::Kick},
        {"Tempban", AdminActionKind::TempBan},
        {"Ban", AdminActionKind::Ban}};
    for (const auto& [caption, kind] : sanctions) {
        QAction* action = m_menu->addAction(caption);
        action->setVisible(menu.showSanctions);
        connect(action, &QAction::triggered, this, [act = actions.act, k = kind] { act(k); });
    }
    m_menu->popup(globalPos);
}

} // namespace corvane::console
