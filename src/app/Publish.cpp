#include "Publish.h"

#include "app/EditorModel.h"
#include "platform/Errors.h"
#include "platform/PathText.h"

#include <cctype>
#include <thread>

namespace orvane {
namespace fs = std::filesystem;

namespace {

std::string Lines(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& t : texts) out += (out.empty() ? "" : "\r\r") + t;
    return out;
}

std::string WithoutSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

}  // namespace

// The disc folder ------------------------------------------------------------------------

DiscFolderModel::DiscFolderModel(EditorModel& editor, std::string folder)
    : editor_(editor), platform_(editor.Desktop()) {
    if (folder.empty()) folder = editor.Doc().Menu.Folder.empty() ? editor.Files().Folder() : editor.Doc().Menu.Folder;
    Folder = WithoutSlash(folder);
}

bool DiscFolderModel::SaveFirst() {
    if (!editor_.Flags().Modified) return true;
    const MsgResult answer = ShowMessageBox(platform_,
                                            "Your menu has changes that are not saved. The disc is made from the "
                                            "last saved copy.\r\rSave your menu now?",
                                            MsgType::Confirmation, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel) return false;
    if (answer == MsgResult::Yes) return editor_.Files().Save();
    return true;
}

void DiscFolderModel::SetFolder(const std::string& folder) {
    Folder = folder;
    Recheck();
}

void DiscFolderModel::Recheck() {
    std::vector<fs::path> menuFolders;
    for (const std::string& f : {editor_.Doc().Menu.Folder, editor_.Files().Folder()})
        if (!f.empty()) menuFolders.emplace_back(f);
    Check = CheckDiscFolder(PathFromUtf8(Folder), menuFolders);
    Checked();
}

bool DiscFolderModel::BrowseFolder() {
    FolderRequest request;
    request.Title = "Choose the disc folder: the folder with Autorun.exe and everything the disc holds";
    request.InitialFolder = PathFromUtf8(Folder);
    const auto chosen = platform_.BrowseForFolder(request);
    if (!chosen) return false;
    Folder = WithoutSlash(Utf8FromPath(*chosen));
    Recheck();
    return true;
}

bool DiscFolderModel::OfferBuild() {
    if (!Check.NeedsBuild()) return false;
    std::vector<std::string> reasons;
    for (const DiscProblem& p : Check.Problems)
        if (p.Blocking) reasons.push_back(p.Text);
    const std::string text = "The autorun application of " + Folder + " needs to be built first.\r\r" +
                             Lines(reasons) + "\r\rCreate the autorun application now?";
    return ShowMessageBox(platform_, text, MsgType::Confirmation, MsgButtons::YesNoCancel, MsgResult::Yes) ==
           MsgResult::Yes;
}

bool DiscFolderModel::Prepare(const std::function<void()>& rebuild) {
    if (!SaveFirst()) return false;
    Recheck();
    if (OfferBuild()) rebuild();
    return true;
}

void DiscFolderModel::Rebuild(const std::function<void(TfrmEXEWizCls&)>& show) {
    std::unique_ptr<TfrmEXEWizCls> wizard = editor_.OpenAutorunWizard();
    if (!wizard) return;
    show(*wizard);
    // The last page is reached only once the application was written.
    if (wizard->Page == 4 && !editor_.Builder().FileOpFailed)
        SetFolder(Utf8FromPath(PathFromUtf8(wizard->NameField).parent_path()));
    else
        Recheck();
}

std::vector<std::string> DiscFolderModel::Findings() const {
    std::vector<std::string> lines;
    if (!Check.Blocked()) {
        const size_t menus = Check.Package.Files.size();
        lines.push_back("Ready: " + Utf8FromPath(Check.Executable.filename()) + " with " + std::to_string(menus) +
                        (menus == 1 ? " menu; " : " menus; ") + std::to_string(Check.FileCount) + " files, about " +
                        SizeText(Check.ImageEstimate) + ".");
    }
    for (const DiscProblem& p : Check.Problems) lines.push_back((p.Blocking ? "" : "Note: ") + p.Text);
    return lines;
}

bool DiscFolderModel::AcceptWarnings(const std::string& action) {
    const std::vector<std::string> warnings = Check.Warnings();
    if (warnings.empty()) return true;
    return ShowMessageBox(platform_, Lines(warnings) + "\r\r" + action + " anyway?", MsgType::Warning,
                          MsgButtons::YesNoCancel, MsgResult::No) == MsgResult::Yes;
}

// Test Autorun ------------------------------------------------------------------------

