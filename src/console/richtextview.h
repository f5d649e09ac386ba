#pragma once
// A read-only text view that renders a core RichText model and follows it.

#include "core/richtext.h"

#include <QTextEdit>

namespace corvane::console {

class RichTextView : public QTextEdit {
public:
    RichTextView(RichText& model, QWidget* parent = nullptr);

private:
    void render();
    void appendRun(const TextRun& run);

    RichText& m_model;
    Connections m_connections;
};

// Colours are stored blue-green-red.
QColor toQColor(Colour colour);
// Game and file text is Windows-1252.
QString fromGameText(const std::string& bytes);
std::string toGameText(const QString& text);

} // namespace corvane::console
