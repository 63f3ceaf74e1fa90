#pragma once
// The two detail dialogs, titled "アクセス履歴詳細": the 12 billing months (CMonthDetailDlg) and the
// 30 days (CDayDetailDlg) as tables drawn on the dialog. Each keeps the figure table it shows and
// takes the document's again on Refresh (after every load), so what it paints, what Ctrl+C
// copies for other programs and what a screen reader reads (CDetailRows, which Tab reaches from
// OK) are always the same figures.

#include "dialogs/DetailTable.h"

#include <QDialog>

class CDetailRows;
class CPeloraDoc;
class QPushButton;

class CDetailDlg : public QDialog {
    Q_OBJECT
public:
    using Items = std::vector<DetailItem> (*)(const FigureTable&);

    // outer: the window's outer size in pixels; ok: the OK button's place in the client area.
    // days: the 30 days' table, else the 12 billing months'.
    CDetailDlg(const CPeloraDoc& doc, bool days, Items items, QSize outer, QRect ok, QWidget* owner);
    QPushButton* OkButton() const { return m_okButton; }
    CDetailRows* Rows() const { return m_rows; }
    // Takes the document's figures as they stand now, and shows them.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnPaint();
    void FitOuterSize();

    const CPeloraDoc& m_doc;
    bool m_days;
    Items m_items;
    FigureTable m_table;
    QSize m_outer;
    static constexpr int kFrameLooks = 200;        // for ten seconds
    static constexpr int kFrameLookInterval = 50;  // ms
    int m_frameLooks = 0;
    QPushButton* m_okButton = nullptr;
    CDetailRows* m_rows = nullptr;
};

class CMonthDetailDlg : public CDetailDlg {
    Q_OBJECT
public:
    CMonthDetailDlg(const CPeloraDoc& doc, QWidget* owner);
};

class CDayDetailDlg : public CDetailDlg {
    Q_OBJECT
public:
    CDayDetailDlg(const CPeloraDoc& doc, QWidget* owner);
};
