#include "definition/json_form.hpp"

#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <vector>

#include "definition/field_visits.hpp"
#include "definition/stream.hpp"

namespace velmorant {

namespace {

using OrderedJson = nlohmann::ordered_json;
using Json = nlohmann::json;

OrderedJson ActionToJson(const TAkc& action) {
  return OrderedJson{{"code", action.code}, {"argument", action.argument}};
}

class JsonOutVisitor {
 public:
  JsonOutVisitor(OrderedJson& out, const platform::CodePage& code_page)
      : out_(out), code_page_(code_page) {}

  void String(const char* name, std::string& f, Editions = kAlways) {
    out_[name] = code_page_.ToUtf8(f);
  }
  void I32(const char* name, int32_t& f, Editions = kAlways) { out_[name] = f; }
  void Byte(const char* name, uint8_t& f, Editions = kAlways) { out_[name] = f; }
  void IndexSet(const char* name, TIntWektor& f, Editions = kAlways) { out_[name] = f.Items(); }
  void Action(const char* name, TAkc& f, Editions = kAlways) { out_[name] = ActionToJson(f); }
  template <class R>
  void Table(const char* name, std::vector<R>& table, Editions = kAlways) {
    auto records = OrderedJson::array();
    for (auto& record : table) {
      auto object = OrderedJson::object();
      JsonOutVisitor nested(object, code_page_);
      VisitFields(record, nested);
      records.push_back(std::move(object));
    }
    out_[name] = std::move(records);
  }
  template <class R>
  void Record(const char* name, R& r) {
    auto object = OrderedJson::object();
    JsonOutVisitor nested(object, code_page_);
    VisitFields(r, nested);
    out_[name] = std::move(object);
  }

 private:
  OrderedJson& out_;
  const platform::CodePage& code_page_;
};

// Reads fields from one JSON object; the first problem met is kept with its path.
class JsonInVisitor {
 public:
  JsonInVisitor(const Json& in, const platform::CodePage& code_page, std::string path,
                std::string& error)
      : in_(in), code_page_(code_page), path_(std::move(path)), error_(error) {}

  void String(const char* name, std::string& f, Editions = kAlways) {
    const Json* value = Take(name);
    if (!value) return;
    if (!value->is_string()) return Fail(name, "must be a string");
    std::string problem;
    auto bytes = code_page_.FromUtf8(value->get_ref<const std::string&>(), &problem);
    if (!bytes) return Fail(name, problem);
    if (bytes->size() > kMaxStringLength) {
      return Fail(name, "is " + std::to_string(bytes->size()) + " bytes long, more than 255");
    }
    f = std::move(*bytes);
  }
  void I32(const char* name, int32_t& f, Editions = kAlways) {
    if (const Json* value = Take(name)) Integer(name, *value, f);
  }
  void Byte(const char* name, uint8_t& f, Editions = kAlways) {
    if (const Json* value = Take(name)) Integer(name, *value, f);
  }
  void IndexSet(const char* name, TIntWektor& f, Editions = kAlways) {
    const Json* value = Take(name);
    if (!value) return;
    if (!value->is_array()) return Fail(name, "must be an array of integers");
    std::vector<int32_t> items(value->size());
    for (size_t i = 0; i < items.size(); ++i) {
      if (!Integer(name, (*value)[i], items[i])) return;
    }
    f.Items() = std::move(items);
  }
  void Action(const char* name, TAkc& f, Editions = kAlways) {
    const Json* value = Take(name);
    if (!value) return;
    if (!value->is_object()) return Fail(name, "must be an object {\"code\":..,\"argument\":..}");
    for (const auto& [key, unused] : value->items()) {
      if (key != "code" && key != "argument")
        return Fail(name, "has an unknown key \"" + key + "\"");
    }
    TAkc action;
    if (value->contains("code") && !Integer(name, (*value)["code"], action.code)) return;
    if (value->contains("argument") && !Integer(name, (*value)["argument"], action.argument)) {
      return;
    }
    f = action;
  }
  template <class R>
  void Table(const char* name, std::vector<R>& table, Editions = kAlways) {
    const Json* value = Take(name);
    if (!value) return;
    if (!value->is_array()) return Fail(name, "must be an array of records");
    std::vector<R> records(value->size());
    for (size_t i = 0; i < records.size() && error_.empty(); ++i) {
      ReadObject((*value)[i], Path(name) + "[" + std::to_string(i) + "]", records[i]);
    }
    if (error_.empty()) table = std::move(records);
  }
  template <class R>
  void Record(const char* name, R& r) {
    if (const Json* value = Take(name)) ReadObject(*value, Path(name), r);
  }

