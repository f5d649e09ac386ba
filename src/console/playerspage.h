#pragma once
// The "Players" tab: the online grid, the player log and the group editor,
// each on its own sub-tab, and the player pop-up menu over the two grids.

#include <QWidget>

#include <cstddef>
#include <functional>

class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;

namespace corvane {
class App;
struct PlayerMenu;
enum class AdminActionKind;
} // namespace corvane

namespace corvane::console {

class OnlineGridModel;
class PlayerLogModel;

class PlayersPage : public QWidget {
public:
    explicit PlayersPage(App& app, QWidget* parent = nullptr);

    // The pop-up menu last opened (the tests read and trigger it).
    QMenu* playerMenu() const { return m_menu; }

private:
    QWidget* buildOnline();
    QWidget* buildPlayerLog();
    void subTabChanged(int index);
    void showPlayerLogState();
    void restoreSelection();
    void onlineMenuRequested(const QPoint& pos);
    void playerLogMenuRequested(const QPoint& pos);
    // The menu's actions: a chosen group level, "Delete", and one of the four
    // admin actions.
    struct MenuActions {
        std::function<void(int level)> setGroup;
        std::function<void()> remove;
        std::function<void(AdminActionKind)> act;
    };
    void popUp(const PlayerMenu& menu, const QPoint& globalPos, MenuActions actions);

    App& m_app;
    QTabWidget* m_tabs = nullptr;
    QLabel* m_onlineCount = nullptr;
    QTableView* m_online = nullptr;
    OnlineGridModel* m_onlineModel = nullptr;
    QTableView* m_log = nullptr;
    PlayerLogModel* m_logModel = nullptr;
    QPushButton* m_filter = nullptr;
    QLabel* m_total = nullptr;
    QMenu* m_menu = nullptr;
    bool m_resetting = false;
};

} // namespace corvane::console
