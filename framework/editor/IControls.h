#pragma once
// Every control of the editor library, for code that builds an editor.

#include "framework/editor/IBitmapControls.h"
#include "framework/editor/IFaderControl.h"
#include "framework/editor/IFileSelectorControl.h"
#include "framework/editor/IKnobControls.h"
#include "framework/editor/IRadioButtonsControl.h"
#include "framework/editor/ITextControls.h"
#include "framework/editor/IURLControl.h"