  // After the visit: every key of the object must have been a field.
  void CheckUnknownKeys() {
    if (!error_.empty()) return;
    for (const auto& [key, unused] : in_.items()) {
      if (!used_.contains(key)) {
        error_ = (path_.empty() ? std::string("the top level") : path_) + " has an unknown key \"" +
                 key + "\"";
        return;
      }
    }
  }

  template <class R>
  void ReadObject(const Json& value, const std::string& path, R& r) {
    if (!value.is_object()) {
      error_ = path + " must be an object";
      return;
    }
    JsonInVisitor nested(value, code_page_, path, error_);
    VisitFields(r, nested);
    nested.CheckUnknownKeys();
  }

  // Marks a key as known without reading it.
  void Use(const char* name) { used_.insert(name); }

 private:
  std::string Path(const char* name) const { return path_.empty() ? name : path_ + "." + name; }

  const Json* Take(const char* name) {
    used_.insert(name);
    if (!error_.empty()) return nullptr;
    auto it = in_.find(name);
    return it == in_.end() ? nullptr : &*it;
  }

  void Fail(const char* name, const std::string& what) {
    if (error_.empty()) error_ = Path(name) + " " + what;
  }

  template <class T>
  bool Integer(const char* name, const Json& value, T& out) {
    const int64_t low = std::numeric_limits<T>::min();
    const int64_t high = std::numeric_limits<T>::max();
    if (!value.is_number_integer()) {
      Fail(name, "must be an integer");
      return false;
    }
    const bool fits = value.is_number_unsigned()
                          ? value.get<uint64_t>() <= uint64_t(high)
                          : value.get<int64_t>() >= low && value.get<int64_t>() <= high;
    if (!fits) {
      Fail(name, "must be an integer from " + std::to_string(low) + " to " + std::to_string(high));
      return false;
    }
    out = static_cast<T>(value.get<int64_t>());
    return true;
  }

  const Json& in_;
  const platform::CodePage& code_page_;
  std::string path_;
  std::string& error_;
  std::set<std::string> used_;
};

}  // namespace

std::string DefinitionToJson(const Definition& definition, const platform::CodePage& code_page) {
  Definition copy = definition;
  OrderedJson out = OrderedJson::object();
  out["edition"] = std::string(1, copy.edition);
  JsonOutVisitor visitor(out, code_page);
  VisitDefinition(copy, visitor);
  return out.dump(2) + "\n";
}

JsonReadResult DefinitionFromJson(std::string_view text, const platform::CodePage& code_page,
                                  std::optional<char> edition) {
  JsonReadResult result;
  Json json = Json::parse(text, nullptr, false);
  if (json.is_discarded()) {
    result.error = "the text is not valid JSON";
    return result;
  }
  if (!json.is_object()) {
    result.error = "the top level must be an object";
    return result;
  }
  Definition definition;
  if (auto it = json.find("edition"); it != json.end()) {
    if (!it->is_string() || it->get_ref<const std::string&>().size() != 1 ||
        !IsKnownEdition(static_cast<signed char>(it->get_ref<const std::string&>()[0]))) {
      result.error = "edition must be one letter from \"a\" to \"g\"";
      return result;
    }
    definition.edition = it->get_ref<const std::string&>()[0];
  }
  if (edition) definition.edition = *edition;
  std::string error;
  JsonInVisitor visitor(json, code_page, "", error);
  visitor.Use("edition");
  VisitDefinition(definition, visitor);
  visitor.CheckUnknownKeys();
  if (!error.empty()) {
    result.error = error;
    return result;
  }
  NumberRecords(definition);
  result.definition = std::move(definition);
  return result;
}

}  // namespace velmorant
