#include "app/window/about_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

#include "app/version.h"
#include "app/window/artwork.h"

namespace kitvane {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Kitvane"));
    setObjectName(QStringLiteral("aboutDialog"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(IconImage(48)));
    auto* name = new QLabel(QStringLiteral("Kitvane, Version " KITVANE_VERSION), this);
    auto* purpose = new QLabel(
        QStringLiteral("Converts a Maschine Expansion library into AKAI MPC and Force programs."), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(purpose, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kitvane
