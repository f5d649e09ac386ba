#include "console/statuspage.h"

#include "app/app.h"
#include "console/richtextview.h"
#include "console/widgets.h"

#include <QFontDatabase>
#include <QGroupBox>
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
    auto* activity = new RichTextView(m_app.activityLog().view());
    activity->setObjectName("activityView");
    logLayout->addWidget(activity);
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
    m_serverName->setObjectName("serverName");
    m_playlist = new QLabel;
    m_playlist->setObjectName("playlist");
    m_gametype = new QLabel;
    m_gametype->setObjectName("gametype");
    m_admins = new QLabel;
    m_admins->setObjectName("adminsOnline");
    for (QLabel* label : {m_serverName, m_playlist, m_gametype, m_admins}) {
        row->addWidget(label);
        row->addSpacing(24);
    }
    row->addStretch();
    return box;
}

QWidget* StatusPage::buildConsole() {
    auto* layout = new QVBoxLayout;
    m_console = new QPlainTextEdit;
    m_console->setObjectName("consoleView");
    m_console->setReadOnly(true);
    // The server's tables (teamstatus) line up only in a fixed-pitch font.
    m_console->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_console->setPlainText(fromGameText(m_app.consoleLog().viewText()));
    m_connections += m_app.consoleLog().viewAppended.connect([this](const std::string& entry) {
        m_console->moveCursor(QTextCursor::End);
        m_console->insertPlainText(fromGameText(entry));
        m_console->verticalScrollBar()->setValue(m_console->verticalScrollBar()->maximum());
    });
    m_connections += m_app.consoleLog().viewReset.connect(
        [this] { m_console->setPlainText(fromGameText(m_app.consoleLog().viewText())); });
    layout->addWidget(m_console, 1);

    // The operator's own console line: sent as typed (RULES says the rules).
    auto* row = new QHBoxLayout;
    auto* edit = new QLineEdit;
    edit->setObjectName("commandInput");
    auto* send = new QPushButton("Send");
    send->setObjectName("sendButton");
    row->addWidget(edit, 1);
    row->addWidget(send);
    layout->addLayout(row);
    auto run = [this, edit] {
        m_app.rcon().operatorCommand(toGameText(edit->text()));
        edit->clear();
    };
    connect(send, &QPushButton::clicked, edit, run);
    connect(edit, &QLineEdit::returnPressed, edit, run);
    return frame("Console", layout);
}

QWidget* StatusPage::buildQueue() {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("Queue"));
    m_queue = new QListWidget;
    m_queue->setObjectName("queueView");
    layout->addWidget(m_queue, 1);
    auto* row = new QHBoxLayout;
    m_pause = new QPushButton(QString::fromStdString(m_app.rcon().pauseCaption()));
    m_pause->setObjectName("queuePause");
    connect(m_pause, &QPushButton::clicked, this, [this] {
        m_app.rcon().togglePause();
        m_pause->setText(QString::fromStdString(m_app.rcon().pauseCaption()));
    });
    auto* status = new QPushButton("STATUS");
    status->setObjectName("statusButton");
    connect(status, &QPushButton::clicked, this, [this] { m_app.statusPoll().Command8_Click(); });
    row->addWidget(m_pause);
    row->addWidget(status);
    layout->addLayout(row);
    return box;
}

void StatusPage::refreshFacts() {
    const StatusTexts& t = m_app.statusTexts();
    m_serverName->setText(fromPlayerText(t.serverName));
    m_playlist->setText(fromGameText(t.playlist));
    m_gametype->setText(fromPlayerText(t.gametype));
    m_admins->setText(fromGameText(t.admins));
}

void StatusPage::refreshQueue() {
    m_queue->clear();
    const RconQueue& q = m_app.queue();
    for (std::size_t i = 0; i < q.size(); ++i)
        m_queue->addItem(fromGameText(q.at(i).displayText()));
}

} // namespace corvane::console
