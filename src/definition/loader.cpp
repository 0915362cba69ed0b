#include "definition/loader.hpp"

#include "definition/binary_visitors.hpp"
#include "definition/size_stamp.hpp"

namespace velmorant {

namespace {

LoadError Failure(std::string what, size_t offset) {
  LoadError error;
  error.what = std::move(what);
  error.offset = offset;
  return error;
}

std::string DescribeEditionByte(uint8_t byte) {
  std::string text = "the edition byte " + std::to_string(byte);
  if (byte >= 0x20 && byte < 0x7f) text += std::string(" ('") + char(byte) + "')";
  return text + " is not one of 'a' to 'g'";
}

}  // namespace

void NumberRecords(Definition& d) {
  for (size_t i = 0; i < d.TDzwieki.size(); ++i) d.TDzwieki[i].Number = int32_t(i);
  for (size_t i = 0; i < d.TMapy.size(); ++i) {
    d.TMapy[i].Number = int32_t(i);
    auto& regions = d.TMapy[i].Regions;
    for (size_t k = 0; k < regions.size(); ++k) regions[k].Number = int32_t(k);
  }
  for (size_t i = 0; i < d.TSandwicze.size(); ++i) {
    d.TSandwicze[i].Number = int32_t(i);
    for (auto& layer : d.TSandwicze[i].Layers) layer.Owner = int32_t(i);
  }
}

LoadResult LoadDefinition(std::span<const uint8_t> bytes, std::string_view stamp) {
  LoadResult result;
  if (bytes.empty()) {
    result.error = Failure("the file is empty", 0);
    return result;
  }
  const auto edition = static_cast<signed char>(bytes[0]);
  if (!IsKnownEdition(edition)) {
    result.error = Failure(DescribeEditionByte(bytes[0]), 0);
    return result;
  }
  if (auto problem = CheckSizeStamp(stamp, bytes.size())) {
    result.error = Failure(*problem, 0);
    return result;
  }
  Reader in(bytes.subspan(1));
  Definition definition;
  definition.edition = char(edition);
  BinaryReadVisitor visitor(in, definition.edition);
  VisitDefinition(definition, visitor);
  if (visitor.Error()) {
    result.error = *visitor.Error();
    result.error.offset += 1;  // the reader starts after the edition byte
    return result;
  }
  NumberRecords(definition);
  result.end_offset = in.Offset() + 1;
  result.definition = std::move(definition);
  return result;
}

WriteResult WriteDefinition(const Definition& definition, char edition) {
  WriteResult result;
  if (!IsKnownEdition(static_cast<signed char>(edition))) {
    result.error = "the edition must be one of 'a' to 'g'";
    return result;
  }
  Writer out;
  out.Byte(uint8_t(edition));
  // The visitors take records by reference; writing works on a copy so the caller's stays const.
  Definition copy = definition;
  BinaryWriteVisitor visitor(out, edition);
  VisitDefinition(copy, visitor);
  if (visitor.Error()) {
    result.error = *visitor.Error();
    return result;
  }
  result.bytes = out.Take();
  return result;
}

}  // namespace velmorant
