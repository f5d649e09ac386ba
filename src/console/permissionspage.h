#pragma once
// "Players" / "Permissions": the groups with the default mark, the commands
// of the selected group and the master list of grantable commands. Every
// change is a group-editor operation of the core.

#include <QWidget>

#include <optional>

class QListWidget;
class QMenu;
class QTableWidget;

namespace corvane {
class App;
}

namespace corvane::console {

class PermissionsPage : public QWidget {
public:
    explicit PermissionsPage(App& app, QWidget* parent = nullptr);

    // The pop-up menu last opened over the groups or the commands.
    QMenu* lastMenu() const { return m_menu; }

private:
    QWidget* buildGroups();
    QWidget* buildLists();
    void refresh();
    void refreshCommands();
    std::optional<int> selectedLevel() const;
    void popUp(const QPoint& globalPos,
               std::initializer_list<std::pair<const char*, std::function<void()>>> entries);

    App& m_app;
    QTableWidget* m_groups = nullptr;
    QListWidget* m_commands = nullptr;
    QListWidget* m_master = nullptr;
    QMenu* m_menu = nullptr;
    bool m_filling = false;
};

} // namespace corvane::console
