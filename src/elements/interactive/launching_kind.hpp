#pragma once

#include <optional>
#include <string>
#include <vector>

#include "definition/definition.hpp"
#include "elements/interactive/launch_record.hpp"
#include "platform/shell/shell.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// What links, documents and processes share: an optional map whose regions open and close, an
// opening of its own when the screen becomes active, and the end of whatever was opened when the
// screen is left.
class LaunchingKind : public ElementKind {
 public:
  void OnDefinitionLoaded() override;
  int32_t Count() const override { return int32_t(live_.size()); }
  void Show(int32_t index) override;
  void Compose(int32_t index) override;
  void Start(int32_t index) override;
  void Activate(int32_t index) override;
  void Stop(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

  // The open and close buttons' handlers; both do nothing unless the record is shown.
  void Open(int32_t index);
  void Close(int32_t index);
  // Whether a process opened through the record is held.
  bool Holds(int32_t index) const;

 protected:
  explicit LaunchingKind(ElementHost& host) : host_(host) {}

  struct Buttons {
    int32_t map = -1;
    int32_t open_region = -1;
    int32_t close_region = -1;
    bool opens_by_itself = false;
  };
  // A launch to make; refused when `refused` says why (the file is then the name as the
  // definition gives it).
  struct Opening {
    platform::LaunchRequest request;
    std::string refused;
  };

  static const char* const kOutsideFolder;

  virtual int32_t TableSize() const = 0;
  virtual Buttons ButtonsOf(int32_t index) const = 0;
  // Nothing when the record has nothing to open.
  virtual std::optional<Opening> OpeningOf(int32_t index) = 0;
  // Reads the record's file ahead, for kinds that do.
  virtual void PreloadFile(int32_t /*index*/) {}

  // An opening of the file `name` of an asset kind.
  Opening AssetOpening(const std::string& verb, int32_t kind, const std::string& name,
                       const std::string& directory);

  const Definition& HostDefinition() const;

  ElementHost& host_;

 private:
  struct Live {
    bool Shown = false;
    LaunchRecord Launch;
  };
  std::vector<Live> live_;
};

// A launching kind over its table of the definition.
template <class Record, std::vector<Record> Definition::*Table>
class LaunchingTable : public LaunchingKind {
 protected:
  explicit LaunchingTable(ElementHost& host) : LaunchingKind(host) {}
  int32_t TableSize() const override { return int32_t(TableOf().size()); }
  const Record& RecordAt(int32_t index) const { return TableOf()[size_t(index)]; }

 private:
  const std::vector<Record>& TableOf() const { return HostDefinition().*Table; }
};

}  // namespace velmorant