const std::vector<std::string> TestRunModel::kScreens = {"", "800x600", "1024x768", "1280x1024"};

TestRunModel::TestRunModel(EditorModel& editor, std::string folder, fs::path cacheBase)
    : DiscFolderModel(editor, std::move(folder)), Unavailable(TestRunUnavailable()), cacheBase_(std::move(cacheBase)) {
    StatusText = Unavailable.empty() ? TestRunDescription() : Unavailable;
}

std::string TestRunModel::ScreenName(const std::string& screen) {
    if (screen.empty()) return "This computer's whole screen";
    std::string name;
    for (char c : screen) name += c == 'x' ? std::string(" x ") : std::string(1, c);
    return name + " pixels, in a window";
}

bool TestRunModel::Start(const std::function<bool()>& tick) {
    if (!Unavailable.empty()) {
        ShowMessageBox(platform_, Unavailable, MsgType::Information);
        return false;
    }
    if (Check.Blocked()) {
        ShowMessageBox(platform_, Lines(Check.Errors()), MsgType::Error);
        return false;
    }
    run_ = MakeTestRun(cacheBase_);
    if (!run_) {
        ShowMessageBox(platform_, TestRunUnavailable(), MsgType::Information);
        return false;
    }
    run_->Desktop = Screen;
    run_->Status = [this, &tick](const std::string& text) {
        StatusText = text;
        tick();
    };
    std::string error;
    if (!run_->Start(Check.Folder, Check.Executable, tick, error)) {
        run_->Finish();
        run_.reset();
        ShowMessageBox(platform_, "The test run could not start. " + error, MsgType::Error);
        StatusText.clear();
        return false;
    }
    StatusText = run_->RunningText();
    return true;
}

bool TestRunModel::Running() { return run_ && run_->Running(); }

void TestRunModel::Stop() {
    if (run_) run_->Stop();
}

void TestRunModel::Finish() {
    if (!run_) return;
    Removed = run_->Finish();
    run_.reset();
    StatusText = "The test has ended.";
    if (!Removed.empty()) {
        std::string list;
        for (const std::string& name : Removed) list += "\r    " + name;
        ShowMessageBox(platform_,
                       "The test run left these files in the disc folder. A CD cannot be written to, so they were "
                       "removed:" + list,
                       MsgType::Information);
    }
}

// Create Disc Image ------------------------------------------------------------------

DiscImageModel::DiscImageModel(EditorModel& editor, std::string folder) : DiscFolderModel(editor, std::move(folder)) {}

void DiscImageModel::Checked() {
    Label = DefaultVolumeLabel(Check);
    const fs::path folder = Check.Folder;
    Target = Utf8FromPath(folder.parent_path() / PathFromUtf8(Utf8FromPath(folder.filename()) + ".iso"));
}

namespace {

std::string ChosenLabel(const std::string& text, const DiscFolderCheck& check) {
    const std::string label = VolumeLabelFrom(text);
    return label.empty() ? DefaultVolumeLabel(check) : label;
}

}  // namespace

void DiscImageModel::SetLabel(const std::string& text) { Label = ChosenLabel(text, Check); }

void BurnModel::SetLabel(const std::string& text) { Label = ChosenLabel(text, Check); }

bool DiscImageModel::BrowseTarget() {
    FileDialogRequest request;
    request.Title = "Save Disc Image";
    request.Filter = "Disc images (*.iso)|*.iso";
    request.FileName = Utf8FromPath(PathFromUtf8(Target).filename());
    request.InitialFolder = PathFromUtf8(Target).parent_path();
    const auto chosen = platform_.SaveFileDialog(request);
    if (!chosen) return false;
    Target = Utf8FromPath(*chosen);
    if (PathFromUtf8(Target).extension().empty()) Target += ".iso";
    return true;
}

bool DiscImageModel::Write(const ImageProgress& progress, const std::function<void()>& workEnded) {
    Result = {};
    if (const std::string problem = ImageTargetProblem(Check.Folder, PathFromUtf8(Target)); !problem.empty()) {
        ShowMessageBox(platform_, problem, MsgType::Error);
        return false;
    }
    if (!AcceptWarnings("Create the image")) return false;
    std::error_code ec;
    if (fs::exists(PathFromUtf8(Target), ec) &&
        ShowMessageBox(platform_, Target + " already exists. Replace it?", MsgType::Confirmation,
                       MsgButtons::YesNoCancel) != MsgResult::Yes)
        return false;
    Result = WriteDiscImage(Check.Folder, PathFromUtf8(Target), Label, progress);
    if (workEnded) workEnded();
    switch (Result.Outcome) {
        case ImageOutcome::Written:
            ShowMessageBox(platform_, "The disc image " + Target + " (" + SizeText(Result.Bytes) + ") is ready.",
                           MsgType::Information);
            return true;
        case ImageOutcome::Cancelled: return false;
        case ImageOutcome::Failed: ShowMessageBox(platform_, Result.Error, MsgType::Error); return false;
    }
    return false;
}

