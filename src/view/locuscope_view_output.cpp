// The view's output: image and SVG export, printing and print preview.
#include <QFile>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

#include "document/command_ids.h"
#include "document/locuscope_document.h"
#include "document/long_operation_guard.h"
#include "framework/file_dialog_filter.h"
#include "framework/message_box.h"
#include "framework/question_box.h"
#include "framework/string_format.h"
#include "view/c_dialog_image_export.h"
#include "view/locuscope_view.h"
#include "view/pane_image.h"
#include "view/pane_printer.h"
#include "view/picture_output.h"
#include "view/track_renderer.h"

namespace {

namespace Id = CommandId;
const std::string kBmpType = "bmp";
// Prints of more pages are first confirmed: a whole draft assembly runs to thousands.
constexpr size_t kPagesWithoutAsking = 100;

// True when the print of pages pages may go ahead.
bool ConfirmPageCount(size_t pages) {
    return pages <= kPagesWithoutAsking ||
           AskYesNo(FormatString("This prints %zu pages. Continue?", pages), true);
}

// A save dialog that adds no extension and asks before overwriting; empty when cancelled.
std::string AskSavePath(QWidget* parent, const QString& title, const std::string& filter) {
    const QString path = QFileDialog::getSaveFileName(
        parent, title, QString(), ToQtFileFilter(QString::fromStdString(filter)), nullptr,
        QFileDialog::DontUseNativeDialog);
    return path.toLocal8Bit().toStdString();
}

}  // namespace

bool LocuscopeView::OnOutputCommand(int id) {
    switch (id) {
        case Id::kImageCapture:
            ExportImage();
            return true;
        case Id::kMetafileCapture:
            ExportMetafile();
            return true;
        case Id::kFilePrint:
            Print(false);
            return true;
        case Id::kFilePrintPreview:
            Print(true);
            return true;
        case Id::kFilePrintSetup:
            PrintSetup();
            return true;
        default:
            return false;
    }
}

bool LocuscopeView::OnUpdateOutputCommand(int id, CommandState& state) {
    switch (id) {
        case Id::kImageCapture:
        case Id::kMetafileCapture:
        case Id::kFilePrint:
        case Id::kFilePrintPreview:
        case Id::kFilePrintSetup:
            state.enabled = GetDocument() != nullptr && !GetDocument()->IsBusy();
            return true;
        default:
            return false;
    }
}

void LocuscopeView::ExportImage() {
    if (geometry_.rowTops.empty()) {
        ShowMessageBox(PictureOutput::kNothingToDisplay);
        return;
    }
    if (picture_.isNull() || GetDocument() == nullptr)
        return;
    // The dialogs pump events: the window may close meanwhile.
    const QPointer<LocuscopeView> self(this);
    QPointer<CDialogImageExport> dialog = new CDialogImageExport(window());
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!accepted || !dialog || !self) {
        delete dialog;
        return;
    }
    const std::string type = dialog->GetType();
    const int width = std::min(dialog->GetWidth(), PaneImage::kMaximumWidth);
    const bool transparent = dialog->GetTransparent() && type != kBmpType;
    delete dialog;
    const std::string path =
        AskSavePath(window(), tr("Image Capture"), PictureOutput::ImageFilter(type));
    LocuscopeDocument* document = self ? GetDocument() : nullptr;
    if (path.empty() || document == nullptr)
        return;

    std::string failure;
    const bool written = PictureOutput::WriteFile(
        path, document->GetImportedPaths(),
        [&](QByteArray& bytes) {
            if (!PictureOutput::HasEncoder(type))
                return false;
            const QImage image = PaneImage::Render(
                document->Genome(), document->GetCurrentPaneName(), GetVisibleRange(), width,
                document->HeaderVisible, CurrentRenderSettings(1.0),
                transparent ? QColor(Qt::transparent) : QColor(Qt::white),
                geometry_.automaticTrackHeight);
            return PictureOutput::EncodeImage(image, type, bytes);
        },
        failure);
    if (!written && failure.empty() && self && GetDocument() == document)
        failure = PaneImage::SizeProblem(document->Genome(), document->GetCurrentPaneName(),
                                         GetVisibleRange(), width, document->HeaderVisible,
                                         geometry_.automaticTrackHeight);
    if (!written)
        ShowMessageBox(PictureOutput::FailureMessage(PictureOutput::kErrorCreatingImage, failure));
}

void LocuscopeView::ExportMetafile() {
    if (picture_.isNull() || GetDocument() == nullptr) {
        ShowMessageBox(PictureOutput::kNothingToDraw);
        return;
    }
    const QPointer<LocuscopeView> self(this);
    const std::string path =
        AskSavePath(window(), tr("Metafile Capture"), PictureOutput::kMetafileFilter);
    LocuscopeDocument* document = self ? GetDocument() : nullptr;
    if (path.empty() || document == nullptr)
        return;
    // A copy of the layout: the pass refills row positions that the screen's overlays use.
    ViewGeometry geometry = geometry_;
    const QRect usable = UsableRect();
    const RenderSettings settings = CurrentRenderSettings(1.0);
    std::string failure;
    const bool written = PictureOutput::WriteFile(
        path, document->GetImportedPaths(),
        [&](QByteArray& bytes) {
            return PictureOutput::EncodeSvg(
                usable.size(),
                [&](QPainter& painter) {
                    TrackRenderer(document->Genome(), document->GetCurrentPaneName(), geometry,
                                  settings)
                        .DrawAll(painter, usable, Qt::white);
                },
                bytes);
        },
        failure);
    if (!written)
        ShowMessageBox(
            PictureOutput::FailureMessage(PictureOutput::kErrorCreatingMetafile, failure));
}

