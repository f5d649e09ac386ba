#include "console/richtextview.h"

#include "core/cp1252.h"

#include <QScrollBar>
#include <QTextCursor>

namespace corvane::console {

QColor toQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QString fromGameText(const std::string& bytes) {
    QString text = QString::fromStdString(cp1252ToUtf8(bytes));
    text.replace("\r\n", "\n");
    return text;
}

std::string toGameText(const QString& text) {
    return utf8ToCp1252(text.toStdString());
}

RichTextView::RichTextView(RichText& model, QWidget* parent) : QTextEdit(parent), m_model(model) {
    setReadOnly(true);
    render();
    m_connections += m_model.reset.connect([this] { render(); });
    m_connections += m_model.appended.connect([this](const TextRun& run) { appendRun(run); });
}

void RichTextView::render() {
    clear();
    for (const TextRun& run : m_model.runs())
        appendRun(run);
}

void RichTextView::appendRun(const TextRun& run) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(toQColor(run.colour));
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    cursor.insertText(fromGameText(run.text), format);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

} // namespace corvane::console
