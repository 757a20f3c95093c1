#include "QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QtDebug>

namespace orvane {
namespace {

QString ToQt(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Message texts break lines with CR.
QString MessageText(const std::string& text) {
    QString s = ToQt(text);
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

QMessageBox::StandardButton ToQtButton(MsgResult r) {
    switch (r) {
        case MsgResult::Yes: return QMessageBox::Yes;
        case MsgResult::No: return QMessageBox::No;
        case MsgResult::Cancel: return QMessageBox::Cancel;
        case MsgResult::Ok: break;
    }
    return QMessageBox::Ok;
}

}  // namespace

QString QtFilter(const std::string& filter) {
    const QStringList parts = ToQt(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype open = description.indexOf('(');
        if (open >= 0) description = description.left(open).trimmed();
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            if (!patterns.contains(p.toLower())) patterns << p.toLower();
            if (!patterns.contains(p.toUpper())) patterns << p.toUpper();
        }
        filters << description + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

MsgResult QtPlatform::ShowMessageBox(const MessageBoxRequest& request) {
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (request.Type) {
        case MsgType::Warning: icon = QMessageBox::Warning; break;
        case MsgType::Error: icon = QMessageBox::Critical; break;
        case MsgType::Confirmation: icon = QMessageBox::Question; break;
        case MsgType::Information: break;
    }
    const auto buttons = request.Buttons == MsgButtons::YesNoCancel
                             ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                             : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(icon, ToQt(request.Caption), MessageText(request.Text), buttons, parent_);
    if (request.DefaultButton) box.setDefaultButton(ToQtButton(*request.DefaultButton));
    switch (box.exec()) {
        case QMessageBox::Yes: return MsgResult::Yes;
        case QMessageBox::No: return MsgResult::No;
        case QMessageBox::Cancel: return MsgResult::Cancel;
        default: return request.Buttons == MsgButtons::YesNoCancel ? MsgResult::Cancel : MsgResult::Ok;
    }
}

std::optional<std::filesystem::path> QtPlatform::OpenFileDialog(const FileDialogRequest& request) {
    const QString folder = ToQt((request.InitialFolder / request.FileName).string());
    const QString chosen = QFileDialog::getOpenFileName(parent_, ToQt(request.Title), folder, QtFilter(request.Filter));
    if (chosen.isEmpty()) return std::nullopt;
    return std::filesystem::path(chosen.toStdString());
}

std::optional<std::filesystem::path> QtPlatform::SaveFileDialog(const FileDialogRequest& request) {
    const QString folder = ToQt((request.InitialFolder / request.FileName).string());
    const QString chosen = QFileDialog::getSaveFileName(parent_, ToQt(request.Title), folder, QtFilter(request.Filter));
    if (chosen.isEmpty()) return std::nullopt;
    return std::filesystem::path(chosen.toStdString());
}

std::optional<std::filesystem::path> QtPlatform::BrowseForFolder(const FolderRequest& request) {
    const QString chosen =
        QFileDialog::getExistingDirectory(parent_, ToQt(request.Title), ToQt(request.InitialFolder.string()));
    if (chosen.isEmpty()) return std::nullopt;
    return std::filesystem::path(chosen.toStdString());
}

void QtPlatform::ProcessMessages() { QApplication::processEvents(); }

void QtPlatform::Beep() { QApplication::beep(); }

void QtPlatform::DebugOutput(std::string_view line) { qDebug().noquote() << ToQt(line); }

// The progress window arrives with the small windows; until then progress
// texts go to the developer output.
void QtPlatform::ShowProgress(std::string_view text) { DebugOutput(text); }

void QtPlatform::SetProgressText(std::string_view text, int) { DebugOutput(text); }

}  // namespace orvane