PanePrinter::Job LocuscopeView::PrintJob() const {
    PanePrinter::Job job;
    const LocuscopeDocument* document = GetDocument();
    if (document == nullptr)
        return job;
    job.genome = &document->Genome();
    job.paneName = document->GetCurrentPaneName();
    job.range = GetVisibleRange();
    job.firstTrack = static_cast<size_t>(std::max<int64_t>(geometry_.vertical.position, 0));
    job.headerVisible = document->HeaderVisible;
    job.settings = CurrentRenderSettings(1.0);
    return job;
}

int LocuscopeView::PrintWithProgress(QPrinter& target, bool preview) {
    LocuscopeDocument* document = GetDocument();
    const PanePrinter::Job job = PrintJob();
    if (document == nullptr || job.genome == nullptr || document->IsBusy())
        return 0;
    // Laid out once for every page; the guard keeps the document while events are pumped,
    // shows how far the pages are and lets the user cancel.
    PanePrinter pages(job, target);
    LongOperationGuard operation(*document, preview ? "Print Preview" : "Print", "Total Progress",
                                 "", static_cast<int>(pages.PageCount()));
    document->ReportMessage(
        FormatString("Printing %zu pages of %s", pages.PageCount(), job.paneName.c_str()));
    return pages.Print(target, document, preview);
}

void LocuscopeView::PrintToFile(QPrinter& printer) {
    LocuscopeDocument* document = GetDocument();
    const PanePrinter::Job job = PrintJob();
    if (document == nullptr || job.genome == nullptr || document->IsBusy())
        return;
    const size_t pageCount = PanePrinter(job, printer).PageCount();
    // Written whole or not at all, never over one of the imported files.
    std::string failure;
    bool cancelled = false;
    bool written = false;
    {
        LongOperationGuard operation(*document, "Print", "Total Progress", "",
                                     static_cast<int>(pageCount));
        document->ReportMessage(
            FormatString("Printing %zu pages of %s", pageCount, job.paneName.c_str()));
        written = PictureOutput::WriteFile(
            QFile::encodeName(printer.outputFileName()).toStdString(), document->GetImportedPaths(),
            [&](QByteArray& bytes) {
                return PictureOutput::EncodePdf(printer.pageLayout(), printer.resolution(), job,
                                                bytes, document, &cancelled);
            },
            failure);
    }
    if (!written && !cancelled)
        ShowMessageBox(PictureOutput::FailureMessage(PictureOutput::kErrorPrinting, failure));
}

void LocuscopeView::Print(bool preview) {
    LocuscopeDocument* document = GetDocument();
    if (document == nullptr || document->IsBusy())
        return;
    if (document->Genome().Store().GetPaneTrackCount(document->GetCurrentPaneName()) == 0) {
        ShowMessageBox(PictureOutput::kNothingToDisplay);
        return;
    }
    if (!printer_)
        printer_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
    // The dialogs pump events and the window may close under them: they live on the heap, are
    // parented to the top-level window, hold the printer themselves and draw only while the
    // view is alive, reading the document afresh each time.
    const std::shared_ptr<QPrinter> printer = printer_;
    const QPointer<LocuscopeView> self(this);
    if (preview) {
        if (!ConfirmPageCount(PanePrinter(PrintJob(), *printer).PageCount()) || !self)
            return;
        QPointer<QPrintPreviewDialog> dialog = new QPrintPreviewDialog(printer.get(), window());
        connect(dialog, &QPrintPreviewDialog::paintRequested, this, [self](QPrinter* target) {
            if (self)
                self->PrintWithProgress(*target, true);
        });
        dialog->exec();
        delete dialog;
        return;
    }
    QPointer<QPrintDialog> dialog = new QPrintDialog(printer.get(), window());
    const bool accepted = dialog->exec() == QDialog::Accepted;
    delete dialog;
    if (!accepted || !self || self->GetDocument() == nullptr)
        return;
    if (!ConfirmPageCount(PanePrinter(PrintJob(), *printer).PageCount()) || !self)
        return;
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        PrintToFile(*printer);
    else
        PrintWithProgress(*printer, false);
}

void LocuscopeView::PrintSetup() {
    if (!printer_)
        printer_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
    const std::shared_ptr<QPrinter> printer = printer_;
    QPointer<QPageSetupDialog> dialog = new QPageSetupDialog(printer.get(), window());
    dialog->exec();
    delete dialog;
}
