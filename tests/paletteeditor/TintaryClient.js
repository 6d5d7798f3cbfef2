// An independent automation client of the palette editor: JScript under cscript, late
// bound by ProgID as any script would. Wine's script engines read only arrays of
// variants, so the integer arrays that Get_Palette returns are handed back to the
// server, and their shape shows in what the server refuses. Exits 0 when every check
// holds, else the number of the first check that failed (a script error ends cscript
// with 0 but without the closing line, which the test looks for).
function check(number, ok, what) {
  if (!ok) {
    WScript.Echo("check " + number + " failed: " + what);
    WScript.Quit(number);
  }
}

// The error that a call raises, or null.
function errorOf(call) {
  try {
    call();
  } catch (e) {
    return e;
  }
  return null;
}

var E_INVALIDARG = -2147024809;      // 0x80070057
var DISP_E_TYPEMISMATCH = -2147352571;  // 0x80020005
var DISP_E_BADINDEX = -2147352565;   // 0x8002000B

function expectError(number, call, code, text) {
  var e = errorOf(call);
  check(number, e != null, "no error");
  check(number, e.number == code, "error number " + e.number);
  check(number, e.description.indexOf(text) >= 0, "error text " + e.description);
}

var editor = new ActiveXObject("TINTARY.Tintarycom");

// What Get_Palette returns goes back in, moved down by 32 entries.
editor.Set_Palette(0, 223, editor.Get_Palette(32, 255));
editor.Set_Palette(0, 255, editor.Get_Palette(0, 255));

// Its shape: indices 0 to _to - _from, nothing beyond.
expectError(2, function () { editor.Set_Palette(0, 224, editor.Get_Palette(0, 223)); },
            DISP_E_BADINDEX, "no element 224");
editor.Set_Palette(7, 7, editor.Get_Palette(16, 16));
expectError(3, function () { editor.Set_Palette(7, 8, editor.Get_Palette(16, 16)); },
            DISP_E_BADINDEX, "no element 1");

// Ranges past the palette and things that are no palette array are refused.
expectError(4, function () { editor.Get_Palette(0, 256); }, E_INVALIDARG, "outside the palette");
expectError(5, function () { editor.Get_Palette(-1, 10); }, E_INVALIDARG, "outside the palette");
expectError(6, function () { editor.Set_Palette(0, 0, 5); }, DISP_E_TYPEMISMATCH, "not a one-dimensional array");
expectError(7, function () { editor.Set_Palette(0, 1, [1, 2]); }, DISP_E_TYPEMISMATCH, "not a one-dimensional array");

// Nothing to write: accepted whatever the third argument.
editor.Set_Palette(10, 9, null);

// Names are found without regard to case.
editor.get_palette(0, 0);

editor = null;
CollectGarbage();
WScript.Echo("palette exchange ok");
WScript.Quit(0);
