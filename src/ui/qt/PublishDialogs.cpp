#include "PublishDialogs.h"
#include "ui/qt/QtConvert.h"

#include "app/EditorModel.h"
#include "platform/PathText.h"
#include "ui/qt/AutorunWizardDialog.h"
#include "ui/qt/QtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace orvane {
namespace fs = std::filesystem;

namespace {

std::string S(const QString& s) { return s.toUtf8().toStdString(); }

QLabel* Wrapped(const QString& text = {}) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A progress window with Cancel for work that reports bytes done. It opens
// with the work's first step, once every question has been answered, and
// Close() takes it away before the outcome is told: a question under it would
// wait for an answer it could not get.
class Progress {
public:
    Progress(QWidget* parent, const QString& title) : parent_(parent), title_(title) {}
    bool Step(const QString& text, uint64_t done, uint64_t total) {
        if (!dialog_) Open();
        if (text != text_) {
            text_ = text;
            dialog_->setLabelText(text);
        }
        if (clock_.elapsed() >= 40 || done >= total) {
            dialog_->setValue(total ? int(done * 1000 / total) : 0);
            QApplication::processEvents();
            clock_.restart();
        }
        return !dialog_->wasCanceled();
    }
    void Close() { dialog_.reset(); }

private:
    void Open() {
        dialog_ = std::make_unique<QProgressDialog>(parent_);
        dialog_->setWindowTitle(title_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(300);
        dialog_->setRange(0, 1000);
        dialog_->setMinimumWidth(360);
        clock_.start();
    }

    QWidget* parent_;
    QString title_;
    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer clock_;
    QString text_;
};

QString FindingsText(const DiscFolderModel& model) {
    QStringList lines;
    for (const std::string& line : model.Findings()) lines << Q(line);
    return lines.join("\n\n");
}

// The action, Close, and Help for the "Publishing your disc" page.
QDialogButtonBox* Buttons(QDialog* dialog, DiscFolderModel& model, QPushButton*& action, const QString& caption) {
    auto* box = new QDialogButtonBox;
    action = box->addButton(caption, QDialogButtonBox::AcceptRole);
    action->setDefault(true);
    box->addButton(QDialogButtonBox::Close);
    box->addButton(QDialogButtonBox::Help);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(box, &QDialogButtonBox::helpRequested, dialog, [&model] {
        if (auto* qt = dynamic_cast<QtPlatform*>(&model.Desktop())) qt->OpenHelpPage(HelpPage::Publishing);
    });
    return box;
}

}  // namespace

// The disc folder ------------------------------------------------------------------------

DiscFolderPanel::DiscFolderPanel(DiscFolderModel& model, std::function<void()> rebuild, QWidget* parent)
    : QWidget(parent), model_(model), rebuild_(std::move(rebuild)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel("Disc folder (everything in it goes on the disc):"));
    auto* row = new QHBoxLayout;
    path_ = new QLineEdit;
    path_->setObjectName("DiscFolder");
    path_->setReadOnly(true);
    auto* browse = new QPushButton("Browse...");
    browse->setObjectName("BrowseFolder");
    row->addWidget(path_, 1);
    row->addWidget(browse);
    column->addLayout(row);
    findings_ = Wrapped();
    findings_->setObjectName("Findings");
    column->addWidget(findings_);
    connect(browse, &QPushButton::clicked, this, [this] {
        if (!model_.BrowseFolder()) return;
        if (model_.OfferBuild()) rebuild_();
        Sync();
        emit Changed();
    });
    Sync();
}

void DiscFolderPanel::Sync() {
    path_->setText(Q(model_.Folder));
    findings_->setText(FindingsText(model_));
}

// Test Autorun ------------------------------------------------------------------------

TestAutorunDialog::TestAutorunDialog(TestRunModel& model, std::function<void()> rebuild, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName("TestAutorun");
    setWindowTitle("Test Autorun");
    auto* column = new QVBoxLayout(this);
    folder_ = new DiscFolderPanel(model_, std::move(rebuild));
    column->addWidget(folder_);
    auto* form = new QFormLayout;
    screen_ = new QComboBox;
    screen_->setObjectName("Screen");
    for (const std::string& s : TestRunModel::kScreens) screen_->addItem(Q(TestRunModel::ScreenName(s)), Q(s));
    form->addRow("Show the menu on:", screen_);
    column->addLayout(form);
    status_ = Wrapped(Q(model_.StatusText).replace('\r', '\n'));
    status_->setObjectName("Status");
    column->addWidget(status_);
    column->addStretch(1);
    column->addWidget(Buttons(this, model_, start_, "&Start Test"));
    close_ = findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
    connect(start_, &QPushButton::clicked, this, [this] {
        if (model_.Started())
            model_.Stop();
        else
            Start();
    });
    connect(folder_, &DiscFolderPanel::Changed, this, [this] { Sync(); });
    poll_ = new QTimer(this);
    poll_->setInterval(250);
    connect(poll_, &QTimer::timeout, this, [this] { Poll(); });
    resize(480, sizeHint().height());
    Sync();
}

