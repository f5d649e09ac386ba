#pragma once
// The "Restrictions" tab: the ten weapon lists with their select-all boxes and
// the warning limit, and the language filter's word list with its "Warns:" box.

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
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
    QWidget* buildCategory(std::size_t category);
    QWidget* buildLanguageFilter();
    void showWeapons();
    void showLanguageTexts();

    App& m_app;
    QTabWidget* m_tabs = nullptr;
    QLabel* m_maxHealth = nullptr;
    std::array<QCheckBox*, 10> m_selectAll{};
    std::vector<QListWidgetItem*> m_entries; // by flag index
    QPlainTextEdit* m_words = nullptr;
    QLineEdit* m_warns = nullptr;
    bool m_showing = false;
};

} // namespace corvane::console
