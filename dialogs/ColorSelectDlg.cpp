#include "dialogs/ColorSelectDlg.h"

#include "dialogs/DialogUnits.h"
#include "document/FigureRows.h"
#include "res/Resource.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

namespace {
struct ButtonEntry {
    int id;
    const char* text;
    int x, y;
};
constexpr ButtonEntry kButtons[] = {
    {IDC_GRAPH_CLR2, "今月/今年", 14, 17},        {IDC_GRAPH_CLR, "先月/去年", 14, 34},
    {IDC_AVE_CLR, "グラフ平均値線", 14, 51},       {IDC_DTOTAL_CLR_GRAPH, kTodayTotalCaption, 95, 17},
    {IDC_MTOTAL_CLR_GRAPH, kMonthTotalCaption, 95, 34},  {IDC_MTINFO_CLR_GRAPH, kForecastCaption, 95, 51},
    {IDC_DTOTAL_CLR, kTodayTotalCaption, 14, 87},        {IDC_MTOTAL_CLR, kMonthTotalCaption, 14, 103},
    {IDC_MTINFO_CLR, kForecastCaption, 14, 120},
};
} // namespace

CColorSelectDlg::CColorSelectDlg(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("カラー選択"));
    setFont(DialogFont());
    const CDialogUnits units(font());
    setFixedSize(units.Size(186, 143));
    PlaceControl(MakeGroupBox(QStringLiteral("グラフ部"), this), units, 7, 7, 171, 62);
    PlaceControl(MakeGroupBox(QStringLiteral("合計表示部"), this), units, 7, 76, 171, 60);
    for (const ButtonEntry& entry : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(entry.text), this);
        button->setObjectName(QString::number(entry.id));
        button->setAutoDefault(false);
        PlaceControl(button, units, entry.x, entry.y, 74, 12);
        connect(button, &QPushButton::clicked, this, [this, id = entry.id] { done(id); });
    }
}

// Return presses the button that has the focus, as Space does: none of them is a default button,
// which would change their look.
void CColorSelectDlg::keyPressEvent(QKeyEvent* event)
{
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    if (focused && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        focused->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

QPushButton* CColorSelectDlg::Button(int controlId) const
{
    return findChild<QPushButton*>(QString::number(controlId));
}
