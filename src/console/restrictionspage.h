#pragma once
// The "Restrictions" tab: the restricted weapons with the warning limit, and
// the language filter's word list.

#include <QWidget>

class QTabWidget;

namespace corvane {
class App;
}

namespace corvane::console {

class RestrictionsPage : public QWidget {
public:
    explicit RestrictionsPage(App& app, QWidget* parent = nullptr);

private:
    QWidget* buildInGame();
    QWidget* buildLanguageFilter();

    App& m_app;
    QTabWidget* m_tabs = nullptr;
};

} // namespace corvane::console
