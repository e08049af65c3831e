#pragma once
// Tessor EQ's editor, in the Audio Unit build: a 664 x 215 skinned panel with the five level
// knobs, the four stepped frequency knobs and the oversampling switch, laid out from the skin
// geometry the skin painter draws with.

class IGraphics;
class IPluginAU;

// A window-hosted editor of that size and redraw rate for the plug-in, finding its images in the
// Tessor EQ bundle's resources. The caller owns it.
IGraphics* MakeGraphics(IPluginAU* plug, int width, int height, int fps);

// The whole panel: MakeGraphics, the background, the three knob and switch strips and the ten
// controls, attached in the order of the panel's control table. The caller attaches it to plug.
IGraphics* MakeOndrelEditor(IPluginAU* plug);
