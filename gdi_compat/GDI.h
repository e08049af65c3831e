// The GDI compatibility layer: contexts, objects and drawing.
#pragma once

#include "gdi_compat/GDI_Types.h"
#include "gdi_compat/GDI_Pools.h"
#include "gdi_compat/GDI_Context.h"
#include "gdi_compat/GDI_Objects.h"
#include "gdi_compat/GDI_Draw.h"
#include "gdi_compat/GDI_StringCopy.h"
#include "gdi_compat/GDI_Text.h"
#include "gdi_compat/GDI_Images.h"
#include "gdi_compat/GDI_Blit.h"
