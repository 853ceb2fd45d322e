#pragma once

#include <QString>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "app/c_splash_wnd.h"
#include "app/locuscope_app.h"
#include "document/locuscope_document.h"
#include "document/locuscope_main_frame.h"

// The real window, offscreen, opened on a draft assembly of one-track scaffolds ("scaffold_0",
// "scaffold_1", ...: one gene each), with settings of its own. For the window benchmarks.
struct DraftAssemblyWindow {
    QTemporaryDir folder;
    LocuscopeApp app;

    explicit DraftAssemblyWindow(int scaffolds) {
        qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
        const std::string path = folder.filePath("draft.gff").toStdString();
        std::ofstream file(path);
        for (int i = 0; i < scaffolds; ++i)
            file << "scaffold_" << i << "\ts\tgene\t" << 1000 + i << '\t' << 900000 + i
                 << "\t1\t+\t.\tID=g" << i << '\n';
        file.close();
        CSplashWnd::EnableSplashScreen(false);
        app.InitInstance({QString::fromStdString(path)});
    }
    LocuscopeMainFrame& Frame() { return *app.MainFrame(); }
    LocuscopeDocument& Document() { return *Frame().GetActiveDocument(); }
};

// One window for every benchmark of a program, made on first use; Reset() before the
// application object goes.
template <typename Window>
class WindowHolder {
public:
    static Window& Get() {
        if (!Held())
            Held() = std::make_unique<Window>();
        return *Held();
    }
    static void Reset() { Held().reset(); }

private:
    static std::unique_ptr<Window>& Held() {
        static std::unique_ptr<Window> window;
        return window;
    }
};
