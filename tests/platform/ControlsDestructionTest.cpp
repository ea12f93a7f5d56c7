// The end of a control tree: every windowed control hears of its window's
// end while everything above it is whole, and nothing calls into a control
// whose destructors have begun.

#include "Controls.h"
#include "Forms.h"
#include "Grids.h"
#include "GridsTestKit.h"
#include "Messages.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// A parent with an operation of its own, which only a whole parent has.
class TAnsweringParent : public TWinControl {
public:
    explicit TAnsweringParent(TComponent* AOwner) : TWinControl(AOwner) {}
    virtual QString Answer() const { return FAnswer; }

private:
    QString FAnswer = QStringLiteral("whole");
};

// Writes, on its window's end, what the watched control answered then.
class TEndListener : public TWinControl {
public:
    TEndListener(TComponent* AOwner, TAnsweringParent* Watched, QStringList* Log, QString Tag)
        : TWinControl(AOwner), FWatched(Watched), FLog(Log), FTag(std::move(Tag))
    {
    }

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_DESTROY)
            FLog->append(FTag + QLatin1Char(':') +
                         (FWatched->HasState(csDestructing) ? QStringLiteral("gone") : FWatched->Answer()));
        TWinControl::WndProc(m);
    }

private:
    TAnsweringParent* FWatched;
    QStringList* FLog;
    QString FTag;
};

class TLoggingParent : public TAnsweringParent {
public:
    TLoggingParent(TComponent* AOwner, QStringList* Log) : TAnsweringParent(AOwner), FLog(Log) {}

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_DESTROY) FLog->append(QStringLiteral("parent"));
        TAnsweringParent::WndProc(m);
    }

private:
    QStringList* FLog;
};

// A parent holding a child, a grandchild, and an owned control that has no
// parent (as a pop-up has).
struct TDestructionTree {
    QStringList log;
    TLoggingParent* parent;

    TDestructionTree()
    {
        parent = Create<TLoggingParent>(nullptr, &log);
        auto* child = Create<TEndListener>(parent, parent, &log, QStringLiteral("child"));
        child->SetParent(parent);
        auto* grandchild = Create<TEndListener>(child, parent, &log, QStringLiteral("grandchild"));
        grandchild->SetParent(child);
        Create<TEndListener>(parent, parent, &log, QStringLiteral("popup"));
    }
};

} // namespace

TEST(ControlsDestruction, HeldAndOwnedWindowsEndWhileTheirParentIsWhole)
{
    TDestructionTree t;
    Free(t.parent);
    EXPECT_EQ(t.log, (QStringList{"parent", "child:whole", "grandchild:whole", "popup:whole"}));
}

TEST(ControlsDestruction, APlainDeleteNeverCallsIntoTheHalfDestroyedParent)
{
    // Without Free nothing runs before the destructors: the children then
    // see the parent as gone and must not ask it anything.
    TDestructionTree t;
    delete t.parent;
    EXPECT_EQ(t.log, (QStringList{"child:gone", "grandchild:gone", "popup:gone"}));
}

TEST(ControlsDestruction, AGridFreedWithItsEditorOpenEndsCleanly)
{
    // The in-place editor's end used to ask the half-destroyed grid whether
    // it may be modified: a crash in the optimised build.
    for (bool plainDelete : {false, true}) {
        auto* form = Create<TForm>(nullptr);
        auto* g = Create<TProbeGrid>(form);
        g->SetParent(form);
        g->SetBounds(0, 0, 300, 200);
        g->FocusMode = 1;
        form->Show();
        g->SetOptions(g->Options() + goEditing);
        g->FocusCell(1, 1, true);
        g->ShowEditor();
        ASSERT_TRUE(g->InplaceEditor()) << plainDelete;
        if (plainDelete) delete form;
        else Free(form);
    }
}
