#pragma once
// Small building blocks the pages share: check boxes and boxes bound to the
// mod settings, player text made safe to show, and the program's icon.

#include "core/settings.h"
#include "core/signal.h"

#include <QCheckBox>
#include <QIcon>
#include <QString>

#include <string>

class QGroupBox;
class QLayout;
class QLineEdit;

namespace corvane {
class App;
}

namespace corvane::console {

// A feature switch of the mod settings: a click saves them (through the
// Settings operation), and a reload of the settings file shows the new state.
class SwitchBox : public QCheckBox {
public:
    SwitchBox(const QString& caption, App& app, Settings::Switch which, QWidget* parent = nullptr);
    void refresh();

private:
    App& m_app;
    Settings::Switch m_which;
};

// "Max warns before kick:": every whole number typed takes effect at once; when
// the box loses the focus, anything else turns into 0, and the settings are saved.
QLineEdit* maxWarnsBox(App& app, QWidget* parent = nullptr);

// Keeps a listener to the core connected exactly as long as the owner lives.
void keepConnected(QObject* owner, Connection connection);

// A name or chat text from the game, for a cell or label: colour codes and
// control characters never reach the screen as raw bytes.
QString fromPlayerText(const std::string& text);

// A framed group with a caption, holding one layout.
QGroupBox* frame(const QString& caption, QLayout* layout);

// The program's icon, drawn once; every window of the program shows it.
QIcon appIcon();

} // namespace corvane::console
