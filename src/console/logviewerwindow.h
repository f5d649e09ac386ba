#pragma once
// The log viewer window: one of the four logs in full, with "Log" / "Update".
// One window is made on first use and shown again for every later log.

#include "app/logviewer.h"

#include <QMainWindow>

namespace corvane::console {

class RichTextView;

class LogViewerWindow : public QMainWindow {
public:
    explicit LogViewerWindow(LogViewer& viewer, QWidget* parent = nullptr);

    // Runs one of the viewer's loads with the busy pointer, then shows the
    // window with the newest lines in view.
    void load(void (LogViewer::*operation)());

private:
    LogViewer& m_viewer;
    RichTextView* m_view = nullptr;
};

} // namespace corvane::console
