#pragma once
// The background's print, drawn with the GDI text layer over the faceplate: the product and
// maker names, a heading over every control, the numbers of the level scales, the frequency of
// every stepped position, and the switch's two states.

#include "gdi_compat/GDI_Types.h"

// Prints onto a context of the panel's size (a memory context holding the painted plate).
void Skin_PrintPanel(HDC dc);
