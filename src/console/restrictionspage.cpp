#include "console/restrictionspage.h"

#include "app/app.h"
#include "console/widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane::console {

RestrictionsPage::RestrictionsPage(App& app, QWidget* parent) : QWidget(parent), m_app(app) {
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName("restrictionsTabs");
    m_tabs->addTab(buildInGame(), "In-Game");
    m_tabs->addTab(buildLanguageFilter(), "Language Filter");
    layout->addWidget(m_tabs);
}

QWidget* RestrictionsPage::buildInGame() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel("Check all weapons and items you would like disabled"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Max warns before kick:"));
    row->addWidget(maxWarnsBox(m_app));
    row->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

QWidget* RestrictionsPage::buildLanguageFilter() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* use =
        new SwitchBox("Enable Language Filter", m_app, Settings::Switch::LanguageFilterEnabled);
    use->setObjectName("enableLanguageFilter");
    layout->addWidget(use);
    layout->addStretch();
    return page;
}

} // namespace corvane::console
