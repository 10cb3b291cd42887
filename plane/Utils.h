#pragma once
// Chief header of the plane and drawing layer.
#include "plane/AutoColor.h"
#include "plane/Canvas.h"
#include "plane/Fonts.h"
#include "plane/Picture.h"
#include "plane/PlaneDrawing.h"
#include "plane/PlaneGeometry.h"
#include "plane/PlaneSettings.h"
