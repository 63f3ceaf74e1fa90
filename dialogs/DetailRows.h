#pragma once
// The rows of a detail dialog's table for the keyboard and screen readers: an unpainted part
// over the table that Tab reaches, whose rows (each slot, the total, the average) the arrow keys
// walk, each read with its three figures and their units.

#include "document/FigureRows.h"
#include "platform/gui/WalkableContent.h"

class CDetailRows : public CWalkableContent {
public:
    // table: the figures the dialog shows (not owned; outlives this part); title: the list's name.
    CDetailRows(const FigureTable& table, const QString& title, QWidget* dialog);
    std::vector<AccessibleGroup> AccessibleGroups() const override;

private:
    const FigureTable& m_table;
    QString m_title;
};
