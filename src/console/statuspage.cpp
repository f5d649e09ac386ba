#include "console/statuspage.h"

#include "app/app.h"
#include "console/richtextview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

namespace corvane::console {

StatusPage::StatusPage(App& app, QWidget* parent) : QWidget(parent), m_app(app) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFacts());
    auto* split = new QSplitter(Qt::Vertical);
    auto* logBox = new QWidget;
    auto* logLayout = new QVBoxLayout(logBox);
    logLayout->setContentsMargins(0, 0, 0, 0);
    logLayout->addWidget(new QLabel("Server Log"));
    logLayout->addWidget(new RichTextView(m_app.activityLog().view()));
    split->addWidget(logBox);
    auto* lower = new QSplitter(Qt::Horizontal);
    lower->addWidget(buildConsole());
    lower->addWidget(buildQueue());
    lower->setStretchFactor(0, 3);
    split->addWidget(lower);
    layout->addWidget(split, 1);

    m_connections += m_app.statusTextsChanged.connect([this] { refreshFacts(); });
    m_connections += m_app.queue().changed.connect([this] { refreshQueue(); });
    refreshFacts();
    refreshQueue();
}

QWidget* StatusPage::buildFacts() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    m_serverName = new QLabel;
    m_playlist = new QLabel;
    m_admins = new QLabel;
    for (QLabel* label : {m_serverName, m_playlist, m_admins})
        row->addWidget(label);
    row->addStretch();
    return box;
}

QWidget* StatusPage::buildConsole() {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("Console"));
    m_console = new QPlainTextEdit;
    m_console->setReadOnly(true);
    m_console->setPlainText(fromGameText(m_app.consoleLog().viewText()));
    m_connections += m_app.consoleLog().viewAppended.connect([this](const std::string& entry) {
        m_console->moveCursor(QTextCursor::End);
        m_console->insertPlainText(fromGameText(entry));
        m_console->verticalScrollBar()->setValue(m_console->verticalScrollBar()->maximum());
    });
    m_connections += m_app.consoleLog().viewReset.connect(
        [this] { m_console->setPlainText(fromGameText(m_app.consoleLog().viewText())); });
    layout->addWidget(m_console, 1);

    auto addInput = [&](const char* caption, auto action) {
        auto* row = new QHBoxLayout;
        auto* edit = new QLineEdit;
        auto* button = new QPushButton(caption);
        row->addWidget(edit, 1);
        row->addWidget(button);
        layout->addLayout(row);
        auto run = [edit, action] {
            action(toGameText(edit->text()));
            edit->clear();
        };
        connect(button, &QPushButton::clicked, edit, run);
        connect(edit, &QLineEdit::returnPressed, edit, run);
    };
    addInput("Say", [this](const std::string& text) { m_app.rcon().operatorSay(text); });
    addInput("Send", [this](const std::string& text) { m_app.rcon().operatorCommand(text); });
    return box;
}

QWidget* StatusPage::buildQueue() {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("Queue"));
    m_queue = new QListWidget;
    layout->addWidget(m_queue, 1);
    auto* row = new QHBoxLayout;
    m_pause = new QPushButton(QString::fromStdString(m_app.rcon().pauseCaption()));
    connect(m_pause, &QPushButton::clicked, this, [this] {
        m_app.rcon().togglePause();
        m_pause->setText(QString::fromStdString(m_app.rcon().pauseCaption()));
    });
    auto* status = new QPushButton("STATUS");
    connect(status, &QPushButton::clicked, this, [this] { m_app.statusPoll().Command8_Click(); });
    row->addWidget(m_pause);
    row->addWidget(status);
    layout->addLayout(row);
    return box;
}

void StatusPage::refreshFacts() {
    const StatusTexts& t = m_app.statusTexts();
    m_serverName->setText(fromGameText(t.serverName));
    m_playlist->setText(fromGameText(t.playlist));
    m_admins->setText(fromGameText(t.admins));
}

void StatusPage::refreshQueue() {
    m_queue->clear();
    const RconQueue& q = m_app.queue();
    for (std::size_t i = 0; i < q.size(); ++i)
        m_queue->addItem(fromGameText(q.at(i).displayText()));
}

} // namespace corvane::console
