#pragma once

#include <filesystem>
#include <string>

#include "platform/text/font_engine.hpp"
#include "platform/text/rich_document.hpp"

namespace velmorant::platform {

// A4 in PDF points, and the blank margin around the text on every side.
inline constexpr double kA4WidthPoints = 595.2756;
inline constexpr double kA4HeightPoints = 841.8898;
inline constexpr double kPrintMarginPoints = 56.6929;  // 2 cm

// Lays `doc` out on A4 pages as the rich-text view lays it out (at 96 pixels an inch) and writes
// them as a PDF whose text stays text, titled `title`. False, with `error` saying why, when the
// file cannot be written.
bool WriteRichTextPdf(const RichDocument& doc, const FontEngine& fonts, const std::string& title,
                      const std::filesystem::path& path, std::string* error = nullptr);

}  // namespace velmorant::platform
