#include "console/restrictionspage.h"

#include "app/app.h"
#include "console/richtextview.h"
#include "console/widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane::console {
namespace {

// The lists in columns, each column as tall as its lists' entries.
constexpr std::array<std::array<int, 3>, 6> kColumns{{
    {0, 2, -1},  // Submachine Guns, Shotguns
    {1, 3, -1},  // Assault Rifles, LMGs
    {4, 5, 6},   // Sniper Rifles, Pistols, Launchers and Specials
    {7, -1, -1}, // Attachments
    {8, -1, -1}, // Killstreaks
    {9, -1, -1}, // Equipment and Other
}};

} // namespace

RestrictionsPage::RestrictionsPage(App& app, QWidget* parent) : QWidget(parent), m_app(app) {
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName("restrictionsTabs");
    m_tabs->addTab(buildInGame(), "In-Game");
    m_tabs->addTab(buildLanguageFilter(), "Language Filter");
    layout->addWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1) m_app.enforcement().language.showTab();
    });
    keepConnected(this, m_app.enforcement().weaponLists.changed.connect([this] { showWeapons(); }));
    keepConnected(this, m_app.enforcement().language.tabTextsChanged.connect(
                            [this] { showLanguageTexts(); }));
    showWeapons();
    showLanguageTexts();
}

QWidget* RestrictionsPage::buildInGame() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel("Check all weapons and items you would like disabled"));
    m_entries.assign(kWeaponFlagCount, nullptr);
    auto* columns = new QHBoxLayout;
    for (const auto& column : kColumns) {
        auto* stack = new QVBoxLayout;
        for (int category : column)
            if (category >= 0) stack->addWidget(buildCategory(static_cast<std::size_t>(category)));
        stack->addStretch();
        columns->addLayout(stack);
    }
    layout->addLayout(columns, 1);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Max warns before kick:"));
    row->addWidget(maxWarnsBox(m_app));
    row->addSpacing(24);
    m_maxHealth = new QLabel;
    m_maxHealth->setObjectName("maxHealth");
    row->addWidget(m_maxHealth);
    row->addStretch();
    layout->addLayout(row);
    auto showHealth = [this] {
        m_maxHealth->setText(
            QString("Max Health: %1").arg(m_app.enforcement().secondChance.MaxHealth()));
    };
    showHealth();
    keepConnected(this, m_app.statusTextsChanged.connect(showHealth));
    return page;
}

// One list: its select-all box, captioned with the list's name, over its
// entries, each ticked entry a restricted item.
QWidget* RestrictionsPage::buildCategory(std::size_t category) {
    const WeaponCategory& c = weaponCategories()[category];
    auto* box = new QWidget;
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(2);
    auto* all = new QCheckBox(
        QString::fromUtf8(c.caption.data(), static_cast<qsizetype>(c.caption.size())));
    all->setObjectName(QString("selectAll%1").arg(category));
    m_selectAll[category] = all;
    layout->addWidget(all);
    auto* list = new QListWidget;
    list->setObjectName(QString("weaponList%1").arg(category));
    for (int flag = c.firstFlag; flag <= c.lastFlag; ++flag) {
        const std::string_view caption = weaponEntryCaption(flag);
        auto* item = new QListWidgetItem(
            QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())), list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setData(Qt::UserRole, flag);
        m_entries[static_cast<std::size_t>(flag)] = item;
    }
    const int rows = c.lastFlag - c.firstFlag + 1;
    list->setFixedHeight(rows * list->sizeHintForRow(0) + 2 * list->frameWidth() + 2);
    list->setMinimumWidth(150);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(list);

    WeaponLists& lists = m_app.enforcement().weaponLists;
    connect(all, &QCheckBox::clicked, this,
            [&lists, category](bool ticked) { lists.selectAllClicked(category, ticked); });
    connect(list, &QListWidget::itemChanged, this, [this, &lists](QListWidgetItem* item) {
        if (!m_showing)
            lists.entryClicked(item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
    });
    return box;
}

QWidget* RestrictionsPage::buildLanguageFilter() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* use =
        new SwitchBox("Enable Language Filter", m_app, Settings::Switch::LanguageFilterEnabled);
    use->setObjectName("enableLanguageFilter");
    layout->addWidget(use);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Warns:"));
    m_warns = new QLineEdit;
    m_warns->setObjectName("languageWarns");
    m_warns->setMaximumWidth(60);
    row->addWidget(m_warns);
    row->addStretch();
    layout->addLayout(row);
    auto* help = new QLabel("Seperate each bad word by line to warn before kick. Type "
                            "k|badword for autokick without warn");
    help->setWordWrap(true);
    layout->addWidget(help);
    m_words = new QPlainTextEdit;
    m_words->setObjectName("languageWords");
    layout->addWidget(m_words, 1);

    LanguageFilter& filter = m_app.enforcement().language;
    connect(m_warns, &QLineEdit::textEdited, this,
            [&filter](const QString& text) { filter.warnsEdited(toGameText(text)); });
    connect(m_warns, &QLineEdit::editingFinished, this, [&filter] { filter.warnsLeft(); });
    connect(m_words, &QPlainTextEdit::textChanged, this, [this, &filter] {
        if (!m_showing) filter.editorEdited(toGameText(m_words->toPlainText()));
    });
    return page;
}

void RestrictionsPage::showWeapons() {
    m_showing = true;
    const WeaponLists& lists = m_app.enforcement().weaponLists;
    for (std::size_t flag = 0; flag < m_entries.size(); ++flag)
        if (QListWidgetItem* item = m_entries[flag])
            item->setCheckState(lists.selected(static_cast<int>(flag)) ? Qt::Checked
                                                                       : Qt::Unchecked);
    for (std::size_t category = 0; category < m_selectAll.size(); ++category)
        m_selectAll[category]->setChecked(lists.allSelected(category));
    m_showing = false;
}

void RestrictionsPage::showLanguageTexts() {
    m_showing = true;
    const LanguageFilter& filter = m_app.enforcement().language;
    m_warns->setText(fromGameText(filter.warnsText()));
    const QString words = fromGameText(filter.editorText());
    if (m_words->toPlainText() != words) m_words->setPlainText(words);
    m_showing = false;
}

} // namespace corvane::console
