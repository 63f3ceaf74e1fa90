#pragma once
// The two detail dialogs, titled "アクセス履歴詳細": the 12 billing months (CMonthDetailDlg) and the
// 30 days (CDayDetailDlg) as tables drawn on the dialog. They keep no figures: every paint reads
// the document afresh, so a reload by the view's timer under an open dialog shows at once.
// Ctrl+C copies the table, its total and its average for other programs.

#include "dialogs/DetailTable.h"
#include "platform/gui/AccessibleContent.h"

#include <QDialog>
#include <functional>

class CPeloraDoc;
class QPushButton;

class CDetailDlg : public QDialog, public IAccessibleContent {
    Q_OBJECT
public:
    using Items = std::function<std::vector<DetailItem>(const CPeloraDoc&)>;

    // outer: the window's outer size in pixels; ok: the OK button's place in the client area.
    // days: the 30 days' table, else the 12 billing months'.
    CDetailDlg(const CPeloraDoc& doc, bool days, Items items, QSize outer, QRect ok, QWidget* owner);
    QPushButton* OkButton() const { return m_okButton; }
    // For screen readers: the table's rows, total and average, as they read now.
    std::vector<AccessibleGroup> AccessibleGroups() const override;

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
    QSize m_outer;
    static constexpr int kFrameLooks = 200;        // for ten seconds
    static constexpr int kFrameLookInterval = 50;  // ms
    int m_frameLooks = 0;
    QPushButton* m_okButton = nullptr;
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
