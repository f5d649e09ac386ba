#pragma once
// The operator's main window: renders the App's models and routes every
// operator action to the App. It keeps only view state of its own.

#include "core/signal.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QTabWidget;

namespace corvane {
class App;
}

namespace corvane::console {

class LogViewerWindow;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(App& app);

    // The log viewer, once one of the logs has been opened.
    LogViewerWindow* logViewer() const { return m_viewer; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildStatusBar();
    QWidget* buildChatTab();
    void buildMenus();
    void buildServerMenu();
    void buildLogsMenu();
    void buildHelpMenu();
    void viewLog(void (*load)(LogViewerWindow&));
    void openServerSettings();
    void refreshWindowState();
    void topTabChanged(int index);

    App& m_app;
    Connections m_connections;
    QTabWidget* m_tabs = nullptr;
    QLabel* m_panels[5] = {};
    QList<QAction*> m_lockableActions;
    LogViewerWindow* m_viewer = nullptr;
    bool m_revertingTab = false;
};

} // namespace corvane::console
