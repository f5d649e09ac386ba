#include "console/mainwindow.h"

#include "app/app.h"
#include "console/advancedpage.h"
#include "console/logviewerwindow.h"
#include "console/messagespage.h"
#include "console/playerspage.h"
#include "console/restrictionspage.h"
#include "console/richtextview.h"
#include "console/setupdialog.h"
#include "console/statuspage.h"
#include "console/widgets.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane::console {

MainWindow::MainWindow(App& app) : m_app(app) {
    setObjectName("mainWindow");
    setWindowIcon(appIcon());
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("topTabs");
    m_tabs->addTab(new StatusPage(m_app), "Status");
    m_tabs->addTab(buildChatTab(), "Chat");
    m_tabs->addTab(new PlayersPage(m_app), "Players");
    m_tabs->addTab(new MessagesPage(m_app), "Messages");
    m_tabs->addTab(new RestrictionsPage(m_app), "Restrictions");
    m_tabs->addTab(new AdvancedPage(m_app), "Advanced");
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
    auto* view = new RichTextView(m_app.chatLog().view());
    view->setObjectName("chatView");
    layout->addWidget(view, 1);
    auto* row = new QHBoxLayout;
    auto* input = new QLineEdit;
    input->setObjectName("sayInput");
    auto* say = new QPushButton("Say");
    say->setObjectName("sayButton");
    auto* clear = new QPushButton("Clear Chat");
    clear->setObjectName("clearChat");
    row->addWidget(input, 1);
    row->addWidget(say);
    row->addSpacing(12);
    row->addWidget(clear);
    layout->addLayout(row);
    auto run = [this, input] {
        m_app.rcon().operatorSay(toGameText(input->text()));
        input->clear();
    };
    connect(say, &QPushButton::clicked, input, run);
    connect(input, &QLineEdit::returnPressed, input, run);
    connect(clear, &QPushButton::clicked, this,
            [this] { m_app.chatLog().clearChat(m_app.ports().prompts); });
    return page;
}

void MainWindow::buildMenus() {
    buildServerMenu();
    buildLogsMenu();
    buildHelpMenu();
}

void MainWindow::buildServerMenu() {
    QMenu* server = menuBar()->addMenu("Server");
    QAction* settings = server->addAction("Server Settings...");
    connect(settings, &QAction::triggered, this, [this] { openServerSettings(); });
    connect(server->addAction("Update Config"), &QAction::triggered, this,
            [this] { m_app.UpdateAllC(); });
    connect(server->addAction("Update Status"), &QAction::triggered, this,
            [this] { m_app.statusPoll().Command8_Click(); });
    QAction* resetMaps = server->addAction("Reset Maps");
    connect(resetMaps, &QAction::triggered, this,
            [this] { m_app.maps().rotation.SetDefaultRotation(); });
    QAction* reserved = server->addAction("Reserved Slot");
    connect(reserved, &QAction::triggered, this,
            [this] { m_app.commands().reserved.requestByOperator(); });
    connect(server->addAction("Advanced"), &QAction::triggered, this,
            [this] { m_app.openAdvancedFile(); });
    m_lockableActions << settings << resetMaps << reserved;
}

void MainWindow::buildLogsMenu() {
    QMenu* logs = menuBar()->addMenu("Logs");
    const std::pair<const char*, void (*)(LogViewerWindow&)> entries[] = {
        {"View Chat Log", [](LogViewerWindow& w) { w.load(&LogViewer::LoadR); }},
        {"View Chat Archive", [](LogViewerWindow& w) { w.load(&LogViewer::LoadA); }},
        {"View Server Log", [](LogViewerWindow& w) { w.load(&LogViewer::LoadS); }},
        {"View Console Log", [](LogViewerWindow& w) { w.load(&LogViewer::LoadC); }}};
    for (const auto& [caption, load] : entries)
        connect(logs->addAction(caption), &QAction::triggered, this,
                [this, load = load] { viewLog(load); });
    logs->addSeparator();
    connect(logs->addAction("Clear Server Log"), &QAction::triggered, this,
            [this] { m_app.activityLog().clearServerLog(m_app.ports().prompts); });
    m_lockableActions << logs->menuAction();
}

void MainWindow::buildHelpMenu() {
    QMenu* help = menuBar()->addMenu("Help");
    connect(help->addAction("About"), &QAction::triggered, this,
            [this] { showAbout(m_app, this); });
    const std::pair<const char*, WebPage> pages[] = {{"Beta Information...", WebPage::Beta},
                                                     {"Donate", WebPage::Donate}};
    for (const auto& [caption, page] : pages)
        connect(help->addAction(caption), &QAction::triggered, this,
                [this, page = page] { m_app.openWebPage(page); });
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

void MainWindow::viewLog(void (*load)(LogViewerWindow&)) {
    if (!m_viewer) m_viewer = new LogViewerWindow(m_app.logViewer(), this);
    load(*m_viewer);
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
    setWindowTitle(fromPlayerText(m_app.caption()));
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
