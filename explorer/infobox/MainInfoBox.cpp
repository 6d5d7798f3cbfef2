// The main window's "Info" command: the info box, modal, with the key help in Tahoma.
#include "explorer/app/MainForm.h"
#include "explorer/infobox/InfoBox.h"

void TForm1::Info1Click(TObject*) {
  Form3->Image1->Canvas()->Font()->SetName("Tahoma");
  Form3->ShowModal();
}
