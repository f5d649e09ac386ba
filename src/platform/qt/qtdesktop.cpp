#include "platform/qt/qtdesktop.h"

#include <QDateTime>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QUrl>

namespace corvane::qt {

LocalDateTime QtClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    return LocalDateTime{t.date().year(), t.date().month(),  t.date().day(),
                         t.time().hour(), t.time().minute(), t.time().second()};
}

bool QtShell::openUrl(const std::string& url) {
    return QProcess::startDetached("xdg-open", {QString::fromStdString(url)});
}

bool QtShell::openFile(const std::filesystem::path& file) {
    return QProcess::startDetached("xdg-open", {QString::fromStdString(file.string())});
}

QtDownloader::QtDownloader() : m_manager(std::make_unique<QNetworkAccessManager>()) {
    // A host that stops answering ends the download as a failure.
    m_manager->setTransferTimeout(30000);
}
QtDownloader::~QtDownloader() = default;

void QtDownloader::download(const std::string& url, const std::filesystem::path& destination,
                            Done done) {
    constexpr qint64 kMaxBytes = 1024 * 1024;
    QNetworkReply* reply = m_manager->get(QNetworkRequest(QUrl(QString::fromStdString(url))));
    QObject::connect(reply, &QNetworkReply::finished, [reply, destination, done] {
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError) {
            done(false, reply->errorString().toStdString());
            return;
        }
        const QByteArray body = reply->read(kMaxBytes);
        QFile out(QString::fromStdString(destination.string()));
        // The file is closed (flushed) before anyone is told it is there.
        const bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                             out.write(body) == body.size() && out.flush();
        out.close();
        if (!written) {
            done(false, "cannot write " + destination.string());
            return;
        }
        done(true, {});
    });
}

namespace {

const char* buttonsText(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return "OK";
    case MessageButtons::YesNo:
        return "Yes/No -> No";
    case MessageButtons::AbortRetryIgnore:
        return "Abort/Retry/Ignore -> Abort";
    }
    return "";
}

} // namespace

MessageResult StreamPrompts::messageBox(const std::string& title, const std::string& text,
                                        MessageButtons buttons, MessageIcon) {
    m_out << "[message box] " << (title.empty() ? std::string() : title + ": ") << text << " ["
          << buttonsText(buttons) << "]" << std::endl;
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageResult::Ok;
    case MessageButtons::YesNo:
        return MessageResult::No;
    case MessageButtons::AbortRetryIgnore:
        return MessageResult::Abort;
    }
    return MessageResult::Ok;
}

std::string StreamPrompts::inputBox(const std::string& title, const std::string& prompt,
                                    const std::string&) {
    m_out << "[input box] " << title << ": " << prompt << " [cancelled]" << std::endl;
    return {};
}

} // namespace corvane::qt
