// The root of every class of the library: TObject with its two-phase destruction
// (BeforeDestruction while the whole object still stands, then the destructor) and
// construction (AfterConstruction once the most derived constructor is done).
#pragma once

#include <string>
#include <utility>

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // Runs once the most derived constructor has finished (forms raise OnCreate,
  // threads created running start here). Called by New<T>().
  virtual void AfterConstruction() {}
  // Runs before the destructor chain, while every override is still in place
  // (windows are destroyed here so that their last messages reach whole objects).
  virtual void BeforeDestruction() {}

  // BeforeDestruction, then delete. The one way objects of the library are freed.
  void Free();

  // The class's own name, as written in the source ("TForm1").
  std::string ClassName() const;
};

// Constructs T, then runs its AfterConstruction: the library's equivalent of a
// constructor call, needed by every class that acts once it is fully built.
template <class T, class... A>
T* New(A&&... args) {
  T* object = new T(std::forward<A>(args)...);
  try {
    object->AfterConstruction();
  } catch (...) {
    object->Free();
    throw;
  }
  return object;
}

// Frees the object (if any) and clears the caller's pointer first, so that nothing
// reached from the destructor sees a dangling reference.
template <class T>
void FreeAndNil(T*& object) {
  T* doomed = object;
  object = nullptr;
  if (doomed) doomed->Free();
}
