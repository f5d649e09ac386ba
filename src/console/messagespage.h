#pragma once
// The "Messages" tab: the timed messages, the welcome message, the rules, the
// sanction reasons and the announcement settings. One text editor serves the
// timed messages, the rules and the reasons; the core's message editor loads
// and saves it as the sub-tabs change.

#include <QWidget>

#include <array>

class QButtonGroup;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;
class QVBoxLayout;

namespace corvane {
class App;
}

namespace corvane::console {

class MessagesPage : public QWidget {
public:
    explicit MessagesPage(App& app, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildTimedMessages();
    QWidget* buildWelcome();
    QWidget* buildRules();
    QWidget* buildReasons();
    QWidget* buildPmSettings();
    QWidget* editorPage(QWidget* header, QVBoxLayout*& slot);
    void subTabChanged(int index);
    void flushBoxes();
    void showCore();
    void showAnnounceModes();
    void saveAnnounceModes();

    App& m_app;
    QTabWidget* m_tabs = nullptr;
    QPlainTextEdit* m_editor = nullptr;
    QLineEdit* m_interval = nullptr;
    QLineEdit* m_welcome = nullptr;
    std::array<QVBoxLayout*, 5> m_editorSlots{};
    std::array<QRadioButton*, 10> m_global{};
    bool m_showing = false;
};

} // namespace corvane::console
