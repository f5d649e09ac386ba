#include "console/mainwindow.h"

#include "app/app.h"
#include "console/richtextview.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane::console {

MainWindow::MainWindow(App& app) : m_app(app) {
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(buildStatusTab(), "Status");
    m_tabs->addTab(buildChatTab(), "Chat");
    for (const char* caption : {"Players", "Messages", "Restrictions", "Advanced"})
        m_tabs->addTab(new QWidget, caption);
    setCentralWidget(m_tabs);
    buildMenus();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { topTabChanged(index); });
    m_app.windowStateChanged.connect([this] { refreshWindowState(); });
    refreshWindowState();
    resize(1000, 700);
}

QWidget* MainWindow::buildStatusTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel("Server Log"));
    layout->addWidget(new RichTextView(m_app.activityLog().view()), 3);
    layout->addWidget(new QLabel("Console"));
    m_console = new QPlainTextEdit;
    m_console->setReadOnly(true);
    m_console->setPlainText(fromGameText(m_app.consoleLog().viewText()));
    m_app.consoleLog().viewAppended.connect([this](const std::string& entry) {
        m_console->moveCursor(QTextCursor::End);
        m_console->insertPlainText(fromGameText(entry));
        m_console->verticalScrollBar()->setValue(m_console->verticalScrollBar()->maximum());
    });
    m_app.consoleLog().viewReset.connect(
        [this] { m_console->setPlainText(fromGameText(m_app.consoleLog().viewText())); });
    layout->addWidget(m_console, 2);
    return page;
}

QWidget* MainWindow::buildChatTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new RichTextView(m_app.chatLog().view()));
    auto* clear = new QPushButton("Clear Chat");
    connect(clear, &QPushButton::clicked, this, [this] { m_app.chatLog().clearChat(m_app.ports().prompts); });
    layout->addWidget(clear);
    return page;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("File");
    connect(file->addAction("Update Config"), &QAction::triggered, this, [this] { m_app.UpdateAllC(); });
    connect(file->addAction("Clear Server Log"), &QAction::triggered, this,
            [this] { m_app.activityLog().clearServerLog(m_app.ports().prompts); });
    connect(file->addAction("Advanced"), &QAction::triggered, this, [this] { m_app.openAdvancedFile(); });
    for (const char* caption : {"Logs", "Server Settings...", "Reset Maps", "Reserved Slot"})
        m_lockableActions.append(file->addAction(caption));
    file->addSeparator();
    connect(file->addAction("Exit"), &QAction::triggered, this, [this] { close(); });
}

void MainWindow::refreshWindowState() {
    setWindowTitle(fromGameText(m_app.caption()));
    for (QAction* action : m_lockableActions) action->setEnabled(m_app.menuItemsEnabled());
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
