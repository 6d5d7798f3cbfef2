// TStringList.
#include "forms/core/StringList.h"

#include <algorithm>

#include "forms/core/SaveFileStream.h"
#include "forms/core/Streams.h"

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw EStringListError(SListIndexError, index);
}

const std::string& TStringList::Strings(int index) const {
  CheckIndex(index);
  return items_[index].text;
}

void TStringList::SetStrings(int index, const std::string& text) {
  CheckIndex(index);
  items_[index].text = text;
  Changed();
}

void* TStringList::Objects(int index) const {
  CheckIndex(index);
  return items_[index].object;
}

void TStringList::SetObjects(int index, void* object) {
  CheckIndex(index);
  items_[index].object = object;
  Changed();
}

int TStringList::Compare(const std::string& a, const std::string& b) const {
  return LowerCase(a).compare(LowerCase(b));
}

int TStringList::AddObject(const std::string& text, void* object) {
  int index = Count();
  if (sorted_ && Find(text, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError(SDuplicateString);
  }
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
  return index;
}

void TStringList::InsertObject(int index, const std::string& text, void* object) {
  if (index < 0 || index > Count()) throw EStringListError(SListIndexError, index);
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TStringList::Exchange(int a, int b) {
  CheckIndex(a);
  CheckIndex(b);
  std::swap(items_[a], items_[b]);
  Changed();
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
  Changed();
}

int TStringList::IndexOf(const std::string& text) const {
  if (sorted_) {
    int index;
    return Find(text, index) ? index : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (Compare(items_[i].text, text) == 0) return i;
  return -1;
}

int TStringList::IndexOfObject(const void* object) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i].object == object) return i;
  return -1;
}

bool TStringList::Find(const std::string& text, int& index) const {
  int low = 0, high = Count() - 1;
  bool found = false;
  while (low <= high) {
    int mid = (low + high) / 2;
    int c = Compare(items_[mid].text, text);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) low = mid;
      }
    }
  }
  index = low;
  return found;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (sorted_) Sort();
}

std::string TStringList::Names(int index) const {
  const std::string& line = Strings(index);
  size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

int TStringList::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& line = items_[i].text;
    size_t eq = line.find('=');
    if (eq != std::string::npos && Compare(line.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

std::string TStringList::Values(const std::string& name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::string() : items_[i].text.substr(items_[i].text.find('=') + 1);
}

void TStringList::SetValues(const std::string& name, const std::string& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i < 0) {
    Add(name + "=" + value);
  } else {
    SetStrings(i, name + "=" + value);
  }
}

std::string TStringList::Text() const {
  std::string text;
  for (const Item& item : items_) text += item.text + "\r\n";
  return text;
}

void TStringList::SetText(const std::string& text) {
  BeginUpdate();
  items_.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    AddObject(text.substr(start, end - start), nullptr);
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n') ++end;
    start = end;
  }
  Changed();
  EndUpdate();
}

void TStringList::LoadFromStream(TStream& stream) {
  long long size = stream.Size() - stream.Position();
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (!text.empty()) stream.ReadBuffer(&text[0], static_cast<long long>(text.size()));
  SetText(text);
}

void TStringList::SaveToStream(TStream& stream) const {
  std::string text = Text();
  stream.WriteBuffer(text.data(), static_cast<long long>(text.size()));
}

void TStringList::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TStringList::SaveToFile(const std::string& fileName) const {
  TSaveFileStream file(fileName);
  SaveToStream(file);
  file.Commit();
}

void TStringList::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TStringList*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  items_ = other->items_;
  if (sorted_) Sort();
  Changed();
}

void TStringList::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TStringList::Changed() {
  if (updateCount_ == 0 && OnChange) OnChange(this);
}
