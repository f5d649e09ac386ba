#include "console/widgetprompts.h"

#include "console/richtextview.h"

#include <QInputDialog>
#include <QMessageBox>

namespace corvane::console {

MessageResult WidgetPrompts::messageBox(const std::string& title, const std::string& text,
                                        MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(m_parent);
    box.setWindowTitle(fromGameText(title));
    box.setText(fromGameText(text));
    switch (icon) {
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::None:
        break;
    }
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::AbortRetryIgnore:
        box.setStandardButtons(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Abort:
        return MessageResult::Abort;
    case QMessageBox::Retry:
        return MessageResult::Retry;
    case QMessageBox::Ignore:
        return MessageResult::Ignore;
    default:
        break;
    }
    // A box closed with its window button answers like its safest button.
    switch (buttons) {
    case MessageButtons::YesNo:
        return MessageResult::No;
    case MessageButtons::AbortRetryIgnore:
        return MessageResult::Ignore;
    default:
        return MessageResult::Ok;
    }
}

std::string WidgetPrompts::inputBox(const std::string& title, const std::string& prompt,
                                    const std::string& initial) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(m_parent, fromGameText(title), fromGameText(prompt),
                              QLineEdit::Normal, fromGameText(initial), &ok);
    return ok ? toGameText(answer) : std::string();
}

} // namespace corvane::console
