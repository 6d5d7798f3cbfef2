// TObject: freeing and the class name, read from the runtime type information.
#include "forms/core/Object.h"

#include <cxxabi.h>
#include <cstdlib>
#include <typeinfo>

void TObject::Free() {
  BeforeDestruction();
  delete this;
}

std::string TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  std::string name = status == 0 && plain ? plain : mangled;
  std::free(plain);
  // Unqualified, as the class is written in its declaration.
  if (name.find('<') == std::string::npos) {
    size_t colon = name.rfind("::");
    if (colon != std::string::npos) name.erase(0, colon + 2);
  }
  return name;
}
