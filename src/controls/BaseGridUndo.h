#pragma once
// Undo and redo of cell-text changes of one grid. The grid's editing paths
// register each change (real column, row, text before, text after) and
// bracket changes of many cells in a sequence, which one undo step restores
// whole. Undoing writes the stored text back through the grid's Cells.
//
// Items 0..Level-1 count as applied: Undo walks down from Level, Redo up.

#include "ClassesLists.h"

#include <QString>
#include <functional>

class TBaseGrid;

class TUndoRedoItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TUndoRedoItem)
    explicit TUndoRedoItem(TCollection* Collection) : TCollectionItem(Collection) {}

    int Col() const { return FCol; }  // the real column; -1 in a marker
    void SetCol(int v) { FCol = v; }
    int Row() const { return FRow; }
    void SetRow(int v) { FRow = v; }
    QString Value() const { return FValue; }  // the text after the change
    void SetValue(const QString& v) { FValue = v; }
    QString OrigValue() const { return FOrigValue; }  // the text before it
    void SetOrigValue(const QString& v) { FOrigValue = v; }
    bool SequenceStart() const { return FSequenceStart; }
    void SetSequenceStart(bool v) { FSequenceStart = v; }
    bool SequenceStop() const { return FSequenceStop; }
    void SetSequenceStop(bool v) { FSequenceStop = v; }
    bool IsMarker() const { return FSequenceStart || FSequenceStop; }

private:
    int FCol = -1;
    int FRow = -1;
    QString FValue;
    QString FOrigValue;
    bool FSequenceStart = false;
    bool FSequenceStop = false;
};

// The recorded steps, oldest first.
class TUndoRedoCollection : public TCollection {
public:
    DECLARE_CLASSNAME(TUndoRedoCollection)
    TUndoRedoCollection() : TCollection(ItemClassOf<TUndoRedoItem>()) {}
    TUndoRedoItem* Add() { return static_cast<TUndoRedoItem*>(TCollection::Add()); }
    TUndoRedoItem* Items(int Index) const { return static_cast<TUndoRedoItem*>(TCollection::Items(Index)); }
};

using TAdvGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                                                 const QString& OrigValue, const QString& NewValue)>;

class TAdvGridUndoRedo : public TComponent {
public:
    DECLARE_CLASSNAME(TAdvGridUndoRedo)
    explicit TAdvGridUndoRedo(TComponent* AOwner);
    ~TAdvGridUndoRedo() override;

    // Records one change of cell (ACol real column, ARow); ignored while an
    // undo or redo is applying.
    virtual void RegisterChange(int ACol, int ARow, const QString& OldValue, const QString& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();

    void Undo();
    void Redo();
    void Reset();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < FItems->Count(); }

    TUndoRedoCollection* Items() const { return FItems; }
    // The grid worked on: not owned, cleared when it goes away.
    TBaseGrid* Grid() const { return FGrid; }
    void SetGrid(TBaseGrid* v);
    int Level() const { return FLevel; }
    int MaxLevel() const { return FMaxLevel; }
    // 0: no limit.
    void SetMaxLevel(int v) { FMaxLevel = v; }

    TAdvGridUndoRedoEvent OnUndo;
    TAdvGridUndoRedoEvent OnRedo;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void AddMarker(bool start);
    // Fires the event, writes the text and moves the current cell there.
    void Apply(TUndoRedoItem* Item, bool undo);

    TUndoRedoCollection* FItems;
    TBaseGrid* FGrid = nullptr;
    int FLevel = 0;
    int FMaxLevel = 0;
    bool FApplying = false;
};
