// Docking of forms into controls: a control that is a dock site (a panel) takes a form
// as a child filling it, and gives it back as a floating window. A form docks by
// ManualDock or, with DragKind dkDock, when the user moves it by its caption and lets
// go over a dock site; a docked form with DragMode dmAutomatic floats again when the
// user drags it by its background out of the site. The form's side is in Forms.h.
#pragma once

#include "forms/windows/Controls.h"

enum TDragKind { dkDrag, dkDock };
// Posted by a form to itself when a docking gesture ends, so that its window is made
// again only once the message that ended it has been handled.
constexpr UINT CM_ENDDOCKDRAG = 0xB0F1;
enum TDragMode { dmManual, dmAutomatic };

// What is being docked (the docked control), as the site's OnDockDrop receives it.
class TDragDockObject : public TObject {
public:
  explicit TDragDockObject(TControl* control) : control_(control) {}
  TControl* Control() const { return control_; }

private:
  TControl* control_;
};

// Sender (the site), the object being docked, the drop point in the site's client area.
using TDockDropEvent = TEvent<TObject*, TDragDockObject*, int, int>;
// Sender (the site), the control leaving, its new site (nil: floating), allow.
using TUnDockEvent = TEvent<TObject*, TControl*, TWinControl*, bool&>;
// Sender (the control), the target it ended on (nil: floating), the point there.
using TEndDockEvent = TEvent<TObject*, TObject*, int, int>;

class TDockSite {
public:
  bool DockSite() const { return dockSite_; }
  void SetDockSite(bool value);
  TWinControl* SiteControl() const { return self_; }

  TDockDropEvent OnDockDrop;
  TUnDockEvent OnUnDock;

  // The dock site that takes a drop at the screen point, not counting sites inside
  // Exclude (the form being moved); nil when none. A site aligned to an edge of its
  // parent takes the band along that edge where it opens, even while it is empty.
  static TDockSite* AtScreenPoint(POINT p, TControl* exclude);

protected:
  explicit TDockSite(TWinControl* self) : self_(self) {}
  virtual ~TDockSite();

private:
  TWinControl* self_;
  bool dockSite_ = false;
};
