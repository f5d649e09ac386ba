// Starts Corvane Mod on an application folder, lets it run against its server
// for a while, then saves a picture of every top tab and sub-tab, the admin
// action dialog, the log viewer and the server settings wizard (before and
// after its test of the server), and ends.
//
//   corvane-screenshots --app-dir DIR --out DIR [--wait SECONDS]

#include "app/app.h"
#include "console/admindialog.h"
#include "console/logviewerwindow.h"
#include "console/mainwindow.h"
#include "console/setupdialog.h"
#include "console/widgets.h"
#include "platform/qt/qtports.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <iostream>
#include <string_view>

namespace {

struct Options {
    QString appDir;
    QString outDir;
    int waitSeconds = 25;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i];
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (name == "--app-dir")
            options.appDir = value;
        else if (name == "--out")
            options.outDir = value;
        else if (name == "--wait")
            options.waitSeconds = value.toInt();
        else
            return false;
    }
    return !options.appDir.isEmpty() && !options.outDir.isEmpty() && options.waitSeconds >= 0;
}

QString slug(const QString& caption) {
    QString out;
    for (const QChar c : caption.toLower())
        if (c.isLetterOrNumber())
            out += c;
        else if (c == ' ' && !out.endsWith('-'))
            out += '-';
    return out;
}

// Lets pending paints and layouts run before a picture is taken.
void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool save(QWidget& widget, const QString& dir, const QString& name) {
    settle();
    const QString file = dir + "/" + name + ".png";
    const bool ok = widget.grab().save(file);
    std::cout << (ok ? "wrote " : "cannot write ") << file.toStdString() << std::endl;
    return ok;
}

// Every top tab, and every sub-tab of the tabs that have a strip of their own.
int captureTabs(corvane::console::MainWindow& window, const QString& dir) {
    int failures = 0;
    auto* top = window.findChild<QTabWidget*>("topTabs");
    for (int i = 0; i < top->count(); ++i) {
        top->setCurrentIndex(i);
        const QString name = slug(top->tabText(i));
        auto* strip = top->widget(i)->findChild<QTabWidget*>();
        if (!strip) {
            failures += !save(window, dir, name);
            continue;
        }
        for (int j = 0; j < strip->count(); ++j) {
            strip->setCurrentIndex(j);
            // The group editor shows a group's commands once one is chosen.
            if (auto* groups = strip->widget(j)->findChild<QTableWidget*>("groupsGrid"))
                groups->selectRow(0);
            failures += !save(window, dir, name + "-" + slug(strip->tabText(j)));
        }
        strip->setCurrentIndex(0);
    }
    top->setCurrentIndex(0);
    return failures;
}

// The kick dialog over the first player online.
int captureAdminDialog(corvane::App& app, corvane::console::MainWindow& window,
                       const QString& dir) {
    for (const corvane::OnlineGridRow& row : app.onlineGrid().rows()) {
        auto* dialog = corvane::console::AdminDialog::open(
            app.adminActionOnSlot(corvane::AdminActionKind::Kick, row.slot), app, &window);
        if (!dialog) continue;
        const bool ok = save(*dialog, dir, "admin-dialog");
        dialog->close();
        return ok ? 0 : 1;
    }
    std::cerr << "nobody online: no admin dialog" << std::endl;
    return 1;
}

int captureLogViewer(corvane::console::MainWindow& window, const QString& dir) {
    for (QAction* menu : window.menuBar()->actions())
        if (menu->text() == "Logs")
            for (QAction* entry : menu->menu()->actions())
                if (entry->text() == "View Server Log") entry->trigger();
    corvane::console::LogViewerWindow* viewer = window.logViewer();
    if (!viewer) return 1;
    const int failures = save(*viewer, dir, "log-viewer") ? 0 : 1;
    viewer->close();
    return failures;
}

// "Server Settings...": the wizard as it opens, filled from the configuration,
// and again once its test of the running server has passed (or given up).
int captureServerSettings(corvane::App& app, corvane::console::MainWindow& window,
                          const QString& dir) {
    app.openSetup(false);
    auto* wizard = new corvane::console::SetupDialog(app, &window);
    wizard->setAttribute(Qt::WA_DeleteOnClose);
    wizard->show();
    int failures = save(*wizard, dir, "server-settings") ? 0 : 1;
    auto* button = wizard->findChild<QPushButton*>("mainButton");
    button->click();
    const QDeadlineTimer deadline(20000);
    while (button->text() == "Cancel" && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (button->text() != "Continue") {
        std::cerr << "the wizard's test of the server did not pass" << std::endl;
        ++failures;
    }
    failures += save(*wizard, dir, "server-settings-test") ? 0 : 1;
    wizard->close();
    return failures;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: corvane-screenshots --app-dir DIR --out DIR [--wait SECONDS]\n";
        return 2;
    }
    QApplication::setWindowIcon(corvane::console::appIcon());
    QDir().mkpath(options.outDir);

    corvane::qt::QtPorts qtPorts;
    corvane::qt::StreamPrompts prompts(std::cerr);
    corvane::App app(qtPorts.with(prompts),
                     corvane::AppPaths(std::filesystem::path(options.appDir.toStdString())));
    if (app.Main() != corvane::StartMode::MainWindow) {
        std::cerr << "the application folder is not set up for a server\n";
        return 1;
    }
    corvane::console::MainWindow window(app);
    app.createMainWindow();
    window.resize(1100, 760);
    window.show();

    int failures = 0;
    QTimer::singleShot(options.waitSeconds * 1000, &window, [&] {
        failures += captureTabs(window, options.outDir);
        failures += captureAdminDialog(app, window, options.outDir);
        failures += captureLogViewer(window, options.outDir);
        failures += captureServerSettings(app, window, options.outDir);
        QApplication::exit(failures == 0 ? 0 : 1);
    });
    return QApplication::exec();
}
