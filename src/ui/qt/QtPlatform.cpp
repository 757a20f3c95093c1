#include "QtPlatform.h"
#include "ui/qt/QtConvert.h"

#include "platform/FileUtil.h"
#include "ui/qt/TipWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "platform/PathText.h"
#include "ui/qt/DesignSurface.h"
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace orvane {
namespace {

// Message texts break lines with CR.
QString MessageText(const std::string& text) {
    QString s = Q(text);
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
    const QStringList parts = Q(filter).split('|');
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

QtPlatform::QtPlatform(QWidget* parent)
    : parent_(parent), helpFolder_(ExecutableFolder() + "help/"), openers_(std::make_unique<QObject>()) {}

// A splash outliving the platform must not report to it.
QtPlatform::~QtPlatform() {
    if (splash_) QObject::disconnect(splash_, &Splash::Finished, nullptr, nullptr);
}

MsgResult QtPlatform::ShowMessageBox(const MessageBoxRequest& request) {
    if (Script) return Script->ShowMessageBox(request);
    if (ending_) return request.Buttons == MsgButtons::YesNoCancel ? MsgResult::No : MsgResult::Ok;
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
    QMessageBox box(icon, Q(request.Caption), MessageText(request.Text), buttons, parent_);
    if (request.DefaultButton) box.setDefaultButton(ToQtButton(*request.DefaultButton));
    switch (box.exec()) {
        case QMessageBox::Yes: return MsgResult::Yes;
        case QMessageBox::No: return MsgResult::No;
        case QMessageBox::Cancel: return MsgResult::Cancel;
        default: return request.Buttons == MsgButtons::YesNoCancel ? MsgResult::Cancel : MsgResult::Ok;
    }
}

std::optional<std::filesystem::path> QtPlatform::OpenFileDialog(const FileDialogRequest& request) {
    if (Script) return Script->OpenFileDialog(request);
    if (ending_) return std::nullopt;
    const QString folder = Q(Utf8FromPath(request.InitialFolder / PathFromUtf8(request.FileName)));
    const QString chosen = QFileDialog::getOpenFileName(parent_, Q(request.Title), folder, QtFilter(request.Filter));
    if (chosen.isEmpty()) return std::nullopt;
    return PathFromUtf8(chosen.toStdString());
}

std::optional<std::filesystem::path> QtPlatform::SaveFileDialog(const FileDialogRequest& request) {
    if (Script) return Script->SaveFileDialog(request);
    if (ending_) return std::nullopt;
    const QString folder = Q(Utf8FromPath(request.InitialFolder / PathFromUtf8(request.FileName)));
    const QString chosen = QFileDialog::getSaveFileName(parent_, Q(request.Title), folder, QtFilter(request.Filter));
    if (chosen.isEmpty()) return std::nullopt;
    return PathFromUtf8(chosen.toStdString());
}

std::optional<std::filesystem::path> QtPlatform::BrowseForFolder(const FolderRequest& request) {
    if (Script) return Script->BrowseForFolder(request);
    if (ending_) return std::nullopt;
    const QString chosen =
        QFileDialog::getExistingDirectory(parent_, Q(request.Title), Q(Utf8FromPath(request.InitialFolder)));
    if (chosen.isEmpty()) return std::nullopt;
    return PathFromUtf8(chosen.toStdString());
}

std::optional<Bitmap> QtPlatform::GetClipboardBitmap() {
    const QImage image = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) return std::nullopt;
    Bitmap bitmap(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) bitmap.At(x, y) = line[x] & 0xFFFFFF;
    }
    return bitmap;
}

bool QtPlatform::SetClipboardBitmap(const Bitmap& bitmap) {
    QGuiApplication::clipboard()->setImage(ToQImage(bitmap));
    return true;
}

void QtPlatform::ProcessMessages() { QApplication::processEvents(); }

void QtPlatform::Beep() {
    if (Script) return Script->Beep();
    QApplication::beep();
}

// Developer output has no debugger to go to here: it reaches the terminal
// only when asked for with ORVANE_TRACE=1.
void QtPlatform::DebugOutput(std::string_view line) {
    const char* wanted = std::getenv("ORVANE_TRACE");
    if (wanted && std::string_view(wanted) == "1") std::cerr << line << std::endl;
}

// Each operation gets a window of its own; one still up from the last is replaced.
void QtPlatform::ShowProgress(std::string_view text) {
    if (progress_) progress_->close();
    progress_ = new ProgressWindow(parent_);
    progress_->setAttribute(Qt::WA_DeleteOnClose);
    progress_->SetText(Q(text));
    progress_->show();
    progress_->repaint();
    QApplication::processEvents();
}

// The result goes to the window of the operation. Once it has closed by its
// own timer there is nothing left to tell. A delay of 0 or less keeps the
// window's own timer running rather than leaving it up for good.
void QtPlatform::SetProgressText(std::string_view text, int closeAfterMs) {
    if (!progress_ || !progress_->isVisible()) return;
    progress_->SetText(Q(text));
    if (closeAfterMs > 0) progress_->CloseAfter(closeAfterMs);
    progress_->repaint();
    QApplication::processEvents();
}

void QtPlatform::ShowSplash(int closeAfterMs) {
    if (Script) return Script->ShowSplash(closeAfterMs);
    if (ending_) return;
    if (splash_) splash_->close();
    splashFinished_ = false;
    splash_ = new Splash(Splash::Mode::StartUp, parent_);
    splash_->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(splash_, &Splash::Finished, [this] { splashFinished_ = true; });
    splash_->show();
    splash_->CloseAfter(closeAfterMs);
}

void QtPlatform::WaitForSplash() {
    if (Script) return Script->WaitForSplash();
    while (!splashFinished_ && !ending_) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

bool QtPlatform::ShowTipWindow(Tip tip) {
    if (Script) return Script->ShowTipWindow(tip);
    if (ending_) return false;
    const auto content = TipContent(tip);
    if (!content) return false;
    TipWindow window(*content, parent_);
    QObject::connect(&window, &TipWindow::HelpRequested, [this] { OpenHelpPage(HelpPage::Contents); });
    return window.exec() == QDialog::Accepted && window.DoNotShowAgain();
}

void QtPlatform::OpenHelpPage(HelpPage page) {
    const std::string path = HelpPagePath(helpFolder_, page);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        orvane::ShowMessageBox(*this, "The help page \"" + path + "\" could not be found.", MsgType::Warning);
        return;
    }
    auto noBrowser = [this, path] {
        orvane::ShowMessageBox(*this, "No web browser could be started to show the help page \"" + path + "\".",
                               MsgType::Warning);
    };
    const QUrl url = QUrl::fromLocalFile(Q(path));
    // The desktop's opener says by its exit status whether a browser took the
    // page; Qt's own call only says whether the opener started.
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(url)) noBrowser();
        return;
    }
    auto* process = new QProcess;  // outlives the editor if the opener keeps the browser in front
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::finished, openers_.get(), [noBrowser](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0) noBrowser();
    });
    QObject::connect(process, &QProcess::errorOccurred, openers_.get(), [process, noBrowser](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        process->deleteLater();
        noBrowser();
    });
    process->start(opener, {url.toString()});
}

}  // namespace orvane
