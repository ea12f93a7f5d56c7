#pragma once
// A shown form with a grid base for the settings objects' repaint tests,
// and a spy on the regions the grid repaints.

#include "BaseGrid.h"
#include "HolderValues.h"
#include "Forms.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPaintEvent>
#include <QRegion>

// Collects the regions of the paint events of one widget.
class THolderPaintSpy : public QObject {
public:
    QRegion Painted;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) Painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

// 6 x 6 cells of 60 x 24 pixels with one fixed row and column, no border.
struct THolderGridForm {
    THolderGridForm()
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 420, 220);
        Grid = Create<TBaseGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(TScrollStyle::ssNone);
        Grid->SetBounds(0, 0, 400, 200);
        Grid->SetColCount(6);
        Grid->SetRowCount(6);
        Grid->SetDefaultColWidth(60);
        Grid->SetDefaultRowHeight(24);
        Form->Show();
        Grid->Widget()->installEventFilter(&Spy);
        Settle();
    }
    ~THolderGridForm() { Free(Form); }

    // Lets the pending paints happen, then forgets them.
    void Settle()
    {
        Flush();
        Spy.Painted = QRegion();
    }
    // Lets the pending paints happen; answers what was painted since the
    // last Settle.
    QRegion Flush()
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 30) QApplication::processEvents(QEventLoop::AllEvents, 5);
        return Spy.Painted;
    }

    TForm* Form;
    TBaseGrid* Grid;
    THolderPaintSpy Spy;
};
