#pragma once
// The "Status" tab: server facts, the activity log, the RCON console with the
// "Say" and command boxes, the queue with its pause button, and "STATUS".

#include "core/signal.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace corvane {
class App;
}

namespace corvane::console {

class StatusPage : public QWidget {
public:
    explicit StatusPage(App& app, QWidget* parent = nullptr);

private:
    QWidget* buildFacts();
    QWidget* buildConsole();
    QWidget* buildQueue();
    void refreshFacts();
    void refreshQueue();

    App& m_app;
    Connections m_connections;
    QLabel* m_serverName = nullptr;
    QLabel* m_playlist = nullptr;
    QLabel* m_gametype = nullptr;
    QLabel* m_admins = nullptr;
    QPlainTextEdit* m_console = nullptr;
    QListWidget* m_queue = nullptr;
    QPushButton* m_pause = nullptr;
};

} // namespace corvane::console
