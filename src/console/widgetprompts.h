#pragma once
// Message boxes and input boxes as Qt dialogs.

#include "core/prompts.h"

class QWidget;

namespace corvane::console {

class WidgetPrompts : public Prompts {
public:
    void setParent(QWidget* parent) { m_parent = parent; }
    MessageResult messageBox(const std::string& title, const std::string& text,
                             MessageButtons buttons, MessageIcon icon) override;
    std::string inputBox(const std::string& title, const std::string& prompt,
                         const std::string& initial) override;

private:
    QWidget* m_parent = nullptr;
};

} // namespace corvane::console
