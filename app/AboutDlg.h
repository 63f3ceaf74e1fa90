#pragma once

#include <QDialog>

// "About Pelora": the program icon, its version, a notice and contact details.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
