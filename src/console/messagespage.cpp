#include "console/messagespage.h"

#include "app/app.h"
#include "console/richtextview.h"
#include "console/widgets.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane::console {
namespace {

// The sub-tabs in the order of the strip.
constexpr MessageTab kTabs[] = {MessageTab::TimedMessages, MessageTab::WelcomeMessage,
                                MessageTab::Rules, MessageTab::Reasons, MessageTab::PmSettings};

int indexOf(MessageTab tab) {
    for (int i = 0; i < 5; ++i)
        if (kTabs[i] == tab) return i;
    return 0;
}

// The ten announcement kinds as the rows show them: the caption, the kind's
// place in AnnounceMode, and whether its other choice hides a kick.
struct AnnounceRow {
    const char* caption;
    int kind;
    bool kick;
};
constexpr AnnounceRow kAnnounceRows[] = {
    {"Welcome Message:", 0, false}, {"Setgroup", 9, false},      {"Rules", 1, false},
    {"Language Warn:", 2, false},   {"Language Kick:", 3, true}, {"Weapon Warn:", 4, false},
    {"Weapon Kick:", 5, true},      {"Admincheck:", 6, false},   {"2nd Chance Warn:", 7, false},
    {"2nd Chance Kick:", 8, true}};

QLabel* helpText(const char* text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

} // namespace

MessagesPage::MessagesPage(App& app, QWidget* parent) : QWidget(parent), m_app(app) {
    auto* layout = new QVBoxLayout(this);
    m_editor = new QPlainTextEdit;
    m_editor->setObjectName("messageEditor");
    m_editor->installEventFilter(this);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName("messagesTabs");
    m_tabs->addTab(buildTimedMessages(), "Timed Messages");
    m_tabs->addTab(buildWelcome(), "Welcome Message");
    m_tabs->addTab(buildRules(), "Rules");
    m_tabs->addTab(buildReasons(), "Reasons");
    m_tabs->addTab(buildPmSettings(), "PM Settings");
    layout->addWidget(m_tabs);

    MessageEditor& editor = m_app.maps().editor;
    connect(m_editor, &QPlainTextEdit::textChanged, this, [this, &editor] {
        if (!m_showing) editor.editorKeyReleased(toGameText(m_editor->toPlainText()));
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { subTabChanged(index); });
    keepConnected(this, editor.contentsChanged.connect([this] { showCore(); }));
    keepConnected(this, m_app.settings().modFileLoaded.connect([this] { showAnnounceModes(); }));
    showCore();
    showAnnounceModes();
}

// A key held down holds the delayed save; the text itself follows every change.
bool MessagesPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (watched == m_editor) m_app.maps().editor.editorKeyPressed();
        if (watched == m_welcome) m_app.maps().editor.welcomeKeyPressed();
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* MessagesPage::editorPage(QWidget* header, QVBoxLayout*& slot) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(header);
    slot = new QVBoxLayout;
    layout->addLayout(slot, 1);
    return page;
}

QWidget* MessagesPage::buildTimedMessages() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto* use = new SwitchBox("Use Timed Messages", m_app, Settings::Switch::TimedMessagesEnabled);
    use->setObjectName("useTimedMessages");
    row->addWidget(use);
    row->addSpacing(24);
    row->addWidget(new QLabel("Delay (s):"));
    m_interval = new QLineEdit;
    m_interval->setObjectName("messageInterval");
    m_interval->setMaximumWidth(70);
    row->addWidget(m_interval);
    row->addStretch();
    connect(m_interval, &QLineEdit::editingFinished, this, [this] {
        m_interval->setText(
            fromGameText(m_app.maps().editor.intervalLeft(toGameText(m_interval->text()))));
    });
    return editorPage(header, m_editorSlots[0]);
}

QWidget* MessagesPage::buildWelcome() {
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    auto* layout = new QVBoxLayout;
    auto* use = new SwitchBox("Welcome players to server", m_app, Settings::Switch::WelcomeEnabled);
    use->setObjectName("welcomePlayers");
    layout->addWidget(use);
    m_welcome = new QLineEdit;
    m_welcome->setObjectName("welcomeTemplate");
    m_welcome->installEventFilter(this);
    layout->addWidget(m_welcome);
    auto* buttons = new QHBoxLayout;
    auto* preview = new QPushButton("Preview");
    preview->setObjectName("welcomePreview");
    auto* byDefault = new QPushButton("Default");
    byDefault->setObjectName("welcomeDefault");
    buttons->addWidget(preview);
    buttons->addWidget(byDefault);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addWidget(helpText(
        "Set the welcome message, use <group> for group, <player> for player name, and <server> "
        "for server name, <return> for returning players (back)."));
    outer->addWidget(frame("Welcome Message", layout));
    outer->addStretch();

    MessageEditor& editor = m_app.maps().editor;
    connect(m_welcome, &QLineEdit::textEdited, this,
            [&editor](const QString& text) { editor.welcomeKeyReleased(toGameText(text)); });
    connect(m_welcome, &QLineEdit::editingFinished, this,
            [this, &editor] { editor.welcomeLeft(toGameText(m_welcome->text())); });
    connect(preview, &QPushButton::clicked, this, [&editor] { editor.welcomePreview(); });
    connect(byDefault, &QPushButton::clicked, this, [&editor] { editor.welcomeDefault(); });
    return page;
}