// Burn Disc -----------------------------------------------------------------------------

BurnModel::BurnModel(EditorModel& editor, std::string folder, fs::path cacheBase)
    : DiscFolderModel(editor, std::move(folder)), cache_(cacheBase / "orvane-graphic") {}

void BurnModel::Checked() { Label = DefaultVolumeLabel(Check); }

void BurnModel::ScanDrives() {
    Drives = ListBurnDrives();
    SelectDrive(Drives.empty() ? -1 : 0);
}

void BurnModel::AddDrive(const std::string& address) {
    for (size_t i = 0; i < Drives.size(); ++i) {
        if (Drives[i].Address == address) {
            SelectDrive(int(i));
            return;
        }
    }
    Drives.push_back({address, address.rfind("stdio:", 0) == 0 ? "a file instead of a disc" : address});
    SelectDrive(int(Drives.size()) - 1);
}

void BurnModel::SelectDrive(int index) {
    Selected = index;
    Medium = {};
    MediumText = "No drive was found.";
    if (index < 0 || index >= int(Drives.size())) return;
    std::string error;
    const std::unique_ptr<DiscBurner> burner = DiscBurner::Open(Drives[size_t(index)].Address, error);
    if (!burner) {
        MediumText = error;
        return;
    }
    Medium = burner->Medium();
    MediumText = DescribeMedium(Medium);
}

bool BurnModel::Burn(const Progress& progress, const std::function<void()>& workEnded) {
    if (Selected < 0 || Selected >= int(Drives.size())) {
        ShowMessageBox(platform_, "Choose the drive to burn with first.", MsgType::Information);
        return false;
    }
    if (!AcceptWarnings("Burn the disc")) return false;
    std::string error;
    std::unique_ptr<DiscBurner> burner = DiscBurner::Open(Drives[size_t(Selected)].Address, error);
    if (!burner) {
        ShowMessageBox(platform_, error, MsgType::Error);
        return false;
    }
    Medium = burner->Medium();
    MediumText = DescribeMedium(Medium);
    if (const std::string problem = burner->Unsuitable(Check.ImageEstimate); !problem.empty()) {
        ShowMessageBox(platform_, problem, MsgType::Error);
        return false;
    }
    std::error_code ec;
    fs::create_directories(cache_, ec);
    const fs::space_info space = fs::space(cache_, ec);
    if (!ec && space.available < Check.ImageEstimate) {
        ShowMessageBox(platform_,
                       "The disc image is made in " + Utf8FromPath(cache_) + " first, which needs " +
                           SizeText(Check.ImageEstimate) + " of free space; there is " + SizeText(space.available) +
                           ".",
                       MsgType::Error);
        return false;
    }
    // The image is only a step on the way: it goes once the disc is burned.
    const fs::path image = cache_ / "burn-image.iso";
    struct Remove {
        fs::path Path;
        ~Remove() {
            std::error_code ignored;
            fs::remove(Path, ignored);
        }
    } removeImage{image};
    const ImageResult made = WriteDiscImage(Check.Folder, image, Label, [&](uint64_t done, uint64_t total) {
        return !progress || progress(Stage::Image, done, total);
    });
    if (made.Outcome != ImageOutcome::Written) {
        if (workEnded) workEnded();
        if (made.Outcome == ImageOutcome::Failed) ShowMessageBox(platform_, made.Error, MsgType::Error);
        return false;
    }
    const BurnResult burned = burner->Burn(image, [&](DiscBurner::Stage stage, uint64_t done, uint64_t total) {
        return !progress || progress(stage == DiscBurner::Stage::Writing ? Stage::Writing : Stage::Verifying, done, total);
    });
    if (workEnded) workEnded();
    switch (burned.Outcome) {
        case BurnOutcome::Verified:
            ShowMessageBox(platform_, "The disc is burned, and it matches the disc folder.", MsgType::Information);
            return true;
        case BurnOutcome::Cancelled:
            if (!burned.Error.empty()) ShowMessageBox(platform_, burned.Error, MsgType::Warning);
            return false;
        case BurnOutcome::Failed: ShowMessageBox(platform_, burned.Error, MsgType::Error); return false;
    }
    return false;
}

}  // namespace orvane
