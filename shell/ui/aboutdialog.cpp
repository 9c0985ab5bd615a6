#include "shell/ui/aboutdialog.h"

#include "shell/core/product.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace telvio {

CAboutDlg::CAboutDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Telvio"));
    auto *icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/telvio.png")).pixmap(48, 48));
    auto *product = new QLabel(ProductLine(), this);
    product->setObjectName(QStringLiteral("productLine"));
    auto *build = new QLabel(QStringLiteral("Build %1 for Linux, Qt %2").arg(QStringLiteral(TELVIO_VERSION),
                                                                            QString::fromLatin1(qVersion())),
                             this);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(product, 0, 1);
    layout->addWidget(build, 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setHorizontalSpacing(16);
}

} // namespace telvio
