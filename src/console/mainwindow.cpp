#include "console/mainwindow.h"

#include "app/app.h"
#include "console/richtextview.h"
#include "console/setupdialog.h"
#include "console/statuspage.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane::console {

MainWindow::MainWindow(App& app) : m_app(app) {
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(new StatusPage(m_app), "Status");
    m_tabs->addTab(buildChatTab(), "Chat");
    for (const char* caption : {"Players", "Messages", "Restrictions", "Advanced"})
        m_tabs->addTab(new QWidget, caption);
    setCentralWidget(m_tabs);
    buildMenus();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { topTabChanged(index); });
    m_connections += m_app.windowStateChanged.connect([this] { refreshWindowState(); });
    buildStatusBar();
    refreshWindowState();
    resize(1100, 760);
}

QWidget* MainWindow::buildChatTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new RichTextView(m_app.chatLog().view()));
    auto* clear = new QPushButton("Clear Chat");
    connect(clear, &QPushButton::clicked, this,
            [this] { m_app.chatLog().clearChat(m_app.ports().prompts); });
    layout->addWidget(clear);
    return page;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("File");
    connect(file->addAction("Update Config"), &QAction::triggered, this,
            [this] { m_app.UpdateAllC(); });
    connect(file->addAction("Clear Server Log"), &QAction::triggered, this,
            [this] { m_app.activityLog().clearServerLog(m_app.ports().prompts); });
    connect(file->addAction("Advanced"), &QAction::triggered, this,
            [this] { m_app.openAdvancedFile(); });
    for (const char* caption : {"Logs", "Server Settings...", "Reset Maps", "Reserved Slot"})
        m_lockableActions.append(file->addAction(caption));
    connect(m_lockableActions[1], &QAction::triggered, this, [this] { openServerSettings(); });
    file->addSeparator();
    connect(file->addAction("Exit"), &QAction::triggered, this, [this] { close(); });
    buildHelpMenu();
}

void MainWindow::buildHelpMenu() {
    QMenu* help = menuBar()->addMenu("Help");
    connect(help->addAction("About"), &QAction::triggered, this,
            [this] { showAbout(m_app, this); });
    QMenu* update = help->addMenu("Update");
    connect(update->addAction("Check for updates..."), &QAction::triggered, this,
            [this] { m_app.updateCheck().DoUpdateC(true); });
    QAction* automatic = update->addAction("Automatically Check");
    automatic->setCheckable(true);
    connect(update, &QMenu::aboutToShow, this,
            [this, automatic] { automatic->setChecked(m_app.settings().mod.AutoUpdateCheck); });
    connect(automatic, &QAction::triggered, this,
            [this] { m_app.settings().toggleAutoUpdateCheck(); });
}

void MainWindow::openServerSettings() {
    m_app.openSetup(false);
    SetupDialog wizard(m_app, this);
    wizard.exec();
}

void MainWindow::buildStatusBar() {
    for (int i = 0; i < 5; ++i) {
        m_panels[i] = new QLabel;
        statusBar()->addWidget(m_panels[i], i == 0 ? 1 : 2);
    }
    m_connections += m_app.statusTextsChanged.connect([this] {
        const StatusTexts& t = m_app.statusTexts();
        const std::string texts[5] = {t.players, t.currentMap, t.nextMap, t.refresh, t.uptime};
        for (int i = 0; i < 5; ++i)
            m_panels[i]->setText(fromGameText(texts[i]));
    });
}

void MainWindow::refreshWindowState() {
    setWindowTitle(fromGameText(m_app.caption()));
    for (QAction* action : m_lockableActions)
        action->setEnabled(m_app.menuItemsEnabled());
}

void MainWindow::topTabChanged(int index) {
    if (m_revertingTab) return;
    const TopTab shown = m_app.selectTopTab(static_cast<TopTab>(index));
    if (static_cast<int>(shown) != index) {
        m_revertingTab = true;
        m_tabs->setCurrentIndex(static_cast<int>(shown));
        m_revertingTab = false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing starts the orderly shutdown; the program ends a second later.
    event->ignore();
    m_app.ENDALL();
}

} // namespace corvane::console
