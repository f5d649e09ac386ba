#include "console/advancedpage.h"

#include "app/app.h"
#include "console/richtextview.h"
#include "console/widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::console {

AdvancedPage::AdvancedPage(App& app, QWidget* parent) : QWidget(parent), m_app(app) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildServerSettings());
    auto* row = new QHBoxLayout;
    row->addWidget(buildVoting(), 1);
    row->addWidget(buildSwitches(), 1);
    layout->addLayout(row);
    layout->addStretch();
}

QWidget* AdvancedPage::buildServerSettings() {
    auto* layout = new QHBoxLayout;
    layout->addWidget(new QLabel("Default Excluded Maps:"));
    m_excluded = new QLineEdit;
    m_excluded->setObjectName("defaultExcludedMaps");
    layout->addWidget(m_excluded, 1);
    auto* save = new QPushButton("Save");
    save->setObjectName("saveExcludedMaps");
    layout->addWidget(save);
    auto show = [this] { m_excluded->setText(fromGameText(m_app.settings().config.ExcludedMap)); };
    show();
    keepConnected(this, m_app.settings().configLoaded.connect(show));
    connect(save, &QPushButton::clicked, this, [this] {
        m_app.maps().rotation.saveDefaultList(toGameText(m_excluded->text()));
        m_excluded->setText(fromGameText(m_app.settings().config.ExcludedMap));
    });
    return frame("Server Settings", layout);
}

QWidget* AdvancedPage::buildVoting() {
    auto* layout = new QFormLayout;
    m_skipping = new QComboBox;
    m_skipping->setObjectName("mapSkipping");
    m_skipping->addItems({"Disabled", "Enabled!"});
    layout->addRow("Map Skipping:", m_skipping);
    // A third of the players online, at least one, is what the vote needs;
    // the box shows the choices without offering them.
    auto* needed = new QComboBox;
    needed->setObjectName("votesNeeded");
    needed->addItems(
        {"All Players", "1/2 Players", "1/3 Players", "1/4 Players", "1/5 Players", "1 Player!"});
    needed->setCurrentIndex(2);
    needed->setEnabled(false);
    needed->setToolTip("A third of the players online, at least one");
    layout->addRow("Votes needed to skip:", needed);
    auto show = [this] {
        m_skipping->setCurrentIndex(m_app.maps().rotation.VotingEnabled() ? 1 : 0);
    };
    show();
    keepConnected(this, m_app.settings().configLoaded.connect(show));
    connect(m_skipping, &QComboBox::activated, this,
            [this](int index) { m_app.maps().setVotingEnabled(index == 1); });
    return frame("Voting", layout);
}

QWidget* AdvancedPage::buildSwitches() {
    auto* layout = new QVBoxLayout;
    const std::pair<const char*, Settings::Switch> switches[] = {
        {"Autokick Unknown Soldiers", Settings::Switch::KickUnknownSoldiers},
        {"Autokick Xbox Names", Settings::Switch::KickXboxNames},
        {"Auto Scroll", Settings::Switch::AutoScroll}};
    for (const auto& [caption, which] : switches)
        layout->addWidget(new SwitchBox(caption, m_app, which));
    auto* newDb = new QPushButton("New DB");
    newDb->setObjectName("newDb");
    connect(newDb, &QPushButton::clicked, this, [this] { m_app.players().database.newDatabase(); });
    auto* row = new QHBoxLayout;
    row->addWidget(newDb);
    row->addStretch();
    layout->addLayout(row);
    return frame("Options", layout);
}

} // namespace corvane::console
