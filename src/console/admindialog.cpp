#include "console/admindialog.h"

#include "app/app.h"
#include "console/richtextview.h"
#include "console/widgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace corvane::console {

AdminDialog::AdminDialog(std::unique_ptr<AdminAction> action,
                         const std::vector<std::string>& reasons, QWidget* parent)
    : QDialog(parent), m_action(std::move(action)) {
    setObjectName("adminDialog");
    setWindowIcon(appIcon());
    setWindowTitle(fromPlayerText(m_action->title()));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(fromPlayerText(m_action->prompt()));
    prompt->setObjectName("adminPrompt");
    prompt->setWordWrap(true);
    layout->addWidget(prompt);

    m_reason = new QComboBox;
    m_reason->setObjectName("adminReason");
    m_reason->setEditable(true);
    m_reason->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& reason : reasons)
        m_reason->addItem(fromGameText(reason));
    m_reason->setCurrentIndex(-1);
    m_reason->lineEdit()->setPlaceholderText("Select optional reason");
    auto* reasonLabel = new QLabel("Select optional reason");
    layout->addWidget(reasonLabel);
    layout->addWidget(m_reason);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QString::fromStdString(m_action->okCaption()));
    ok->setObjectName("adminOk");
    ok->setDefault(true);
    auto* none = new QPushButton("No Reason");
    none->setObjectName("adminNoReason");
    auto* cancel = new QPushButton(QString::fromStdString(m_action->cancelCaption()));
    cancel->setObjectName("adminCancel");
    for (QPushButton* b : {ok, none, cancel})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    if (!m_action->offersReasons()) {
        reasonLabel->hide();
        m_reason->hide();
        none->hide();
    }
    connect(ok, &QPushButton::clicked, this, [this] { finish(true); });
    connect(none, &QPushButton::clicked, this, [this] { finish(false); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(m_reason->lineEdit(), &QLineEdit::returnPressed, this, [this] { finish(true); });
    // The reason box takes the keyboard a moment after the dialog shows.
    QTimer::singleShot(100, m_reason, [this] { m_reason->setFocus(); });
    resize(420, sizeHint().height());
}

// Enter in the reason box may reach both the box and the default button; the
// action is carried out once.
void AdminDialog::finish(bool withReason) {
    if (m_done) return;
    m_done = true;
    if (withReason)
        m_action->ok(toGameText(m_reason->currentText()));
    else
        m_action->noReason();
    accept();
}

AdminDialog* AdminDialog::open(std::unique_ptr<AdminAction> action, App& app, QWidget* parent) {
    if (!action) return nullptr;
    auto* dialog = new AdminDialog(std::move(action), app.adminActionReasons(), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(true);
    dialog->show();
    return dialog;
}

} // namespace corvane::console