TestAutorunDialog::~TestAutorunDialog() {
    if (model_.Started()) model_.Finish();
}

void TestAutorunDialog::Sync() {
    folder_->Sync();
    const bool running = model_.Started();
    start_->setText(running ? "&End Test" : "&Start Test");
    start_->setEnabled(running || (!busy_ && model_.Unavailable.empty() && !model_.Check.Blocked()));
    screen_->setEnabled(!running && !busy_);
    if (!model_.StatusText.empty()) status_->setText(Q(model_.StatusText));
}

void TestAutorunDialog::Start() {
    model_.SetScreen(S(screen_->currentData().toString()));
    busy_ = true;
    Sync();
    stopStarting_ = false;
    const bool started = model_.Start([this] {
        status_->setText(Q(model_.StatusText));
        QApplication::processEvents();
        return !stopStarting_;
    });
    busy_ = false;
    if (started) poll_->start();
    Sync();
}

void TestAutorunDialog::Poll() {
    if (model_.Running()) return;
    poll_->stop();
    model_.Finish();
    Sync();
}

void TestAutorunDialog::reject() {
    if (busy_) {
        stopStarting_ = true;  // ends the preparation; closing again closes the window
        return;
    }
    if (model_.Started()) {
        model_.Stop();
        model_.Finish();
    }
    QDialog::reject();
}

// Create Disc Image ------------------------------------------------------------------

DiscImageDialog::DiscImageDialog(DiscImageModel& model, std::function<void()> rebuild, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName("CreateDiscImage");
    setWindowTitle("Create Disc Image");
    auto* column = new QVBoxLayout(this);
    folder_ = new DiscFolderPanel(model_, std::move(rebuild));
    column->addWidget(folder_);
    auto* form = new QFormLayout;
    label_ = new QLineEdit;
    label_->setObjectName("Label");
    label_->setMaxLength(32);
    label_->setToolTip("Letters, digits and _ only; Windows shows the first 16 characters.");
    form->addRow("Disc label:", label_);
    auto* row = new QHBoxLayout;
    target_ = new QLineEdit;
    target_->setObjectName("Target");
    auto* browse = new QPushButton("Browse...");
    row->addWidget(target_, 1);
    row->addWidget(browse);
    form->addRow("Save the image as:", row);
    column->addLayout(form);
    column->addStretch(1);
    column->addWidget(Buttons(this, model_, create_, "&Create Image"));
    connect(label_, &QLineEdit::editingFinished, this, [this] {
        model_.SetLabel(S(label_->text()));
        Sync();
    });
    connect(target_, &QLineEdit::editingFinished, this, [this] { model_.SetTarget(S(target_->text())); });
    connect(browse, &QPushButton::clicked, this, [this] {
        model_.BrowseTarget();
        Sync();
    });
    connect(create_, &QPushButton::clicked, this, [this] { Create(); });
    connect(folder_, &DiscFolderPanel::Changed, this, [this] { Sync(); });
    resize(520, sizeHint().height());
    Sync();
}

void DiscImageDialog::Sync() {
    folder_->Sync();
    label_->setText(Q(model_.Label));
    target_->setText(Q(model_.Target));
    create_->setEnabled(!model_.Check.Blocked());
}

void DiscImageDialog::Create() {
    model_.SetLabel(S(label_->text()));
    model_.SetTarget(S(target_->text()));
    Sync();
    Progress progress(this, "Create Disc Image");
    const QString text = "Writing " + Q(Utf8FromPath(PathFromUtf8(model_.Target).filename())) + "...";
    if (model_.Write([&](uint64_t done, uint64_t total) { return progress.Step(text, done, total); },
                     [&] { progress.Close(); }))
        accept();
}

// Burn Disc -----------------------------------------------------------------------------

