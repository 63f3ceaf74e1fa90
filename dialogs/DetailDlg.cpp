#include "dialogs/DetailDlg.h"

#include "dialogs/DetailCopy.h"
#include "dialogs/DetailRows.h"
#include "dialogs/DialogUnits.h"
#include "view/DrawHelpers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

CDetailDlg::CDetailDlg(const CPeloraDoc& doc, bool days, Items items, QSize outer, QRect ok, QWidget* owner)
    : QDialog(owner), m_doc(doc), m_days(days), m_items(items), m_table(FigureTableOf(doc, days)), m_outer(outer)
{
    setWindowTitle(QStringLiteral("アクセス履歴詳細"));
    setFont(DialogFont());
    setFixedSize(outer);
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setDefault(true);
    m_okButton->setGeometry(ok);
    m_okButton->setFocus();
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    m_rows = new CDetailRows(m_table, windowTitle(), this);
    m_rows->setGeometry(0, 0, outer.width(), ok.top());
}

void CDetailDlg::Refresh()
{
    m_table = FigureTableOf(m_doc, m_days);
    update();
}

// Where the window system draws a frame, the frame takes the outer size; with none, the window does.
void CDetailDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_frameLooks = 0;
    QTimer::singleShot(0, this, &CDetailDlg::FitOuterSize);
}

// A window manager frames a window a moment after it shows, later on a busy machine: the frame
// is looked for a while, and the client shrinks by it once it is known. The window's own frame
// margins are asked, which follow the window manager; the widget's frame geometry can lag.
void CDetailDlg::FitOuterSize()
{
    const QMargins margins = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    if (!frame.isEmpty())
        setFixedSize(m_outer - frame);
    else if (++m_frameLooks < kFrameLooks)
        QTimer::singleShot(kFrameLookInterval, this, &CDetailDlg::FitOuterSize);
}

void CDetailDlg::keyPressEvent(QKeyEvent* event)
{
    if (!event->matches(QKeySequence::Copy)) {
        QDialog::keyPressEvent(event);
        return;
    }
    const DetailCopy copy = CopyOfDetail(m_table);
    auto* data = new QMimeData;
    data->setText(copy.tsv);
    data->setHtml(copy.html);
    QGuiApplication::clipboard()->setMimeData(data);
}

void CDetailDlg::paintEvent(QPaintEvent*)
{
    OnPaint();
}

void CDetailDlg::OnPaint()
{
    QPainter painter(this);
    CDC dc(painter);
    const std::vector<DetailItem> items = m_items(m_table);
    if (items.empty())
        return;
    dc.SetBkMode(TRANSPARENT);
    // The text colour of the button-face ground it stands on: black in a light palette.
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    CFont font(dc, MakeFont(GothicFaces(), 12, 500));
    for (const DetailItem& item : items) {
        const PixelBox& b = item.box;
        if (item.kind == DetailItem::Frame)
            Draw3DFrame(dc, b.left, b.top, b.right, b.bottom, item.sunken);
        else
            dc.DrawText(item.text, BoxOf(b.left, b.top, b.right, b.bottom), item.format);
    }
}

CMonthDetailDlg::CMonthDetailDlg(const CPeloraDoc& doc, QWidget* owner)
    : CDetailDlg(doc, false, MonthDetailItems, QSize(478, 320), QRect(382, 256, 80, 25), owner)
{
}

CDayDetailDlg::CDayDetailDlg(const CPeloraDoc& doc, QWidget* owner)
    : CDetailDlg(doc, true, DayDetailItems, QSize(561, 477), QRect(464, 414, 80, 25), owner)
{
}
