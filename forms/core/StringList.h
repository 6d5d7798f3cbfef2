// TStringList: a list of byte strings, each with an attached object pointer; optionally
// sorted (without regard to case), with name=value access and
// text, stream and file conversion (lines ended by CR LF).
#pragma once

#include <string>
#include <vector>

#include "forms/core/Events.h"
#include "forms/core/Persistent.h"

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TPersistent {
public:
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Strings(int index) const;  // EStringListError outside the list
  void SetStrings(int index, const std::string& text);
  void* Objects(int index) const;
  void SetObjects(int index, void* object);

  // Sorted lists insert at the sorted place, and Duplicates decides about equal strings
  // (dupIgnore returns the existing index). Both return the index.
  int Add(const std::string& text) { return AddObject(text, nullptr); }
  int AddObject(const std::string& text, void* object);
  void Insert(int index, const std::string& text) { InsertObject(index, text, nullptr); }
  void InsertObject(int index, const std::string& text, void* object);
  void Delete(int index);
  void Clear();
  void Exchange(int a, int b);
  void Sort();

  int IndexOf(const std::string& text) const;
  int IndexOfObject(const void* object) const;
  // Binary search of a sorted list: true and the index when found, else false and the
  // index where it would go.
  bool Find(const std::string& text, int& index) const;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }

  // "name=value" lines.
  std::string Names(int index) const;
  std::string Values(const std::string& name) const;
  void SetValues(const std::string& name, const std::string& value);  // "" removes the line
  int IndexOfName(const std::string& name) const;

  std::string Text() const;  // every line followed by CR LF
  void SetText(const std::string& text);  // splits at CR LF, LF or CR
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  void Assign(TPersistent* source) override;
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

  TNotifyEvent OnChange;

private:
  struct Item {
    std::string text;
    void* object;
  };
  int Compare(const std::string& a, const std::string& b) const;
  void Changed();
  void CheckIndex(int index) const;

  std::vector<Item> items_;
  bool sorted_ = false;
  TDuplicates duplicates_ = dupIgnore;
  int updateCount_ = 0;
};
