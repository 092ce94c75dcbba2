// The software GDI in one include: objects, device contexts, pens and brushes, bitmaps, fills,
// block transfers, regions, rectangles and system colours.
#pragma once

#include "framework/platform/GdiBitmaps.h"
#include "framework/platform/GdiBlit.h"
#include "framework/platform/GdiDc.h"
#include "framework/platform/GdiFills.h"
#include "framework/platform/GdiObjects.h"
#include "framework/platform/GdiPensBrushes.h"
#include "framework/platform/GdiRegions.h"
#include "framework/platform/GdiTypes.h"
#include "framework/platform/Rects.h"
#include "framework/platform/SysColors.h"
