#pragma once
// What the file and clipboard tests share: a path in the test's program
// folder and a picture of the whole grid for "nothing changed" checks.

#include "AdvGridTestKit.h"
#include "TempProgramDir.h"

#include <QDir>

inline QString TempFile(const QString& name) { return QDir(CurrentTempProgramDir()).filePath(name); }

// Counts, selection and every row's texts.
inline QStringList Snapshot(TAdvStringGrid* g)
{
    const TGridRect s = g->Selection();
    QStringList out{QStringLiteral("%1x%2 sel %3,%4-%5,%6")
                        .arg(g->ColCount())
                        .arg(g->RowCount())
                        .arg(s.Left)
                        .arg(s.Top)
                        .arg(s.Right)
                        .arg(s.Bottom)};
    for (int r = 0; r < g->RowCount(); ++r) out << RowText(g, r);
    return out;
}
