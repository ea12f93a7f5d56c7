#pragma once
// The Qt side of the grid's drag and drop: the drag events of a control's
// widget routed to a drop target, and the drag loop that starts a drag.
// Kept apart from the format readers and the data object so those build
// with QtCore alone.

#include "asgdd.h"

#include <Qt>
#include <functional>
#include <memory>

class QMimeData;
class TWinControl;

// Routes the Qt drag events of a control's widget to a target (not owned)
// until RevokeDragDrop or the control's end.
bool RegisterDragDrop(TWinControl* Control, TASGDropTarget* Target);
void RevokeDragDrop(TWinControl* Control);

// ---- starting a drag ---------------------------------------------------------------------

// Runs the drag loop with the data and answers the action it ended with;
// reports action changes to the source. Production uses QDrag::exec.
using TDragRunner = std::function<Qt::DropAction(std::unique_ptr<QMimeData> Data, Qt::DropActions Allowed,
                                                 TASGDropSource* Source)>;
// Replaces the runner (tests); answers the one before. An empty runner
// restores the production one.
TDragRunner SetDragRunner(TDragRunner Runner);

// DRAGDROP_S_CANCEL when the drag ended without a drop or the last feedback
// had no effect, else DRAGDROP_S_DROP; Effect receives the final effect.
HRESULT BeginTextDragDrop(TASGDropSource* DropSource, const QString& Text, const QString& RTF, uint32_t& Effect,
                          uint32_t AllowedEffects, QBuffer* Stream);
HRESULT BeginColumnDragDrop(TASGDropSource* DropSource, int ColumnIndex, uint32_t AllowedEffects, uint32_t& Effect);
