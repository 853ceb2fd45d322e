#include "app/c_about_dlg.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

#include "app/app_icon.h"
#include "app/locuscope_version.h"

const char* const CAboutDlg::kWebAddress = "https://locuscope.example.org/";

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Locuscope"));
    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(64, 64));
    auto* version = new QLabel(tr("Locuscope Version %1").arg(LocuscopeVersion()), this);
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    auto* about = new QLabel(
        tr("A viewer for genomic feature files (GFF and BED).\n%1").arg(kWebAddress), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(about, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CAboutDlg::mousePressEvent(QMouseEvent* event) {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebAddress)));
    QDialog::mousePressEvent(event);
}
