#include "console/permissionspage.h"

#include "app/app.h"
#include "console/richtextview.h"
#include "console/widgets.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvane::console {
namespace {

QVBoxLayout* captioned(const char* caption, QWidget* widget) {
    auto* layout = new QVBoxLayout;
    layout->addWidget(new QLabel(caption));
    layout->addWidget(widget, 1);
    return layout;
}

QListWidget* commandList(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setMinimumWidth(150);
    return list;
}

std::string selectedText(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item ? toGameText(item->text()) : std::string();
}

} // namespace

PermissionsPage::PermissionsPage(App& app, QWidget* parent) : QWidget(parent), m_app(app) {
    auto* layout = new QVBoxLayout(this);
    auto* inner = new QHBoxLayout;
    inner->addWidget(buildGroups(), 3);
    inner->addWidget(buildLists(), 4);
    layout->addWidget(frame("Permissions", inner));
    keepConnected(this, m_app.players().editor.changed.connect([this] { refresh(); }));
    keepConnected(this, m_app.players().groups.changed.connect([this] { refresh(); }));
    refresh();
}

QWidget* PermissionsPage::buildGroups() {
    auto* box = new QWidget;
    m_groups = new QTableWidget(0, 2);
    m_groups->setObjectName("groupsGrid");
    m_groups->setHorizontalHeaderLabels({"Name", "Default"});
    m_groups->verticalHeader()->hide();
    m_groups->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_groups->setSelectionMode(QAbstractItemView::SingleSelection);
    m_groups->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_groups->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_groups->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_groups->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* layout = captioned("Groups", m_groups);
    auto* buttons = new QHBoxLayout;
    GroupEditor& editor = m_app.players().editor;
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"New", [&editor] { editor.newGroup(); }},
        {"Delete",
         [this, &editor] {
             if (const auto level = selectedLevel()) editor.deleteGroup(*level);
         }},
        {"Move Up",
         [this, &editor] {
             if (const auto level = selectedLevel()) editor.moveUp(*level);
         }},
        {"Move Down",
         [this, &editor] {
             if (const auto level = selectedLevel()) editor.moveDown(*level);
         }},
    };
    for (const auto& [caption, action] : actions) {
        auto* button = new QPushButton(caption);
        button->setObjectName(QString("group") + QString(caption).remove(' '));
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    // Flush with the command lists beside it.
    layout->setContentsMargins(0, 0, 0, 0);
    box->setLayout(layout);

    connect(m_groups, &QTableWidget::currentCellChanged, this, [this, &editor](int row) {
        if (!m_filling) editor.selectGroup(row >= 0 ? std::optional<int>(row + 1) : std::nullopt);
    });
    // A name typed into the grid renames the group; a refused name comes back.
    connect(m_groups, &QTableWidget::itemChanged, this, [this, &editor](QTableWidgetItem* item) {
        if (m_filling || item->column() != 0) return;
        if (!editor.renameGroupTo(item->row() + 1, toGameText(item->text()))) refresh();
    });
    connect(m_groups, &QWidget::customContextMenuRequested, this,
            [this, &editor](const QPoint& pos) {
                const QModelIndex index = m_groups->indexAt(pos);
                if (!index.isValid()) return;
                m_groups->selectRow(index.row());
                const int level = index.row() + 1;
                popUp(m_groups->viewport()->mapToGlobal(pos),
                      {{"Set Default Group", [&editor, level] { editor.changeDefault(level); }}});
            });
    return box;
}

QWidget* PermissionsPage::buildLists() {
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_commands = commandList("groupCommands");
    m_commands->setContextMenuPolicy(Qt::CustomContextMenu);
    m_master = commandList("masterCommands");
    auto* arrows = new QVBoxLayout;
    auto* grant = new QPushButton("<<<");
    grant->setObjectName("grantCommand");
    auto* revoke = new QPushButton(">>>");
    revoke->setObjectName("revokeCommand");
    arrows->addStretch();
    arrows->addWidget(grant);
    arrows->addWidget(revoke);
    arrows->addStretch();
    layout->addLayout(captioned("Commands", m_commands), 1);
    layout->addLayout(arrows);
    layout->addLayout(captioned("Master Command List", m_master), 1);

    GroupEditor& editor = m_app.players().editor;
    connect(grant, &QPushButton::clicked, this, [this, &editor] {
        if (const auto level = selectedLevel()) editor.addCommand(*level, selectedText(m_master));
    });
    connect(revoke, &QPushButton::clicked, this, [this, &editor] {
        if (const auto level = selectedLevel())
            editor.removeCommand(*level, selectedText(m_commands));
    });
    connect(m_commands, &QWidget::customContextMenuRequested, this,
            [this, &editor](const QPoint& pos) {
                const auto level = selectedLevel();
                if (!level) return;
                popUp(m_commands->viewport()->mapToGlobal(pos),
                      {{"Copy List", [&editor, l = *level] { editor.copyList(l); }},
                       {"Paste List", [&editor, l = *level] { editor.pasteList(l); }}});
            });
    return box;
}

std::optional<int> PermissionsPage::selectedLevel() const {
    return m_app.players().editor.selectedLevel();
}

void PermissionsPage::refresh() {
    m_filling = true;
    const GroupTable& table = m_app.players().groups.table;
    const int count = table.groupCount();
    m_groups->setRowCount(count);
    const QIcon mark = QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton);
    // The cells are updated in place: a rename typed into a cell ends here
    // while that cell's own change is still being reported.
    for (int row = 0; row < count; ++row) {
        for (int column = 0; column < 2; ++column)
            if (!m_groups->item(row, column)) m_groups->setItem(row, column, new QTableWidgetItem);
        m_groups->item(row, 0)->setText(
            fromPlayerText(table.GroupName[static_cast<std::size_t>(row + 1)]));
        QTableWidgetItem* isDefault = m_groups->item(row, 1);
        isDefault->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const bool marked = row + 1 == table.DefaultRank;
        isDefault->setData(Qt::UserRole, marked);
        isDefault->setIcon(marked ? mark : QIcon());
        isDefault->setToolTip(marked ? "The default group" : "");
    }
    const auto selected = selectedLevel();
    m_groups->setCurrentCell(selected ? *selected - 1 : -1, 0);
    m_master->clear();
    for (const std::string& word : m_app.players().editor.availableCommands())
        m_master->addItem(fromGameText(word));
    m_filling = false;
    refreshCommands();
}

void PermissionsPage::refreshCommands() {
    m_commands->clear();
    if (const auto level = selectedLevel())
        for (const std::string& word : m_app.players().editor.commandsOf(*level))
            m_commands->addItem(fromGameText(word));
}

void PermissionsPage::popUp(
    const QPoint& globalPos,
    std::initializer_list<std::pair<const char*, std::function<void()>>> entries) {
    delete m_menu;
    m_menu = new QMenu(this);
    m_menu->setObjectName("permissionsMenu");
    for (const auto& [caption, action] : entries)
        connect(m_menu->addAction(caption), &QAction::triggered, this, action);
    m_menu->popup(globalPos);
}

} // namespace corvane::console
