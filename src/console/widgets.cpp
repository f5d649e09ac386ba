#include "console/widgets.h"

#include "app/app.h"
#include "console/richtextview.h"
#include "core/gametext.h"

#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace corvane::console {

SwitchBox::SwitchBox(const QString& caption, App& app, Settings::Switch which, QWidget* parent)
    : QCheckBox(caption, parent), m_app(app), m_which(which) {
    refresh();
    connect(this, &QCheckBox::clicked, this,
            [this](bool ticked) { m_app.settings().setSwitch(m_which, ticked); });
    keepConnected(this, m_app.settings().modFileLoaded.connect([this] { refresh(); }));
}

void SwitchBox::refresh() {
    setChecked(m_app.settings().isTicked(m_which));
}

namespace {

// A child of the owner, so Qt destroys it, and the connection, with the owner.
class ConnectionHolder : public QObject {
public:
    ConnectionHolder(QObject* owner, Connection connection)
        : QObject(owner), m_connection(std::move(connection)) {}

private:
    Connection m_connection;
};

} // namespace

void keepConnected(QObject* owner, Connection connection) {
    new ConnectionHolder(owner, std::move(connection));
}

QLineEdit* maxWarnsBox(App& app, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName("maxWarns");
    box->setMaximumWidth(60);
    auto show = [&app, box] { box->setText(QString::number(app.settings().mod.MaxWarns)); };
    show();
    keepConnected(box, app.settings().modFileLoaded.connect(show));
    QObject::connect(box, &QLineEdit::textEdited, box, [&app](const QString& text) {
        app.settings().maxWarnsEdited(toGameText(text));
    });
    QObject::connect(box, &QLineEdit::editingFinished, box, [&app, box] {
        box->setText(fromGameText(app.settings().maxWarnsLeft(toGameText(box->text()))));
    });
    return box;
}

QString fromPlayerText(const std::string& text) {
    std::string shown = removeColorCodes(text, '9');
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') c = ' ';
    return fromGameText(shown);
}

QGroupBox* frame(const QString& caption, QLayout* layout) {
    auto* box = new QGroupBox(caption);
    box->setLayout(layout);
    return box;
}

// A shield with a crosshair, in the colours of the activity log.
QIcon appIcon() {
    static const QIcon icon = [] {
        QIcon result;
        for (int size : {16, 24, 32, 48, 64, 128}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            const qreal s = size;
            QPainterPath shield;
            shield.moveTo(s * 0.5, s * 0.04);
            shield.lineTo(s * 0.92, s * 0.18);
            shield.cubicTo(s * 0.92, s * 0.62, s * 0.72, s * 0.84, s * 0.5, s * 0.96);
            shield.cubicTo(s * 0.28, s * 0.84, s * 0.08, s * 0.62, s * 0.08, s * 0.18);
            shield.closeSubpath();
            p.setPen(QPen(QColor(10, 30, 90), s / 16));
            p.setBrush(QColor(30, 70, 200));
            p.drawPath(shield);
            p.setPen(QPen(QColor(230, 40, 40), s / 12));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(s * 0.5, s * 0.46), s * 0.2, s * 0.2);
            p.drawLine(QPointF(s * 0.5, s * 0.18), QPointF(s * 0.5, s * 0.74));
            p.drawLine(QPointF(s * 0.22, s * 0.46), QPointF(s * 0.78, s * 0.46));
            p.end();
            result.addPixmap(pixmap);
        }
        return result;
    }();
    return icon;
}

} // namespace corvane::console
