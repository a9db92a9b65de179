// The map as a PDF ("Сохранить в PDF…"): the printed page, drawn again at the
// PDF's resolution with its text as text, into a file instead of a printer;
// offered too when "Печать…" finds no printer.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "mapdata/FileReplace.h"
#include "mapdata/NativeName.h"
#include "mapdata/ProblemText.h"
#include "shell/MapExport.h"
#include "shell/widgets/MapWindow.h"
#include "shell/widgets/WidgetKit.h"

bool MapWindow::PrinterFound() const {
  return PrinterInstalled ? PrinterInstalled() : !QPrinterInfo::availablePrinters().isEmpty();
}

void MapWindow::OfferPdfWithoutPrinter() {
  const QString text = Ui("Принтер не найден: в системе не установлено ни одного принтера.\n"
                          "Карту можно сохранить в файл PDF и напечатать позже.");
  if (AskPdfInstead ? AskPdfInstead(text) : AskPdfInsteadBox(text)) OnSavePdfClicked();
}

bool MapWindow::AskPdfInsteadBox(const QString& text) {
  QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::NoButton, this);
  box.setTextFormat(Qt::PlainText);
  QPushButton* save = box.addButton(Ui("Сохранить в PDF…"), QMessageBox::AcceptRole);
  box.addButton(Ui("Отмена"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.exec();
  return box.clickedButton() == save;
}

void MapWindow::OnSavePdfClicked() {
  const QString offered = PathToQString(NativePath(PictureFileName(core_)).replace_extension(".pdf"));
  const QString path = AskPdfPath ? AskPdfPath(offered) : AskPdfPathDialog(offered);
  if (path.isEmpty()) return;
  WritePdf(path);
  pictureFolder_ = QFileInfo(path).absolutePath();
}

// The page goes to a temporary file of its own first and then into place
// whole, as a picture does: a failed write never leaves half a PDF in place of
// the one that was there.
bool MapWindow::WritePdf(const QString& path) {
  const QString failure = Ui("Не удалось сохранить карту в PDF: %1.");
  QTemporaryFile temporary(QDir(QDir::tempPath()).filePath("tellurin-XXXXXX.pdf"));
  if (!temporary.open()) {
    ShowMessage(failure.arg(Ui("временный файл не создаётся: %1").arg(temporary.errorString())).toStdString());
    return false;
  }
  temporary.close();
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(temporary.fileName());
  SetUpMapPage(pdf);
  if (!PrintMap(pdf, failure)) return false;
  std::string bytes, message;
  int error = 0;
  if (!ReadPlainFile(PathFromQString(temporary.fileName()), bytes, error)) {
    ShowMessage(failure.arg(Ui("временный файл не читается")).toStdString());
    return false;
  }
  const fs::path target = PathFromQString(path);
  if (PutExportInPlace(target, bytes, "Не удалось сохранить карту в файл \"" + PathForMessage(target) + "\": ", message))
    return true;
  ShowMessage(message);
  return false;
}

QString MapWindow::AskPdfPathDialog(const QString& offeredName) {
  if (pictureFolder_.isEmpty()) pictureFolder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (pictureFolder_.isEmpty() || !QDir(pictureFolder_).exists()) pictureFolder_ = QDir::homePath();
  const QString path = QFileDialog::getSaveFileName(this, Ui("Сохранить в PDF"), QDir(pictureFolder_).filePath(offeredName),
                                                    Ui("Документ PDF (*.pdf)"));
  if (path.isEmpty() || path.endsWith(".pdf", Qt::CaseInsensitive)) return path;
  return path + ".pdf";
}
