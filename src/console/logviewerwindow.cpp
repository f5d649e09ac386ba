#include "console/logviewerwindow.h"

#include "console/richtextview.h"
#include "console/widgets.h"

#include <QApplication>
#include <QMenuBar>
#include <QScrollBar>
#include <QTextCursor>

namespace corvane::console {
namespace {

QString titleOf(ViewerMode mode) {
    switch (mode) {
    case ViewerMode::ChatArchive:
        return "Chat Archive";
    case ViewerMode::ServerLog:
        return "Server Log";
    case ViewerMode::ChatLog:
        return "Chat Log";
    case ViewerMode::ConsoleLog:
        return "Console Log";
    case ViewerMode::None:
        break;
    }
    return "Log Viewer";
}

} // namespace

LogViewerWindow::LogViewerWindow(LogViewer& viewer, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_viewer(viewer) {
    setObjectName("logViewer");
    setWindowIcon(appIcon());
    setWindowTitle(titleOf(ViewerMode::None));
    m_view = new RichTextView(m_viewer.view());
    m_view->setObjectName("logViewerText");
    setCentralWidget(m_view);
    QMenu* log = menuBar()->addMenu("Log");
    connect(log->addAction("Update"), &QAction::triggered, this,
            [this] { load(&LogViewer::Update); });
    resize(760, 520);
}

void LogViewerWindow::load(void (LogViewer::*operation)()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    (m_viewer.*operation)();
    QApplication::restoreOverrideCursor();
    setWindowTitle(titleOf(m_viewer.mode()));
    m_view->moveCursor(QTextCursor::End);
    m_view->verticalScrollBar()->setValue(m_view->verticalScrollBar()->maximum());
    show();
    raise();
}

} // namespace corvane::console
