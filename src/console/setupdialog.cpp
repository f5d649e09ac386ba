#include "console/setupdialog.h"

#include "app/app.h"
#include "console/richtextview.h"
#include "core/modsettings.h"
#include "core/shell.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <sqlite3.h>

namespace corvane::console {

SetupDialog::SetupDialog(App& app, QWidget* parent)
    : QDialog(parent), m_app(app), m_setup(*app.setup()) {
    setObjectName("setupDialog");
    buildForm();
    m_connections += m_setup.stateChanged.connect([this] { refresh(); });
    m_connections += m_setup.exchangeChanged.connect(
        [this] { m_exchange->setPlainText(fromGameText(m_setup.exchange())); });
    m_connections += m_setup.continued.connect([this](bool firstRun) { continued(firstRun); });
    // However the window closes, the App hears of it once.
    connect(this, &QDialog::finished, this, [this] {
        if (m_closed) return;
        m_closed = true;
        unsetCursor();
        m_app.closeSetup();
    });
    refreshBoxes();
    refresh();
}

QLineEdit* SetupDialog::addBox(const char* objectName, std::string* field) {
    auto* box = new QLineEdit;
    box->setObjectName(objectName);
    connect(box, &QLineEdit::textEdited, this,
            [field](const QString& text) { *field = toGameText(text); });
    m_boxes.emplace_back(box, field);
    return box;
}

void SetupDialog::buildForm() {
    SetupFields& f = m_setup.fields;
    auto* form = new QFormLayout;
    form->addRow("Server Name:", addBox("serverName", &f.ServerName));
    form->addRow("Ip:", addBox("ip", &f.IP));
    form->addRow("Port:", addBox("port", &f.Port));
    QLineEdit* password = addBox("rconPassword", &f.RconPassword);
    password->setEchoMode(QLineEdit::Password);
    form->addRow("Rcon Password:", password);
    m_logUrl = addBox("logUrl", &f.LogURL);
    auto* help = new QPushButton("?");
    help->setObjectName("logUrlHelp");
    connect(help, &QPushButton::clicked, this, [this] {
        m_setup.Help();
        m_logUrl->setFocus();
    });
    auto* urlRow = new QHBoxLayout;
    urlRow->addWidget(m_logUrl);
    urlRow->addWidget(help);
    form->addRow("Log File URL:", urlRow);

    m_status = new RichTextView(m_setup.statusBox());
    m_status->setObjectName("statusBox");
    auto* replies = new RichTextView(m_setup.replyLog());
    replies->setObjectName("replyLog");
    m_exchange = new QPlainTextEdit;
    m_exchange->setObjectName("exchange");
    m_exchange->setReadOnly(true);
    m_mainButton = new QPushButton;
    m_mainButton->setObjectName("mainButton");
    m_mainButton->setDefault(true);
    connect(m_mainButton, &QPushButton::clicked, this, [this] { mainButtonClicked(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    // While the status box is hidden the two logs share its room.
    layout->addWidget(m_status, 2);
    layout->addWidget(replies, 1);
    layout->addWidget(m_exchange, 1);
    layout->addWidget(m_mainButton);
    resize(560, 600);
}

void SetupDialog::refreshBoxes() {
    for (const auto& [box, field] : m_boxes) {
        const QString text = fromGameText(*field);
        if (box->text() != text) box->setText(text);
    }
}

void SetupDialog::refresh() {
    setWindowTitle(fromGameText(m_setup.caption()));
    m_mainButton->setText(QString::fromStdString(m_setup.mainButtonText()));
    m_status->setVisible(m_setup.statusVisible());
    for (const auto& [box, field] : m_boxes)
        box->setReadOnly(m_setup.busy());
    if (m_setup.busy())
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
    if (m_setup.hidden() && isVisible()) hide();
}

void SetupDialog::mainButtonClicked() {
    if (m_setup.mainButton() != SetupButton::Continue) {
        m_setup.pressMainButton();
        return;
    }
    // Loading every settings file takes a moment.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_setup.pressMainButton();
    QApplication::restoreOverrideCursor();
}

void SetupDialog::continued(bool) {
    accept();
}

void showAbout(App& app, QWidget* parent) {
    QMessageBox box(parent);
    box.setObjectName("aboutBox");
    box.setWindowTitle("About Corvane Mod");
    box.setIconPixmap(QApplication::windowIcon().pixmap(48, 48));
    box.setText(QString("<b>Corvane Mod %1</b><br>Administration for your rented game server.")
                    .arg(kBuildVersion));
    box.setInformativeText(QString("Qt %1<br>SQLite %2<br><br>Copyright the Corvane Mod "
                                   "developers. Free software under the MIT licence.")
                               .arg(qVersion(), sqlite3_libversion()));
    const std::string site = app.settings().advanced.WebsiteURL;
    QPushButton* web = site.empty() ? nullptr : box.addButton("Web Site", QMessageBox::ActionRole);
    box.addButton(QMessageBox::Ok);
    box.exec();
    if (web && box.clickedButton() == web) app.ports().shell.openUrl(site);
}

} // namespace corvane::console
