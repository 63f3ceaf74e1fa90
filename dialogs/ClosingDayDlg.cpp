#include "dialogs/ClosingDayDlg.h"

#include "dialogs/DialogUnits.h"
#include "platform/core/MessageSink.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace {
constexpr int kMaxEditCharacters = 31;
constexpr const char* kNotIntegerMessage = "整数を入力してください。";
constexpr const char* kRangeMessage = "1 から 31 迄の整数を入力してください。";

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

std::optional<int> ReadDialogInteger(const QString& whole)
{
    const QString text = whole.left(kMaxEditCharacters);
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    const qsizetype digits = i;
    long long value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > std::numeric_limits<int>::max() + 1LL)
            return std::nullopt; // too large for 32 bits: refused, never wrapped into range
    }
    if (i == digits)
        return std::nullopt;
    if (text[start] == QLatin1Char('-'))
        value = -value;
    // A zero must be written with the digit 0 first: "-0" is not a day at all.
    if (value == 0 && text[start] != QLatin1Char('0'))
        return std::nullopt;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i != text.size())
        return std::nullopt;
    return static_cast<int>(value);
}

CClosingDayDlg::CClosingDayDlg(IMessageSink& messages, QWidget* owner) : QDialog(owner), m_messages(messages)
{
    setWindowTitle(QStringLiteral("集計〆切日設定"));
    setFont(DialogFont());
    const CDialogUnits units(font());
    setFixedSize(units.Size(142, 69));

    PlaceControl(MakeGroupBox(QStringLiteral("〆切"), this), units, 7, 7, 128, 31);
    PlaceControl(new QLabel(QStringLiteral("毎月"), this), units, 14, 21, 16, 11);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QString::number(IDC_CLOSING_DAY));
    // Its label is the words around it, which read as a name only together.
    m_edit->setAccessibleName(QStringLiteral("毎月の〆切日"));
    PlaceControl(m_edit, units, 31, 20, 25, 12);
    PlaceControl(new QLabel(QStringLiteral("日"), this), units, 59, 21, 8, 11);
    auto* hint = new QLabel(QStringLiteral("月末指定の場合は31と入力して下さい"), this);
    hint->setWordWrap(true);
    m_edit->setAccessibleDescription(hint->text());
    PlaceControl(hint, units, 71, 17, 58, 16);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    PlaceControl(ok, units, 53, 48, 39, 14);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    PlaceControl(cancel, units, 96, 48, 39, 14);
    connect(ok, &QPushButton::clicked, this, &CClosingDayDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int CClosingDayDlg::exec()
{
    OnInitDialog();
    return QDialog::exec();
}

void CClosingDayDlg::OnInitDialog()
{
    m_edit->setText(QString::number(m_day));
    m_edit->setFocus();
    m_edit->selectAll();
}

void CClosingDayDlg::Refuse(const char* message)
{
    m_messages.ShowMessage(message);
    m_edit->setFocus();
    m_edit->selectAll();
}

void CClosingDayDlg::accept()
{
    const std::optional<int> day = ReadDialogInteger(m_edit->text());
    if (!day) {
        Refuse(kNotIntegerMessage);
        return;
    }
    if (*day < 1 || *day > 31) {
        Refuse(kRangeMessage);
        return;
    }
    m_day = *day;
    QDialog::accept();
}
