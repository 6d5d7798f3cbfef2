// TSaveFileStream (see SaveFileStream.h).
#include "forms/core/SaveFileStream.h"

TSaveFileStream::TSaveFileStream(const std::string& fileName) : save_(fileName) {
  const SaveStatus status = save_.Begin();
  if (!status.ok()) throw EFCreateError(status.Message(fileName));
}

long long TSaveFileStream::Write(const void* buffer, long long count) {
  if (count <= 0) return 0;
  const SaveStatus status = save_.Write(buffer, static_cast<std::size_t>(count));
  if (!status.ok()) throw EWriteError(status.Message(save_.Target()));
  position_ += count;
  return count;
}

long long TSaveFileStream::Seek(long long offset, TSeekOrigin origin) {
  // The end is where the writing is; a seek can only stay where it is.
  const long long to = origin == soBeginning ? offset : position_ + offset;
  if (to != position_) throw EStreamError("A file being saved is written front to back");
  return position_;
}

void TSaveFileStream::Commit() {
  const SaveStatus status = save_.Commit();
  if (!status.ok()) throw EWriteError(status.Message(save_.Target()));
}
