#include "dialogs/DetailRows.h"

#include "dialogs/DetailCopy.h"

CDetailRows::CDetailRows(const FigureTable& table, const QString& title, QWidget* dialog)
    : CWalkableContent(dialog), m_table(table), m_title(title)
{
    setAccessibleName(QStringLiteral("明細"));
    // Clicks fall through to the dialog, which paints the table beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

std::vector<AccessibleGroup> CDetailRows::AccessibleGroups() const
{
    const std::vector<QStringList> rows = DetailRows(m_table);
    if (rows.empty())
        return {};
    const QStringList& head = rows.front();
    AccessibleGroup table{QAccessible::List, m_title, head.join(QStringLiteral("、")), {}};
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const QStringList& row = rows[r];
        table.items.push_back({row[0], QStringLiteral("%1 %2、%3 %4、%5 %6 円").arg(head[1], row[1], head[2], row[2], head[3], row[3]), {}});
    }
    return {table};
}
