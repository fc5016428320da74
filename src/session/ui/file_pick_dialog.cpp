#include "session/ui/file_pick_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QTreeView>
#include <QVBoxLayout>

#include "session/ui/qt_dialogs.h"
#include "store/text.h"

namespace rmx::ui {

namespace {

// Each dialog keeps the folder it was last used in between runs, in the user's
// settings (~/.config/Remanex/remanex.conf).
QString FolderKey(const char* formName) { return QStringLiteral("folders/") + QString::fromLatin1(formName); }

QString LastFolder(const char* formName) {
  const QSettings settings(QStringLiteral("Remanex"), QStringLiteral("remanex"));
  return settings.value(FolderKey(formName)).toString();
}

void KeepFolder(const char* formName, const QString& folder) {
  QSettings settings(QStringLiteral("Remanex"), QStringLiteral("remanex"));
  settings.setValue(FolderKey(formName), folder);
}

}  // namespace

QString JoinPath(const QString& folder, const QString& name) {
  return QFile::decodeName(QByteArray::fromStdString(
      PathJoin(QFile::encodeName(folder).toStdString(), QFile::encodeName(name).toStdString())));
}

FilePickDialog::FilePickDialog(const FilePickForm& form, std::function<Dialogs&()> dialogs, QWidget* parent)
    : QDialog(parent), form_(form), dialogs_(std::move(dialogs)) {
  setObjectName(form.formName);
  setWindowTitle(form.caption);
  setModal(false);

  dirModel_ = new QFileSystemModel(this);
  dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  dirModel_->setRootPath(QDir::rootPath());
  // Patterns match whatever the case of the extension (CRA.APP is an "app" file).
  fileModel_ = new QFileSystemModel(this);
  fileModel_->setFilter(QDir::Files);
  fileModel_->setNameFilters(form.patterns);
  fileModel_->setNameFilterDisables(false);

  auto* frame = new QGroupBox("File Selection", this);
  Describe(frame, "fraFileSelection", "File Selection");
  dirView_ = new QTreeView(frame);
  Describe(dirView_, form.folderList, "Folders");
  dirView_->setModel(dirModel_);
  for (int c = 1; c < dirModel_->columnCount(); ++c) dirView_->hideColumn(c);
  dirView_->header()->hide();
  fileView_ = new QListView(frame);
  Describe(fileView_, form.fileList, form.fileListName);
  fileView_->setModel(fileModel_);
  fileView_->setSelectionMode(QAbstractItemView::SingleSelection);
  fileView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  folderLabel_ = new QLabel(frame);
  folderLabel_->setObjectName("lblFolder");
  folderLabel_->setTextFormat(Qt::PlainText);

  auto* action = new QPushButton(form.actionCaption, this);
  Describe(action, form.actionButton, QString(form.actionCaption).remove('&'));
  action->setDefault(true);
  auto* cmdCancel = new QPushButton("&Cancel", this);
  Describe(cmdCancel, "cmdCancel", "Cancel");
  auto* cmdExit = new QPushButton("E&xit", this);
  Describe(cmdExit, "cmdExit", "Exit");

  auto* views = new QHBoxLayout;
  views->addWidget(dirView_, 1);
  views->addWidget(fileView_, 1);
  auto* inner = new QVBoxLayout(frame);
  inner->addWidget(folderLabel_);
  inner->addLayout(views);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(action);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdExit);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addLayout(buttons);
  resize(640, 420);

  // A folder is entered by double-clicking it (or Enter on it).
  connect(dirView_, &QTreeView::activated, this,
          [this](const QModelIndex& index) { SetFolder(dirModel_->filePath(index)); });
  connect(fileView_, &QListView::doubleClicked, this, [this](const QModelIndex&) { Act(); });
  connect(action, &QPushButton::clicked, this, [this] { Act(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] {
    close();
    if (parentWidget()) parentWidget()->show();
  });
  connect(cmdExit, &QPushButton::clicked, this, [this] {
    close();
    emit exitRequested();
  });

  // The lists start in the folder this dialog was last used in, while it exists, and
  // otherwise at the process's current folder.
  const QString last = LastFolder(form.formName);
  SetFolder(!last.isEmpty() && QFileInfo(last).isDir() ? last : QDir::currentPath());
}

void FilePickDialog::SetFolder(const QString& folder) {
  const QString clean = QDir::cleanPath(folder);
  fileView_->setRootIndex(fileModel_->setRootPath(clean));
  fileView_->clearSelection();
  const QModelIndex dirIndex = dirModel_->index(clean);
  dirView_->setCurrentIndex(dirIndex);
  dirView_->scrollTo(dirIndex);
  folderLabel_->setText(clean);
}

QString FilePickDialog::Folder() const { return fileModel_->rootPath(); }

bool FilePickDialog::SelectFile(const QString& name) {
  const QModelIndex index = fileModel_->index(JoinPath(Folder(), name));
  if (!index.isValid() || fileModel_->isDir(index)) return false;
  fileView_->setCurrentIndex(index);
  return true;
}

QString FilePickDialog::SelectedPath() {
  const QModelIndex index = fileView_->currentIndex();
  if (!index.isValid() || !fileView_->selectionModel()->isSelected(index) || fileModel_->isDir(index)) {
    dialogs_().MessageBox(FromQt(form_.noFileMessage), FromQt(form_.caption), MessageIcon::Information);
    return {};
  }
  KeepFolder(form_.formName, Folder());
  return JoinPath(Folder(), fileModel_->fileName(index));
}

}  // namespace rmx::ui