BurnDialog::BurnDialog(BurnModel& model, std::function<void()> rebuild, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName("BurnDisc");
    setWindowTitle("Burn Disc");
    auto* column = new QVBoxLayout(this);
    folder_ = new DiscFolderPanel(model_, std::move(rebuild));
    column->addWidget(folder_);
    auto* form = new QFormLayout;
    auto* row = new QHBoxLayout;
    drives_ = new QComboBox;
    drives_->setObjectName("Drives");
    auto* refresh = new QPushButton("Look Again");
    refresh->setToolTip("Finds the drives again and reads the disc in the chosen one");
    row->addWidget(drives_, 1);
    row->addWidget(refresh);
    form->addRow("Drive:", row);
    medium_ = Wrapped();
    medium_->setObjectName("Medium");
    form->addRow("Disc in it:", medium_);
    label_ = new QLineEdit;
    label_->setObjectName("Label");
    label_->setMaxLength(32);
    form->addRow("Disc label:", label_);
    column->addLayout(form);
    column->addStretch(1);
    column->addWidget(Buttons(this, model_, burn_, "&Burn"));
    connect(drives_, &QComboBox::activated, this, [this](int index) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        model_.SelectDrive(index);
        QApplication::restoreOverrideCursor();
        Sync();
    });
    connect(refresh, &QPushButton::clicked, this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const int selected = model_.Selected;
        model_.ScanDrives();
        if (selected >= 0 && selected < int(model_.Drives.size())) model_.SelectDrive(selected);
        QApplication::restoreOverrideCursor();
        Sync();
    });
    connect(label_, &QLineEdit::editingFinished, this, [this] {
        model_.SetLabel(S(label_->text()));
        Sync();
    });
    connect(burn_, &QPushButton::clicked, this, [this] { Burn(); });
    connect(folder_, &DiscFolderPanel::Changed, this, [this] { Sync(); });
    resize(520, sizeHint().height());
    Sync();
}

void BurnDialog::Sync() {
    folder_->Sync();
    {
        const QSignalBlocker block(drives_);
        drives_->clear();
        for (const BurnDrive& d : model_.Drives) drives_->addItem(Q(d.Name + "  (" + d.Address + ")"));
        drives_->setCurrentIndex(model_.Selected);
    }
    medium_->setText(Q(model_.MediumText));
    label_->setText(Q(model_.Label));
    burn_->setEnabled(!model_.Check.Blocked() && model_.Selected >= 0);
}

void BurnDialog::Burn() {
    Progress progress(this, "Burn Disc");
    const bool burned = model_.Burn(
        [&](BurnModel::Stage stage, uint64_t done, uint64_t total) {
            const QString text = stage == BurnModel::Stage::Image     ? "Making the disc image..."
                                 : stage == BurnModel::Stage::Writing ? "Writing the disc..."
                                                                      : "Reading the disc back to check it...";
            return progress.Step(text, done, total);
        },
        [&] { progress.Close(); });
    Sync();
    if (burned) accept();
}

// The File menu ------------------------------------------------------------------------

PublishActions::PublishActions(EditorModel& model, QWidget* window, std::function<void()> showModel)
    : QObject(window), model_(model), window_(window), showModel_(std::move(showModel)) {
    TestAutorun = new QAction("Test Autorun...", this);
    TestAutorun->setToolTip("Runs the autorun application under Wine, as from a CD");
    CreateImage = new QAction("Create Disc Image...", this);
    CreateImage->setToolTip("Writes an ISO image of the disc folder");
    BurnDisc = new QAction("Burn Disc...", this);
    BurnDisc->setToolTip("Burns the disc folder to a blank CD, DVD or BD");
    connect(TestAutorun, &QAction::triggered, this, [this] {
        TestRunModel run(model_, lastFolder_, model_.Folders().Cache);
        Open<TestAutorunDialog>(run);
    });
    connect(CreateImage, &QAction::triggered, this, [this] {
        DiscImageModel image(model_, lastFolder_);
        Open<DiscImageDialog>(image);
    });
    connect(BurnDisc, &QAction::triggered, this, [this] {
        BurnModel burn(model_, lastFolder_, model_.Folders().Cache);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        burn.ScanDrives();
        QApplication::restoreOverrideCursor();
        Open<BurnDialog>(burn);
    });
}

void PublishActions::AddTo(QMenu* fileMenu) {
    fileMenu->addAction(TestAutorun);
    fileMenu->addAction(CreateImage);
    fileMenu->addAction(BurnDisc);
}

template <typename Dialog, typename Model>
void PublishActions::Open(Model& model) {
    try {
        if (!model.Prepare([this, &model] { Rebuild(model); })) return;
        showModel_();
        Dialog dialog(model, [this, &model] { Rebuild(model); }, window_);
        dialog.exec();
        lastFolder_ = model.Folder;
    } catch (const std::exception& error) {
        ShowMessageBox(model_.Desktop(), error.what(), MsgType::Error);
    }
    showModel_();
}

void PublishActions::Rebuild(DiscFolderModel& model) {
    model.Rebuild([this](TfrmEXEWizCls& wizard) {
        showModel_();
        AutorunWizardDialog dialog(wizard, window_);
        dialog.exec();
    });
    showModel_();
}

}  // namespace orvane
