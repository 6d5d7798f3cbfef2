// The standard controls in one include: panel, label, button, edit, memo, spin edit,
// check box and radio button, radio group, speed button, paint box, image, bevel, shape,
// track bar and combo box.
#pragma once

#include "forms/controls/Bevel.h"
#include "forms/controls/Button.h"
#include "forms/controls/CheckBox.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/Edit.h"
#include "forms/controls/Image.h"
#include "forms/controls/Label.h"
#include "forms/controls/Memo.h"
#include "forms/controls/PaintBox.h"
#include "forms/controls/Panel.h"
#include "forms/controls/RadioGroup.h"
#include "forms/controls/Shape.h"
#include "forms/controls/SpeedButton.h"
#include "forms/controls/SpinEdit.h"
#include "forms/controls/TrackBar.h"
