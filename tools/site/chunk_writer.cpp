#include "site/chunk_writer.hpp"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "site/base64.hpp"

namespace velmorant::site {

ChunkWriter::ChunkWriter(std::filesystem::path folder, std::string url_prefix, uint64_t chunk_bytes)
    : folder_(std::move(folder)),
      url_prefix_(std::move(url_prefix)),
      // Whole groups of three, so that only a file's last entry needs padding.
      chunk_bytes_(std::max<uint64_t>(3, chunk_bytes / 3 * 3)) {}

bool ChunkWriter::BeginFile(const std::string& name) {
  name_json_ = nlohmann::json(name).dump();
  entry_open_ = false;
  carried_ = 0;
  return ok_;
}

bool ChunkWriter::Append(const uint8_t* data, size_t size) {
  if (carried_ > 0) {
    while (carried_ < 3 && size > 0) {
      carry_[carried_++] = *data++;
      --size;
    }
    if (carried_ < 3) return ok_;
    carried_ = 0;
    if (!WriteWhole(carry_, 3)) return false;
  }
  const size_t whole = size - size % 3;
  if (!WriteWhole(data, whole)) return false;
  for (size_t i = whole; i < size; ++i) carry_[carried_++] = data[i];
  return ok_;
}

bool ChunkWriter::EndFile() {
  // An empty file or a short tail stays in the open chunk even when it is full: a few bytes over.
  if (!chunk_ && !OpenChunk()) return false;
  if (!entry_open_ && !OpenEntry()) return false;
  if (carried_ > 0 && !WriteEncoded(carry_, carried_)) return false;
  used_ += carried_;
  carried_ = 0;
  entry_open_ = false;
  ok_ = chunk_->Write("\"]") && ok_;
  return ok_;
}

bool ChunkWriter::Finish() {
  return CloseChunk() && ok_;
}

bool ChunkWriter::WriteWhole(const uint8_t* data, size_t size) {
  while (size > 0 && ok_) {
    const uint64_t room = used_ < chunk_bytes_ ? (chunk_bytes_ - used_) / 3 * 3 : 0;
    if (!chunk_ || room == 0) {
      if (!CloseChunk() || !OpenChunk()) return false;
      continue;
    }
    if (!entry_open_ && !OpenEntry()) return false;
    const size_t take = static_cast<size_t>(std::min<uint64_t>(size, room));
    if (!WriteEncoded(data, take)) return false;
    used_ += take;
    data += take;
    size -= take;
  }
  return ok_;
}

bool ChunkWriter::WriteEncoded(const uint8_t* data, size_t size) {
  std::string text;
  AppendBase64(text, data, size);
  ok_ = chunk_->Write(text) && ok_;
  return ok_;
}

bool ChunkWriter::OpenChunk() {
  char file[32];
  std::snprintf(file, sizeof file, "%04zu.js", urls_.size());
  chunk_ = platform::OutputFile::Create(folder_ / file);
  if (!chunk_) return ok_ = false;
  ok_ = chunk_->Write("velmorantShowChunk(" + std::to_string(urls_.size()) + ", [") && ok_;
  urls_.push_back(url_prefix_ + file);
  used_ = 0;
  chunk_has_entries_ = false;
  return ok_;
}

bool ChunkWriter::CloseChunk() {
  if (!chunk_) return ok_;
  if (entry_open_) ok_ = chunk_->Write("\"]") && ok_;
  entry_open_ = false;
  ok_ = chunk_->Write("]);\n") && ok_;
  ok_ = chunk_->Close() && ok_;
  chunk_.reset();
  return ok_;
}

bool ChunkWriter::OpenEntry() {
  ok_ = chunk_->Write((chunk_has_entries_ ? ", [" : "[") + name_json_ + ", \"") && ok_;
  chunk_has_entries_ = true;
  entry_open_ = true;
  return ok_;
}

}  // namespace velmorant::site
