// Codec failures to exceptions (see DIBErrors.h).
#include "dib/DIBErrors.h"

void CheckDIBStatus(const bmp::Status& status) {
  const bmp::CodeInfo& info = bmp::Describe(status.code);
  switch (info.kind) {
    case bmp::FaultKind::None:
    case bmp::FaultKind::Clipped:
      return;
    case bmp::FaultKind::InvalidGraphic:
      throw EInvalidGraphic(info.message);
    case bmp::FaultKind::InvalidOperation:
      throw EInvalidGraphicOperation(Format(info.message, status.value));
    case bmp::FaultKind::ReadError:
      throw EReadError(SReadError);
    case bmp::FaultKind::OutOfMemory:
      throw EOutOfMemory(SOutOfMemory);
  }
}