QWidget* MessagesPage::buildRules() {
    auto* use = new SwitchBox("Use Server Rules", m_app, Settings::Switch::RulesEnabled);
    use->setObjectName("useServerRules");
    return editorPage(use, m_editorSlots[2]);
}

QWidget* MessagesPage::buildReasons() {
    return editorPage(helpText("Set the reasons below for backend rcon and ingame messages. Line "
                               "1 = msg1 in game, To use type: !warn name msg1"),
                      m_editorSlots[3]);
}

QWidget* MessagesPage::buildPmSettings() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(helpText("Set how the messages should be announced on the server: Global or "
                               "Private PM. You can also hide some kick announcements"));
    auto* grid = new QGridLayout;
    int row = 0;
    for (const AnnounceRow& r : kAnnounceRows) {
        auto* global = new QRadioButton("Global");
        global->setObjectName(QString("announceGlobal%1").arg(r.kind));
        auto* other = new QRadioButton(r.kick ? "Hide" : "Private PM");
        other->setObjectName(QString("announceOther%1").arg(r.kind));
        auto* group = new QButtonGroup(page);
        group->addButton(global);
        group->addButton(other);
        grid->addWidget(new QLabel(r.caption), row, 0);
        grid->addWidget(global, row, 1);
        grid->addWidget(other, row, 2);
        m_global[static_cast<std::size_t>(r.kind)] = global;
        connect(global, &QRadioButton::toggled, this, [this] {
            if (!m_showing) saveAnnounceModes();
        });
        ++row;
    }
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    layout->addStretch();
    return page;
}

void MessagesPage::saveAnnounceModes() {
    std::array<bool, 10> global{};
    for (std::size_t kind = 0; kind < global.size(); ++kind)
        global[kind] = m_global[kind]->isChecked();
    m_app.players().groups.saveGorP(global);
}

void MessagesPage::showAnnounceModes() {
    m_showing = true;
    const auto& modes = m_app.settings().mod.AnnounceMode;
    for (std::size_t kind = 0; kind < modes.size(); ++kind) {
        QRadioButton* global = m_global[kind];
        QButtonGroup* group = global->group();
        QAbstractButton* other = group->buttons().at(1);
        (modes[kind] == 0 ? static_cast<QAbstractButton*>(global) : other)->setChecked(true);
    }
    m_showing = false;
}

// Boxes whose text takes effect when they lose the focus: a click on the tab
// strip does not take it from them, so they are handed over first.
void MessagesPage::flushBoxes() {
    MessageEditor& editor = m_app.maps().editor;
    if (toGameText(m_interval->text()) != editor.intervalText() &&
        editor.mode() == EditorMode::TimedMessages)
        m_interval->setText(fromGameText(editor.intervalLeft(toGameText(m_interval->text()))));
    if (toGameText(m_welcome->text()) != editor.welcomeText() &&
        editor.subTab() == MessageTab::WelcomeMessage)
        editor.welcomeKeyReleased(toGameText(m_welcome->text()));
}

void MessagesPage::subTabChanged(int index) {
    if (m_showing || index < 0) return;
    flushBoxes();
    m_app.maps().editor.selectSubTab(kTabs[index]);
    if (kTabs[index] == MessageTab::PmSettings) showAnnounceModes();
}

// Shows what the core's editor holds: its sub-tab, the text, the interval and
// the welcome template.
void MessagesPage::showCore() {
    const MessageEditor& editor = m_app.maps().editor;
    m_showing = true;
    const int index = indexOf(editor.subTab());
    m_tabs->setCurrentIndex(index);
    if (QVBoxLayout* slot = m_editorSlots[static_cast<std::size_t>(index)]) {
        slot->addWidget(m_editor);
        m_editor->show();
    }
    const QString text = fromGameText(editor.text());
    if (m_editor->toPlainText() != text) m_editor->setPlainText(text);
    m_interval->setText(fromGameText(editor.intervalText()));
    m_welcome->setText(fromGameText(editor.welcomeText()));
    m_showing = false;
}

} // namespace corvane::console
