#pragma once
// The App on virtual time with the real main window over it, offscreen.
// Message boxes are answered by the scripted prompts port.

#include "app/app.h"
#include "console/mainwindow.h"
#include "fakeports.h"
#include "seatplayer.h"
#include "tempappdir.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

#include <memory>
#include <string>

namespace corvane::testing {

struct GuiFixture {
    TempAppDir dir;
    FakePorts fake;
    std::unique_ptr<App> app;
    std::unique_ptr<console::MainWindow> window;

    // config: Config.txt to start from instead of a set-up server's; answers:
    // the message boxes of the start-up.
    explicit GuiFixture(const char* config = nullptr, std::deque<MessageResult> answers = {}) {
        if (config)
            dir.write("Data/Config.txt", config);
        else
            dir.writeConfiguredServer();
        fake.prompts.answers = std::move(answers);
        app = std::make_unique<App>(fake.ports(), AppPaths(dir.path()));
        window = std::make_unique<console::MainWindow>(*app);
        app->createMainWindow();
        window->show();
    }
    ~GuiFixture() {
        // Menus and dialogs opened by a test close with it.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != window.get()) w->close();
        window.reset();
    }

    template <typename T> T* child(const char* name) const {
        T* found = window->findChild<T*>(name);
        if (!found) qFatal("no widget named %s", name);
        return found;
    }

    // Shows a top tab, and a sub-tab of its strip.
    void showTab(const char* caption, const char* strip = nullptr, const char* sub = nullptr) {
        select(child<QTabWidget>("topTabs"), caption);
        if (strip) select(child<QTabWidget>(strip), sub);
    }
    static void select(QTabWidget* tabs, const char* caption) {
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == caption) tabs->setCurrentIndex(i);
    }

    // A player as the status poll registers him.
    void seat(int slot, const std::string& name, const std::string& guid) {
        seatPlayer(*app, slot, name, guid);
        app->slotTable().changed.notify();
    }

    // The context menu of a view, as a right click over a row asks for it.
    QMenu* rightClick(QAbstractItemView* view, int row, const char* menuName) {
        const QPoint pos = view->visualRect(view->model()->index(row, 0)).center();
        Q_EMIT view->customContextMenuRequested(pos);
        return window->findChild<QMenu*>(menuName);
    }
    // The same, and one of its entries triggered.
    void choose(QAbstractItemView* view, int row, const char* menuName, const QString& caption) {
        QMenu* menu = rightClick(view, row, menuName);
        if (!menu) qFatal("no menu %s over row %d", menuName, row);
        entry(menu, caption)->trigger();
    }
    static QAction* entry(QMenu* menu, const QString& caption) {
        for (QAction* a : menu->actions())
            if (a->text() == caption) return a;
        return nullptr;
    }
    // A menu of the menu bar, and an entry of it or of one of its sub-menus.
    QMenu* menu(const QString& title) const { return barMenu(*window, title); }
    QAction* menuEntry(const QString& title, const QString& caption) const {
        return barEntry(*window, title, caption);
    }
    static QMenu* barMenu(QMainWindow& w, const QString& title) {
        for (QAction* a : w.menuBar()->actions())
            if (a->text() == title) return a->menu();
        qFatal("no menu %s", qPrintable(title));
    }
    static QAction* barEntry(QMainWindow& w, const QString& title, const QString& caption) {
        for (QAction* a : barMenu(w, title)->findChildren<QAction*>())
            if (a->text() == caption) return a;
        qFatal("no menu entry %s", qPrintable(caption));
    }
    static QStringList visibleEntries(const QWidget* menu) {
        QStringList shown;
        for (QAction* a : menu->actions())
            if (a->isVisible()) shown << (a->isSeparator() ? QString("-") : a->text());
        return shown;
    }

    std::vector<std::string> queued() const {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < app->queue().size(); ++i)
            lines.push_back(app->queue().at(i).displayText());
        return lines;
    }
};

} // namespace corvane::testing
