#pragma once
// The admin action dialog: warn, kick, temporarily ban or ban one player, with
// an optional reason picked from Data/Reasons.txt or typed. The core's
// AdminAction queues and logs; the dialog only asks.

#include "app/adminaction.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

namespace corvane {
class App;
}

namespace corvane::console {

class AdminDialog : public QDialog {
public:
    AdminDialog(std::unique_ptr<AdminAction> action, const std::vector<std::string>& reasons,
                QWidget* parent = nullptr);

    // Opens the dialog over the window, modal but without blocking the caller.
    // Nothing opens when there is no action (the player is not online).
    static AdminDialog* open(std::unique_ptr<AdminAction> action, App& app, QWidget* parent);

private:
    void finish(bool withReason);

    std::unique_ptr<AdminAction> m_action;
    QComboBox* m_reason = nullptr;
    bool m_done = false;
};

} // namespace corvane::console
