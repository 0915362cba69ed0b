#pragma once

// Visitors that read and write the binary form of the records described in field_visits.hpp.

#include <optional>
#include <string>
#include <vector>

#include "definition/field_visits.hpp"
#include "definition/load_error.hpp"
#include "definition/stream.hpp"

namespace velmorant {

// The fewest bytes a record can take in a given edition: an upper bound on how many of them fit.
class MinSizeVisitor {
 public:
  explicit MinSizeVisitor(char edition) : edition_(edition) {}
  size_t Size() const { return size_; }

  void String(const char*, std::string&, Editions e = kAlways) { Add(e, 1); }
  void I32(const char*, int32_t&, Editions e = kAlways) { Add(e, 4); }
  void Byte(const char*, uint8_t&, Editions e = kAlways) { Add(e, 1); }
  void IndexSet(const char*, TIntWektor&, Editions e = kAlways) { Add(e, 4); }
  void Action(const char*, TAkc&, Editions e = kAlways) { Add(e, 5); }
  template <class R>
  void Table(const char*, std::vector<R>&, Editions e = kAlways) {
    Add(e, 4);
  }
  template <class R>
  void Record(const char*, R& r) {
    VisitFields(r, *this);
  }

 private:
  void Add(Editions e, size_t n) {
    if (e.Has(edition_)) size_ += n;
  }
  char edition_;
  size_t size_ = 0;
};

template <class R>
size_t MinRecordSize(char edition) {
  R probe;
  MinSizeVisitor v(edition);
  VisitFields(probe, v);
  return v.Size();
}

// Tracks where a visitor is (table, record, nested tables) to name it in messages.
class VisitPath {
 public:
  void Enter(const char* name, int64_t index) { frames_.push_back({name, index}); }
  void Leave() { frames_.pop_back(); }
  LoadError Error(const std::string& what, const char* field, size_t offset) const;

 private:
  struct Frame {
    const char* name;
    int64_t index;
  };
  std::vector<Frame> frames_;
};

class BinaryReadVisitor {
 public:
  BinaryReadVisitor(Reader& in, char edition) : in_(in), edition_(edition) {}
  const std::optional<LoadError>& Error() const { return error_; }

  void String(const char* name, std::string& f, Editions e = kAlways) {
    Read(name, e, [&] { return in_.String(f); });
  }
  void I32(const char* name, int32_t& f, Editions e = kAlways) {
    Read(name, e, [&] { return in_.I32(f); });
  }
  void Byte(const char* name, uint8_t& f, Editions e = kAlways) {
    Read(name, e, [&] { return in_.Byte(f); });
  }
  void IndexSet(const char* name, TIntWektor& f, Editions e = kAlways) {
    Read(name, e, [&] { return in_.IndexSet(f); });
  }
  void Action(const char* name, TAkc& f, Editions e = kAlways) {
    Read(name, e, [&] { return in_.Action(f); });
  }
  template <class R>
  void Table(const char* name, std::vector<R>& table, Editions e = kAlways) {
    const size_t start = in_.Offset();
    uint32_t count = 0;
    if (!Read(name, e, [&] { return in_.U32(count); })) return;
    const size_t min_size = MinRecordSize<R>(edition_);
    if (count > in_.Remaining() / min_size) {
      error_ = path_.Error("a count of " + std::to_string(count) + " records of at least " +
                               std::to_string(min_size) + " bytes cannot fit in the " +
                               std::to_string(in_.Remaining()) + " bytes left",
                           name, start);
      return;
    }
    // Records already present are read in place (the built-in shortcuts are overwritten).
    table.resize(count);
    for (size_t i = 0; i < table.size() && !error_; ++i) {
      path_.Enter(name, int64_t(i));
      VisitFields(table[i], *this);
      path_.Leave();
    }
  }
  template <class R>
  void Record(const char* name, R& r) {
    path_.Enter(name, -1);
    VisitFields(r, *this);
    path_.Leave();
  }

 private:
  // False when the field is absent from this edition or could not be read.
  template <class F>
  bool Read(const char* name, Editions e, F read) {
    if (error_ || !e.Has(edition_)) return false;
    const size_t start = in_.Offset();
    if (read()) return true;
    error_ = path_.Error(in_.Problem(), name, start);
    return false;
  }

  Reader& in_;
  char edition_;
  VisitPath path_;
  std::optional<LoadError> error_;
};

class BinaryWriteVisitor {
 public:
  BinaryWriteVisitor(Writer& out, char edition) : out_(out), edition_(edition) {}
  const std::optional<std::string>& Error() const { return error_; }

  void String(const char* name, std::string& f, Editions e = kAlways) {
    if (Active(e) && !out_.String(f))
      Fail(name, "a text of " + std::to_string(f.size()) + " bytes is longer than 255");
  }
  void I32(const char*, int32_t& f, Editions e = kAlways) {
    if (Active(e)) out_.I32(f);
  }
  void Byte(const char*, uint8_t& f, Editions e = kAlways) {
    if (Active(e)) out_.Byte(f);
  }
  void IndexSet(const char* name, TIntWektor& f, Editions e = kAlways) {
    if (Active(e) && !out_.IndexSet(f)) Fail(name, "the index set is too large");
  }
  void Action(const char*, TAkc& f, Editions e = kAlways) {
    if (Active(e)) out_.Action(f);
  }
  template <class R>
  void Table(const char* name, std::vector<R>& table, Editions e = kAlways) {
    if (!Active(e)) return;
    if (table.size() > UINT32_MAX) return Fail(name, "the table is too large");
    out_.U32(uint32_t(table.size()));
    for (size_t i = 0; i < table.size() && !error_; ++i) {
      path_.Enter(name, int64_t(i));
      VisitFields(table[i], *this);
      path_.Leave();
    }
  }
  template <class R>
  void Record(const char* name, R& r) {
    path_.Enter(name, -1);
    VisitFields(r, *this);
    path_.Leave();
  }

 private:
  bool Active(Editions e) const { return !error_ && e.Has(edition_); }
  void Fail(const char* name, const std::string& what) {
    LoadError where = path_.Error(what, name, out_.Bytes().size());
    error_ = where.Message();
  }

  Writer& out_;
  char edition_;
  VisitPath path_;
  std::optional<std::string> error_;
};

}  // namespace velmorant
