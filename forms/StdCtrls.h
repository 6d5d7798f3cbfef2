// The standard controls in one include: panel, label, button, edit, memo, spin edit,
// check box and radio button, radio group, speed button, paint box, image, bevel, shape and
// track bar.
#pragma once

#include "forms/Bevel.h"
#include "forms/Button.h"
#include "forms/CheckBox.h"
#include "forms/Edit.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Memo.h"
#include "forms/PaintBox.h"
#include "forms/Panel.h"
#include "forms/RadioGroup.h"
#include "forms/Shape.h"
#include "forms/SpeedButton.h"
#include "forms/SpinEdit.h"
#include "forms/TrackBar.h"
