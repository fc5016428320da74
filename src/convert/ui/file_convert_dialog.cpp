#include "convert/ui/file_convert_dialog.h"

#include <QFile>

#include "convert/convert.h"

namespace rmx::ui {

FileConvertDialog::FileConvertDialog(Dialogs& dialogs, QWidget* parent)
    : FileConvertDialog([&dialogs]() -> Dialogs& { return dialogs; }, parent) {}

FileConvertDialog::FileConvertDialog(std::function<Dialogs&()> dialogs, QWidget* parent)
    : FilePickDialog({"frmFileConvert", "Convert File (*.app, *.tab, *.nta, *.cma, or *.txt)",
                      {"*.app", "*.txt", "*.tab", "*.cma", "*.nta"}, "dirRmxConvert", "filRmxConvert",
                      "Laboratory files", "cmdConvert", "Con&vert",
                      "Select a laboratory file (*.app, *.tab, *.nta, *.cma or *.txt) in the file list first."},
                     std::move(dialogs), parent) {}

void FileConvertDialog::Act() {
  const QString input = SelectedPath();
  if (input.isEmpty()) return;
  // The overwrite question and any error message are shown by the command; the
  // dialog stays open for another choice unless the file was written.
  const ConvertResult r = ConvertFile(QFile::encodeName(input).toStdString(), CurrentDialogs());
  if (!r.ok) return;
  close();
  emit converted(QFile::decodeName(QByteArray::fromStdString(r.outputPath)));
}

}  // namespace rmx::ui
