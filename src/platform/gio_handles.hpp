#pragma once

#include <gio/gio.h>

#include <memory>
#include <string>

namespace velmorant::platform {

// Owners of GLib's objects, strings and errors.
struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFree {
  void operator()(gpointer memory) const { g_free(memory); }
};
using GText = std::unique_ptr<char, GFree>;

struct GVariantUnref {
  void operator()(GVariant* value) const { g_variant_unref(value); }
};
using GVariantPtr = std::unique_ptr<GVariant, GVariantUnref>;

class GErrorSlot {
 public:
  GErrorSlot() = default;
  GErrorSlot(const GErrorSlot&) = delete;
  GErrorSlot& operator=(const GErrorSlot&) = delete;
  ~GErrorSlot() { g_clear_error(&error_); }
  GError** Out() { return &error_; }
  std::string Message(const std::string& fallback) const {
    return error_ ? std::string(error_->message) : fallback;
  }

 private:
  GError* error_ = nullptr;
};

}  // namespace velmorant::platform
