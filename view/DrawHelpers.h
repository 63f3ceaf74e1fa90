#pragma once
// Drawing shared by the view, the totals panel and the dialogs: the raised or sunken one-pixel
// frame in the system's 3D colours, and the Japanese faces the program draws text in.

#include "platform/gui/DrawContext.h"

// Light on the left and top edges and dark on the right and bottom ones when raised, the reverse
// when sunken. right and bottom are the edge lines themselves; the corners (left, bottom) and
// (right, top) stay undrawn.
void Draw3DFrame(CDC& dc, int left, int top, int right, int bottom, bool sunken);

// The proportional face of the graphs and the totals, and the fixed-pitch face of the tables,
// each asked for by its Japanese name first, then by the metric-compatible faces that stand in for it.
QStringList PGothicFaces();
QStringList GothicFaces();
