#pragma once
// Asks for the closing day of the billing month, 1 to 31: "毎月 [day] 日", with the hint that 31
// means the end of the month. OK reads and checks the edit; a refusal keeps the dialog open.

#include <QDialog>
#include <optional>

class IMessageSink;
class QLineEdit;

class CClosingDayDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_CLOSING_DAY = 1014;

    CClosingDayDlg(IMessageSink& messages, QWidget* owner);
    int exec() override;
    QLineEdit* Edit() const { return m_edit; }

    int m_day = 0;

public slots:
    void accept() override;

private:
    void OnInitDialog();
    void Refuse(const char* message);

    IMessageSink& m_messages;
    QLineEdit* m_edit = nullptr;
};

// The edit's text read as an integer: blanks and tabs around an optional sign
// and digits, nothing else; empty when it is not such a number or does not fit 32 bits.
std::optional<int> ReadDialogInteger(const QString& text);
