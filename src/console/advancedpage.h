#pragma once
// The "Advanced" tab: the default exclusion list of the map rotation, the
// skip vote, the name checks, "Auto Scroll" and a new player database.

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace corvane {
class App;
}

namespace corvane::console {

class AdvancedPage : public QWidget {
public:
    explicit AdvancedPage(App& app, QWidget* parent = nullptr);

private:
    QWidget* buildServerSettings();
    QWidget* buildVoting();
    QWidget* buildSwitches();

    App& m_app;
    QLineEdit* m_excluded = nullptr;
    QComboBox* m_skipping = nullptr;
};

} // namespace corvane::console
