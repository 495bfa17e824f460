#include "app/window/kitvane_dlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QUrl>

#include "app/conversion_options.h"
#include "app/version.h"
#include "app/window/about_dlg.h"
#include "app/window/artwork.h"
#include "app/window/control_factory.h"
#include "app/window/dialog_units.h"
#include "app/window/qt_text.h"
#include "batch/process_all.h"
#include "groups/group_reader.h"
#include "library/enumeration.h"
#include "library/library_loader.h"
#include "naming/selection_views.h"
#include "platform/file_system.h"
#include "riff/riff_editor.h"
#include "riff/wave_parser.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kitvane {
namespace {

// A message's "\r\n" is one line break; Qt would show the "\r" as a character of its own.
QString MessageText(const std::string& text) {
    QString shown = DisplayText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

int CheckBoxValueOf(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        case Qt::Unchecked:
            break;
    }
    return 0;
}

Qt::CheckState CheckStateOf(int value) {
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

// The local paths of a drag, in the order it reports them; other kinds of URL are not folders.
QStringList LocalPathsOf(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr)
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

}  // namespace

CKitvaneDlg::CKitvaneDlg(SettingsProfile& profile, WindowSeams seams, QWidget* parent)
    : QDialog(parent), profile_(profile), seams_(std::move(seams)) {
    setWindowTitle(QString::fromUtf8(kMainWindowTitle));
    setObjectName(QStringLiteral("mainWindow"));
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    session_.TemplateFolder = platform::ExecutableFolder();

    LoadPersistedOptions(session_, profile_);
    session_.library.GroupSubfolder = "\\Groups\\";
    CreateControls();
    BindMembers();
    ConnectEvents();
    PushMembers();
    setAcceptDrops(true);
    Control<QLabel>(control::kVersion)->setText(QStringLiteral("Version " KITVANE_VERSION));
    AddAboutToSystemMenu();
    setWindowIcon(WindowIcon());
    SetUpGuideLink();
    session_.ListShowsLog = false;
    UpdateOutputInfo(session_.library, *this);
    libraryPath_->setFocus();
}

CKitvaneDlg::~CKitvaneDlg() = default;

template <typename Widget>
Widget* CKitvaneDlg::Control(int id) const {
    return findChild<Widget*>(ControlName(id), Qt::FindDirectChildrenOnly);
}

void CKitvaneDlg::CreateControls() {
    const QFont font = DialogFont();
    setFont(font);
    const DialogUnits fontUnits(font);
    const std::vector<QWidget*> controls = CreateMainWindowControls(this, fontUnits);
    const DialogUnits units = UnitsFittingCaptions(controls, fontUnits);
    PlaceMainWindowControls(controls, units);
    const QSize client = units.ToPixels(kMainWindowDialogUnits);
    // The layout is fixed: the frame may grow, but not hide controls.
    setMinimumSize(client);
    resize(client);

    for (int id : {control::kKitVolume, control::kKeygroupVolume}) {
        for (const char* item : kVolumeItems)
            Control<QComboBox>(id)->addItem(QString::fromUtf8(item));
    }
    for (const char* item : kReleaseItems)
        Control<QComboBox>(control::kNoteRelease)->addItem(QString::fromUtf8(item));
}

void CKitvaneDlg::BindMembers() {
    libraryPath_ = Control<QLineEdit>(control::kLibraryPath);
    libraryName_ = Control<QLineEdit>(control::kLibraryName);
    outputFolder_ = Control<QLineEdit>(control::kOutputFolder);
    status_ = Control<QLineEdit>(control::kStatus);
    mainList_ = Control<QListWidget>(control::kMainList);
    wavesList_ = Control<QListWidget>(control::kWavesList);
    views_ = Control<QRadioButton>(control::kShowKits)->group();
    outputInfo_ = Control<QLabel>(control::kOutputInfo);
    progress_ = Control<QProgressBar>(control::kProgress);

    LibraryModel& library = session_.library;
    ConversionOptions& options = session_.options;
    edits_ = {{libraryPath_, &library.LibraryPath},
              {libraryName_, &library.LibraryName},
              {outputFolder_, &library.OutputFolder}};
    checkBoxes_ = {
        {Control<QCheckBox>(control::kBuildKit), &options.BuildKit, OptionCheckBox::BuildKit},
        {Control<QCheckBox>(control::kCreateKeygroups), &options.CreateKeygroups,
         OptionCheckBox::CreateKeygroups},
        {Control<QCheckBox>(control::kKitFolder), &options.KitFolder, OptionCheckBox::KitFolder},
        {Control<QCheckBox>(control::kCopyLoops), &options.CopyLoops, OptionCheckBox::CopyLoops},
        {Control<QCheckBox>(control::kAddBpm), &options.AddBPM, OptionCheckBox::AddBPM},
        {Control<QCheckBox>(control::kAddLibrarySubfolder), &library.AddLibrarySubfolder,
         OptionCheckBox::AddLibrarySubfolder},
    };
    dropDowns_ = {{Control<QComboBox>(control::kKitVolume), &options.KitVolume},
                  {Control<QComboBox>(control::kKeygroupVolume), &options.KeygroupVolume},
                  {Control<QComboBox>(control::kNoteRelease), &options.NoteRelease}};
}

void CKitvaneDlg::ConnectEvents() {
    connect(mainList_, &QListWidget::itemSelectionChanged, this, &CKitvaneDlg::OnMainListSelection);
    connect(wavesList_, &QListWidget::itemSelectionChanged, this, &CKitvaneDlg::OnWavesListSelection);
    connect(views_, &QButtonGroup::buttonClicked, this, &CKitvaneDlg::OnViewClicked);
    for (const CheckBinding& binding : checkBoxes_) {
        QCheckBox* box = binding.box;
        const OptionCheckBox which = binding.which;
        connect(box, &QCheckBox::clicked, this, [this, box, which] {
            box->setTristate(false);  // a click leaves the third state for good
            OnOptionCheckBoxClicked(session_, profile_, *this, which);
        });
    }
    const std::pair<int, void (CKitvaneDlg::*)()> buttons[] = {
        {control::kLibraryBrowse, &CKitvaneDlg::OnLibraryBrowse},
        {control::kOutputBrowse, &CKitvaneDlg::OnOutputBrowse},
        {control::kProcessAll, &CKitvaneDlg::OnProcessAll},
        {control::kClose, &CKitvaneDlg::OnCloseButton},
        {control::kLoadWav, &CKitvaneDlg::OnLoadWav},
        {control::kLoadGroup, &CKitvaneDlg::OnLoadGroup},
        {control::kRiffTest, &CKitvaneDlg::OnRiffTest},
    };
    for (const auto& [id, handler] : buttons)
        connect(Control<QPushButton>(id), &QPushButton::clicked, this, handler);
    // The Help button's command does nothing.
}

void CKitvaneDlg::SetUpGuideLink() {
    auto* link = Control<QLabel>(control::kGuideLink);
    const QUrl address =
        QUrl::fromLocalFile(QString::fromStdString(platform::ToNativePath(platform::ExecutableFolder())) +
                            QLatin1Char('/') + QLatin1String(kGuideFile));
    link->setTextFormat(Qt::RichText);
    link->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                      .arg(address.toString(QUrl::FullyEncoded), link->text().toHtmlEscaped()));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setOpenExternalLinks(false);
    link->setToolTip(address.toString());
    link->adjustSize();
    connect(link, &QLabel::linkActivated, this, [this](const QString& url) { seams_.openUrl(QUrl(url)); });
}

