#pragma once
// The About box: the program's icon, name, version and purpose, and an OK button.
#include <QDialog>

namespace kitvane {

class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace kitvane
