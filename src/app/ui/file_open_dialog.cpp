#include "app/ui/file_open_dialog.h"

#include <QDir>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/ui/qt_dialogs.h"

namespace rmx::ui {

QString JoinPath(const QString& folder, const QString& name) {
  if (folder.isEmpty()) return name;
  if (folder.endsWith('/')) return folder + name;
  return folder + '/' + name;
}

FileOpenDialog::FileOpenDialog(QWidget* parent, std::function<Dialogs&()> dialogs)
    : QDialog(parent), dialogs_(std::move(dialogs)) {
  setObjectName("frmFileOpen");
  setWindowTitle("Open *.mag File");
  setModal(false);

  dirModel_ = new QFileSystemModel(this);
  dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  dirModel_->setRootPath(QDir::rootPath());
  fileModel_ = new QFileSystemModel(this);
  fileModel_->setFilter(QDir::Files);
  fileModel_->setNameFilters({"*.mag"});
  fileModel_->setNameFilterDisables(false);

  auto* frame = new QGroupBox("File Selection", this);
  frame->setObjectName("fraFileSelection");
  dirView_ = new QTreeView(frame);
  Describe(dirView_, "dirRmxOpen", "Folders");
  dirView_->setModel(dirModel_);
  for (int c = 1; c < dirModel_->columnCount(); ++c) dirView_->hideColumn(c);
  dirView_->header()->hide();
  fileView_ = new QListView(frame);
  Describe(fileView_, "filRmxOpen", "Sample files");
  fileView_->setModel(fileModel_);
  fileView_->setSelectionMode(QAbstractItemView::SingleSelection);
  folderLabel_ = new QLabel(frame);
  folderLabel_->setObjectName("lblFolder");
  folderLabel_->setTextFormat(Qt::PlainText);

  auto* cmdOpen = new QPushButton("&Open", this);
  Describe(cmdOpen, "cmdOpen", "Open");
  cmdOpen->setDefault(true);
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
  buttons->addWidget(cmdOpen);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdExit);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addLayout(buttons);
  resize(640, 420);

  connect(dirView_, &QTreeView::activated, this,
          [this](const QModelIndex& index) { SetFolder(dirModel_->filePath(index)); });
  connect(dirView_, &QTreeView::clicked, this,
          [this](const QModelIndex& index) { SetFolder(dirModel_->filePath(index)); });
  connect(fileView_, &QListView::doubleClicked, this, [this](const QModelIndex&) { OpenSelected(); });
  connect(cmdOpen, &QPushButton::clicked, this, &FileOpenDialog::OpenSelected);
  connect(cmdCancel, &QPushButton::clicked, this, [this] {
    close();
    if (parentWidget()) parentWidget()->show();
  });
  connect(cmdExit, &QPushButton::clicked, this, [this] {
    close();
    emit exitRequested();
  });

  // The lists start at the process's current folder.
  SetFolder(QDir::currentPath());
}

void FileOpenDialog::SetFolder(const QString& folder) {
  const QString clean = QDir::cleanPath(folder);
  fileView_->setRootIndex(fileModel_->setRootPath(clean));
  fileView_->clearSelection();
  const QModelIndex dirIndex = dirModel_->index(clean);
  dirView_->setCurrentIndex(dirIndex);
  dirView_->scrollTo(dirIndex);
  folderLabel_->setText(clean);
}

QString FileOpenDialog::Folder() const { return fileModel_->rootPath(); }

bool FileOpenDialog::SelectFile(const QString& name) {
  const QModelIndex index = fileModel_->index(JoinPath(Folder(), name));
  if (!index.isValid()) return false;
  fileView_->setCurrentIndex(index);
  return true;
}

void FileOpenDialog::OpenSelected() {
  const QModelIndex index = fileView_->currentIndex();
  if (!index.isValid() || !fileView_->selectionModel()->isSelected(index) || fileModel_->isDir(index)) {
    // A folder is no sample file: the dialog refuses it rather than pass it on.
    dialogs_().MessageBox("Select a sample file (*.mag) in the file list first.", "Open *.mag File",
                          MessageIcon::Information);
    return;
  }
  const QString path = JoinPath(Folder(), fileModel_->fileName(index));
  close();
  emit fileChosen(path);
}

}  // namespace rmx::ui
