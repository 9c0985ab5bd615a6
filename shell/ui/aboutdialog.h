#pragma once

#include "shell/ui/uilayer.h"

#include <QDialog>

namespace telvio {

// "About Telvio": the icon, the product line and the build.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};

} // namespace telvio
