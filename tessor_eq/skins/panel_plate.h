#pragma once
// The background's graphics: the anodised faceplate, the lines between its columns, and the
// recess and scale around every knob. The print goes on top (panel_print.h).

#include "tessor_eq/skins/skin_canvas.h"

// Paints onto an opaque canvas of the panel's size.
void Skin_PaintPlate(SkinCanvas* c);
