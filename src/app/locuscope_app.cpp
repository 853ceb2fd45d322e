#include "app/locuscope_app.h"

#include <QApplication>
#include <QFileDialog>
#include <QStatusBar>

#include "app/app_icon.h"
#include "framework/byte_text.h"
#include "app/c_about_dlg.h"
#include "app/c_splash_wnd.h"
#include "document/command_ids.h"
#include "document/locuscope_child_frame.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"
#include "framework/document_manager.h"
#include "framework/gui_message_box.h"
#include "framework/recent_file_list.h"
#include "view/locuscope_view.h"

LocuscopeApp::LocuscopeApp() = default;

LocuscopeApp::~LocuscopeApp() {
    // Frames and views go before the documents they show.
    mainFrame_.reset();
}

bool LocuscopeApp::InitInstance(const QStringList& files) {
    QApplication::setWindowIcon(ApplicationIcon());
    InstallGuiMessageBox();

    mainFrame_ = std::make_unique<LocuscopeMainFrame>();
    mainFrame_->SetApplicationTarget(this);
    documents_ = new CDocumentManager(mainFrame_->GetMdiArea(), DocumentTemplate(*mainFrame_));
    connect(documents_, &CDocumentManager::DocumentOpened, mainFrame_.get(),
            [this](const QString& path) { mainFrame_->RecentFiles().Add(path); });
    connect(&mainFrame_->RecentFiles(), &CRecentFileList::FileChosen, this,
            [this](const QString& path) { OpenDocument(path); });
    mainFrame_->SetDocumentOpener([this](const QString& path) { return OpenDocument(path); });
    CSplashWnd::ShowSplashScreen(mainFrame_.get(), kSplashMilliseconds);

    // Without a file argument the program starts with no document open.
    if (!files.isEmpty() && OpenDocument(files.first()) == nullptr)
        return false;
    mainFrame_->show();
    return true;
}

CDocumentManager::Template LocuscopeApp::DocumentTemplate(LocuscopeMainFrame& frame) {
    CDocumentManager::Template documentTemplate;
    documentTemplate.createDocument = [&frame] {
        auto document = std::make_unique<LocuscopeDocument>();
        document->SetEvents(&frame);
        document->SetViewOptions(&frame.Options());
        return document;
    };
    documentTemplate.createFrame = [] { return new LocuscopeChildFrame; };
    documentTemplate.createView = [&frame] {
        auto* view = new LocuscopeView;
        view->SetServices({&frame.Options(), &frame.Commands()});
        // The status bar says what the pointer is over, as the tooltip does.
        QObject::connect(view, &LocuscopeView::PointerInfoChanged, &frame,
                         [&frame](const QString& text) {
                             if (text.isEmpty())
                                 frame.statusBar()->clearMessage();
                             else
                                 frame.statusBar()->showMessage(text);
                         });
        return view;
    };
    return documentTemplate;
}

LocuscopeDocument* LocuscopeApp::OpenDocument(const QString& path) {
    return dynamic_cast<LocuscopeDocument*>(documents_->OpenDocument(ByteText::ToBytes(path)));
}

void LocuscopeApp::ImportIntoActiveDocument(const QStringList& files) {
    if (mainFrame_->GetActiveDocument() != nullptr)
        mainFrame_->ImportDroppedFiles(files);
}

bool LocuscopeApp::OnCommand(int id) {
    switch (id) {
        case CommandId::kFileNew: documents_->NewDocument(); return true;
        case CommandId::kFileOpen: {
            const QString path = QFileDialog::getOpenFileName(mainFrame_.get(), tr("Open"));
            if (!path.isEmpty())
                OpenDocument(path);
            return true;
        }
        case CommandId::kOpenWorkspace: {
            const QString path =
                QFileDialog::getOpenFileName(mainFrame_.get(), tr("Open Workspace"), QString(),
                                             tr("Locuscope workspaces (*.lsw);;All Files (*)"),
                                             nullptr, QFileDialog::DontUseNativeDialog);
            if (!path.isEmpty())
                OpenDocument(path);
            return true;
        }
        case CommandId::kAppAbout: {
            CAboutDlg about(mainFrame_.get());
            about.exec();
            return true;
        }
        case CommandId::kAppExit: mainFrame_->close(); return true;
        default: return false;
    }
}

bool LocuscopeApp::OnUpdateCommand(int id, CommandState&) {
    switch (id) {
        case CommandId::kFileNew:
        case CommandId::kFileOpen:
        case CommandId::kOpenWorkspace:
        case CommandId::kAppAbout:
        case CommandId::kAppExit: return true;
        default: return false;
    }
}
