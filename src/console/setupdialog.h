#pragma once
// The server setup wizard's window: it renders the App's ServerSetup and
// forwards the operator's typing and buttons to it. Closing it tells the App
// (which ends the program when a first run was never completed).

#include <QDialog>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace corvane {
class App;
class ServerSetup;
} // namespace corvane

namespace corvane::console {

class RichTextView;

class SetupDialog : public QDialog {
public:
    // Shows the wizard the App has just opened (App::openSetup).
    explicit SetupDialog(App& app, QWidget* parent = nullptr);

    // A first run's "Continue" shows the main window through this.
    void setShowMainWindow(std::function<void()> show) { m_showMainWindow = std::move(show); }

private:
    void buildForm();
    QLineEdit* addBox(const char* objectName, std::string* field);
    void refresh();
    void refreshBoxes();
    void mainButtonClicked();
    void continued(bool firstRun);

    App& m_app;
    ServerSetup& m_setup;
    std::function<void()> m_showMainWindow;
    std::vector<std::pair<QLineEdit*, std::string*>> m_boxes;
    QLineEdit* m_logUrl = nullptr;
    QPushButton* m_mainButton = nullptr;
    RichTextView* m_status = nullptr;
    QPlainTextEdit* m_exchange = nullptr;
    bool m_closed = false;
};

// The About box: the program, its version, the Qt and SQLite versions and the
// licence; a button opens the product's web site when one is configured.
void showAbout(App& app, QWidget* parent);

} // namespace corvane::console