void CKitvaneDlg::AddAboutToSystemMenu() {
#ifdef Q_OS_WIN
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (menu == nullptr)
        return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommand, QString::fromUtf8(kAboutItem).toStdWString().c_str());
#endif
}

#ifdef Q_OS_WIN
bool CKitvaneDlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutCommand) {
        ShowAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

// Window services.

void CKitvaneDlg::CaptureControls() {
    for (const EditBinding& binding : edits_)
        *binding.member = PathTextOf(binding.edit->text());
    for (const CheckBinding& binding : checkBoxes_)
        *binding.member = CheckBoxValueOf(binding.box);
    for (const ComboBinding& binding : dropDowns_)
        *binding.member = binding.box->currentIndex();
    session_.library.ShowInstruments = views_->checkedId();
}

void CKitvaneDlg::PushMembers() {
    for (const EditBinding& binding : edits_)
        binding.edit->setText(DisplayText(*binding.member));
    for (const CheckBinding& binding : checkBoxes_) {
        *binding.member = CheckBoxValue(*binding.member);
        // Only a stored 2 shows the third state; clicks toggle between on and off.
        binding.box->setTristate(*binding.member == 2);
        binding.box->setCheckState(CheckStateOf(*binding.member));
    }
    for (const ComboBinding& binding : dropDowns_)
        binding.box->setCurrentIndex(*binding.member);
    // A view value that names neither button leaves both clear.
    QAbstractButton* view = views_->button(session_.library.ShowInstruments);
    views_->setExclusive(view != nullptr);
    for (QAbstractButton* button : views_->buttons())
        button->setChecked(button == view);
    views_->setExclusive(true);
}

void CKitvaneDlg::SetOutputInfo(const std::string& text) {
    outputInfo_->setText(DisplayText(text));
}

void CKitvaneDlg::SetViewCaptions(const std::string& kits, const std::string& instruments) {
    Control<QRadioButton>(control::kShowKits)->setText(ToQString(kits));
    Control<QRadioButton>(control::kShowInstruments)->setText(ToQString(instruments));
}

void CKitvaneDlg::SetStatus(const std::string& text) {
    status_->setText(DisplayText(text));
}

void CKitvaneDlg::AppendLog(const std::string& text) {
    AddMainRow(text);
    // The newest row goes to the top, as far as the list can scroll, so it is in view.
    mainList_->scrollToItem(mainList_->item(mainList_->count() - 1), QAbstractItemView::PositionAtTop);
}

void CKitvaneDlg::AddMainRow(const std::string& text) {
    const QSignalBlocker quiet(mainList_);
    // The row keeps the core's own text, which the inspection views read back as path text.
    auto* item = new QListWidgetItem(DisplayText(text));
    item->setData(Qt::UserRole, ToQString(text));
    mainList_->addItem(item);
}

void CKitvaneDlg::ClearMainList() {
    const QSignalBlocker quiet(mainList_);
    mainList_->clear();
}

void CKitvaneDlg::ClearWavesList() {
    const QSignalBlocker quiet(wavesList_);
    wavesList_->clear();
}

void CKitvaneDlg::AddWavesRow(const std::string& text) {
    const QSignalBlocker quiet(wavesList_);
    wavesList_->addItem(DisplayText(text));
}

namespace {

int SelectedRowOf(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

}  // namespace

int CKitvaneDlg::SelectedMainRow() const {
    return SelectedRowOf(mainList_);
}

int CKitvaneDlg::SelectedWavesRow() const {
    return SelectedRowOf(wavesList_);
}

std::string CKitvaneDlg::MainRowText(int row) const {
    const QListWidgetItem* item = mainList_->item(row);
    return item != nullptr ? ToStdString(item->data(Qt::UserRole).toString()) : std::string();
}

void CKitvaneDlg::SetProgressRange(int count) {
    // A bar with an empty range would show a busy animation; an empty library shows an empty bar.
    progress_->setRange(0, count > 0 ? count : 1);
}

void CKitvaneDlg::SetProgressPosition(int position) {
    progress_->setValue(position);
}

void CKitvaneDlg::EnableControls(bool enabled) {
    for (int id : kRunLockedControls)
        Control<QWidget>(id)->setEnabled(enabled);
}

void CKitvaneDlg::PumpMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void CKitvaneDlg::ShowMessage(const std::string& text) {
    seams_.showMessage(this, MessageKind::Warning, MessageText(text));
}

void CKitvaneDlg::ShowFileError(const std::string& description) {
    seams_.showMessage(this, MessageKind::FileError, MessageText(description));
}

void CKitvaneDlg::SetWaitCursor(bool shown) {
    if (shown) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

// Events.

void CKitvaneDlg::closeEvent(QCloseEvent* event) {
    // A close request is the one way to stop a run: the run sees the flag at its next test.
    stopRequested_ = true;
    QDialog::closeEvent(event);
}

void CKitvaneDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QString::fromUtf8(kAboutItem), this, &CKitvaneDlg::ShowAbout);
    menu.exec(event->globalPos());
}

void CKitvaneDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalPathsOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CKitvaneDlg::dragMoveEvent(QDragMoveEvent* event) {
    if (!LocalPathsOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CKitvaneDlg::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalPathsOf(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // A run walks the library's lists; loading another library now would pull them from under it.
    if (running_) {
        SetStatus(kDropDuringRun);
        return;
    }
    CaptureControls();
    for (const QString& path : paths)
        LoadLibrary(session_, *this, PathTextOf(path));
}

void CKitvaneDlg::OnMainListSelection() {
    // After a run the list holds its log: the first selection brings the library list back.
    if (session_.ListShowsLog) {
        FillLibraryList(session_, *this);
        return;
    }
    OnGroupSelected(session_, *this);
}

void CKitvaneDlg::OnWavesListSelection() {
    OnWaveSelected(session_, *this);
}

void CKitvaneDlg::OnViewClicked() {
    CaptureControls();
    FillLibraryList(session_, *this);
}

void CKitvaneDlg::OnLibraryBrowse() {
    CaptureControls();
    const QStringList folders = seams_.pickFolders(this);
    if (!folders.isEmpty())
        LoadLibrary(session_, *this, PathTextOf(folders.last()));
}

void CKitvaneDlg::OnOutputBrowse() {
    const QStringList folders = seams_.pickFolders(this);
    std::optional<std::string> picked;
    if (!folders.isEmpty())
        picked = PathTextOf(folders.last());
    OnOutputFolderBrowsed(session_, profile_, *this, picked);
}

void CKitvaneDlg::OnProcessAll() {
    running_ = true;
    ProcessAll(session_, *this);
    running_ = false;
}

void CKitvaneDlg::OnCloseButton() {
    CaptureControls();
    accept();
}

QString CKitvaneDlg::PickDeveloperFile(const QString& filter) {
    const QString initialFolder =
        ToQString(platform::ToNativePath(profile_.GetString("Document", "Path", "")));
    return seams_.pickFile(this, initialFolder, filter);
}

void CKitvaneDlg::OnLoadWav() {
    const QString file = PickDeveloperFile(QStringLiteral("Wav File (*.wav)"));
    if (file.isEmpty())
        return;
    CWaveParser parser;
    parser.Parse(PathTextOf(file));
}

void CKitvaneDlg::OnLoadGroup() {
    const QString file = PickDeveloperFile(QStringLiteral("mxgrp File (*.mxgrp)"));
    if (file.isEmpty())
        return;
    PadTable table;
    ReadGroupFile(PathTextOf(file), session_.library.LibraryPath, table);
}

void CKitvaneDlg::OnRiffTest() {
    const QString file = PickDeveloperFile(QStringLiteral("Wav File (*.wav)"));
    if (file.isEmpty())
        return;
    const std::string path = PathTextOf(file);
    WriteWithTempo(path, path + "_out.wav", 20);
}

void CKitvaneDlg::ShowAbout() {
    CAboutDlg about(this);
    about.exec();
}

}  // namespace kitvane
