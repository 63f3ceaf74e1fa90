#pragma once
// The first step of the colour command: nine buttons, one per display colour, in the graph group
// and the totals group. A button ends the dialog with its control id; Escape and the close box end
// it with 0; Return and Space press the focused button. No OK or Cancel button.

#include <QDialog>

class QPushButton;

class CColorSelectDlg : public QDialog {
    Q_OBJECT
public:
    explicit CColorSelectDlg(QWidget* owner);
    QPushButton* Button(int controlId) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
